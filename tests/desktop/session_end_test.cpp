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
    std::vector<int> endedNow;
    const SessionEnd ending(
        [&](int s) {
            received.push_back(s);
            form->close();
        },
        [&](int s) { endedNow.push_back(s); });
    // Two signals before the loop runs: the first ends as closing does, the second, come
    // while that end is under way, ends the program at once.
    std::raise(signal);
    std::raise(signal);
    ASSERT_TRUE(RunUntil([&] { return endedNow.size() == 1; }));
    EXPECT_EQ(received, (std::vector<int>{signal}));
    EXPECT_EQ(endedNow, (std::vector<int>{signal}));
    EXPECT_FALSE(form->isVisible());
    EXPECT_NE(Read("GeneralSettings.ini").find(" 3 \r\n"), std::string::npos);
    for (const char* name : {"FileSettings.ini", "WindowSettings.ini", "FontSettings.ini"}) {
        EXPECT_TRUE(Exists(name)) << name;
    }
}

// Where nothing can be saved, the end waits on each saver's message; a second signal read
// meanwhile (the fake host's message box runs the loop, as a real one does) ends at once.
TEST_P(SessionEndTest, ASecondSignalDuringTheMessagesEndsAtOnce) {
    const int signal = GetParam();
    Write("not-a-folder", "x");
    host.folder = Path("not-a-folder");  // every save fails
    form->show();
    std::vector<int> endedNow;
    host.whileShowing = [&] {
        if (host.messages.size() == 1) {
            std::raise(signal);
            RunUntil([&] { return !endedNow.empty(); });
        }
    };
    const SessionEnd ending([&](int) { form->close(); }, [&](int s) { endedNow.push_back(s); });
    std::raise(signal);
    RunUntil([&] { return !form->isVisible(); });
    EXPECT_EQ(endedNow, (std::vector<int>{signal}));
}

INSTANTIATE_TEST_SUITE_P(Signals, SessionEndTest, ::testing::Values(SIGTERM, SIGHUP, SIGINT),
                         [](const auto& param) {
                             return std::string(param.param == SIGTERM  ? "SIGTERM"
                                                : param.param == SIGHUP ? "SIGHUP"
                                                                        : "SIGINT");
                         });

}  // namespace
}  // namespace lintrel
