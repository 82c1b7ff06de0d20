// SPDX-License-Identifier: GPL-3.0-or-later
// Ended by the desktop: each signal reaches the event loop, and ends the program as closing
// the main window does, saving once.
#include <QCoreApplication>
#include <QElapsedTimer>

#include <csignal>
#include <vector>

#include "desktop/session_end.h"
#include "form_fixture.h"

namespace lintrel {
namespace {

class SessionEndTest : public test::FormTest, public ::testing::WithParamInterface<int> {
  protected:
    // Runs the event loop until `done` holds, for a second at most.
    template <typename Done>
    static bool RunUntil(Done done) {
        QElapsedTimer timer;
        timer.start();
        while (!done() && timer.elapsed() < 1000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        }
        return done();
    }
};

TEST_P(SessionEndTest, EndsAsClosingTheWindowDoesAndSavesOnce) {
    const int signal = GetParam();
    LoadLines({"one", "two", "three"});
    form->ShowLine(3);
    form->show();
    std::vector<int> received;
    const SessionEnd ending([&](int s) {
        received.push_back(s);
        form->close();
    });
    // Two signals before the loop runs, as a second one during the saves would come.
    std::raise(signal);
    std::raise(signal);
    ASSERT_TRUE(RunUntil([&] { return received.size() == 2; }));
    EXPECT_EQ(received, (std::vector<int>{signal, signal}));
    EXPECT_FALSE(form->isVisible());
    EXPECT_NE(Read("GeneralSettings.ini").find(" 3 \r\n"), std::string::npos);
    for (const char* name : {"FileSettings.ini", "WindowSettings.ini", "FontSettings.ini"}) {
        EXPECT_TRUE(Exists(name)) << name;
    }

    // Where nothing can be saved, each of the four savers reports once, however many signals.
    Form1 other(host);
    host.folder = Path("notes.txt");  // a file, not a folder
    other.show();
    const SessionEnd again([&](int) { other.close(); });
    std::raise(signal);
    std::raise(signal);
    RunUntil([&] { return !other.isVisible(); });
    QCoreApplication::processEvents();
    EXPECT_EQ(host.messages.size(), 4u);
}

INSTANTIATE_TEST_SUITE_P(Signals, SessionEndTest, ::testing::Values(SIGTERM, SIGHUP, SIGINT),
                         [](const auto& param) {
                             return std::string(param.param == SIGTERM  ? "SIGTERM"
                                                : param.param == SIGHUP ? "SIGHUP"
                                                                        : "SIGINT");
                         });

}  // namespace
}  // namespace lintrel
