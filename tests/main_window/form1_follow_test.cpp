// SPDX-License-Identifier: GPL-3.0-or-later
// The note file followed as it changes on disk: read again by itself, as F5 reads it, however
// an editor saves it, and never under a user who is busy.
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QScrollBar>

#include <cstdio>
#include <functional>

#include "desktop/file_follower.h"
#include "form_fixture.h"

namespace lintrel {
namespace {

void WriteFile(const QString& path, const std::string& bytes,
               QIODevice::OpenMode mode = QIODevice::WriteOnly | QIODevice::Truncate) {
    QFile file(path);
    ASSERT_TRUE(file.open(mode));
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

class FollowTest : public test::FormTest {
  protected:
    // The window's follower on the test's clock, looking at a notice on the next turn of the
    // event loop.
    FileFollower* Follower() {
        auto* follower = form->findChild<FileFollower*>();
        follower->SetClock([this] { return now; });
        follower->SetIntervals(0, 0);
        return follower;
    }
    // Runs the event loop until `done` holds; fails after three seconds.
    static bool RunUntil(const std::function<bool()>& done) {
        QElapsedTimer timer;
        timer.start();
        while (!done() && timer.elapsed() < 3000) {
            QApplication::processEvents(QEventLoop::AllEvents, 20);
        }
        return done();
    }
    qint64 now = 0;
    std::string Lines(const std::vector<std::string>& lines) {
        std::string bytes;
        for (const auto& l : lines) {
            bytes += l + "\r\n";
        }
        return bytes;
    }
};

// The ways an editor or a writer changes a file, against the note shown after it.
TEST_F(FollowTest, EveryWayAFileIsRewrittenShowsTheNewNote) {
    const struct {
        const char* name;
        std::function<void(const QString& path, const std::string& bytes)> rewrite;
        std::vector<std::string> lines;
        const char* shown;
        std::size_t notes;
    } cases[] = {
        {"in place",
         [](auto& path, auto& b) { WriteFile(path, b); },
         {"one", "two", "THREE", "four"},
         "THREE",
         4},
        {"renamed over",
         [](auto& path, auto& b) {
             WriteFile(path + ".new", b);
             std::rename(QFile::encodeName(path + ".new").constData(),
                         QFile::encodeName(path).constData());
         },
         {"one", "two", "renamed", "four"},
         "renamed",
         4},
        {"deleted and made again",
         [](auto& path, auto& b) {
             QFile::remove(path);
             QApplication::processEvents();
             WriteFile(path, b);
         },
         {"one", "two", "again", "four"},
         "again",
         4},
        {"cut short", [](auto& path, auto& b) { WriteFile(path, b); }, {"one", "two"}, "two", 2},
        {"grown",
         [](auto& path, auto& b) { WriteFile(path, b, QIODevice::Append); },
         {"five", "six"},
         "three",
         6},
    };
    for (const auto& c : cases) {
        form = std::make_unique<Form1>(host);
        Follower();
        const QString path = LoadLines({"one", "two", "three", "four"});
        form->ShowLine(3);
        c.rewrite(path, Lines(c.lines));
        EXPECT_TRUE(RunUntil([&] {
            return Shown() == QString::fromLatin1(c.shown) && form->NoteList.Count() == c.notes;
        })) << c.name
            << ": " << Shown().toStdString();
        EXPECT_TRUE(host.messages.empty()) << c.name;
    }
}

// Nothing moves under a user busy with a box; the change shows once it is closed.
TEST_F(FollowTest, WaitsWhileABoxIsOpen) {
    FileFollower* follower = Follower();
    LoadLines({"one", "two", "three"});
    form->ShowLine(2);
    form->show();
    auto* box = new QDialog(form.get());
    box->setModal(true);
    box->show();
    Write("notes.txt", Lines({"one", "changed", "three"}));
    follower->Check();
    EXPECT_EQ(Shown(), QStringLiteral("two"));
    delete box;
    EXPECT_TRUE(RunUntil([&] { return Shown() == QStringLiteral("changed"); }));
}

// A file that is gone, or that no longer loads, leaves the notes as they are.
TEST_F(FollowTest, AFileGoneOrUnreadableChangesNothing) {
    FileFollower* follower = Follower();
    const QString path = LoadLines({"one", "two", "three"});
    form->ShowLine(2);
    QFile::remove(path);
    follower->Check();
    EXPECT_EQ(Shown(), QStringLiteral("two"));
    EXPECT_EQ(form->NoteList.Count(), 3u);
    // Back, it is read again.
    Write("notes.txt", Lines({"one", "back", "three"}));
    EXPECT_TRUE(RunUntil([&] { return Shown() == QStringLiteral("back"); }));
    // An empty separator file fails the load: nothing changes, and no message shows.
    Write("notes.ltrsep", "");
    now += FileFollower::kLeastGapMs;
    follower->Check();
    EXPECT_EQ(Shown(), QStringLiteral("back"));
    EXPECT_TRUE(host.messages.empty());
}

// The same text read again keeps its selection.
TEST_F(FollowTest, ASelectionStaysWhereTheTextIsTheSame) {
    Follower();
    LoadLines({"one", "two words", "three"});
    form->ShowLine(2);
    form->Text1->selectAll();
    ASSERT_EQ(form->NoteList.Count(), 3u);
    Write("notes.txt", Lines({"ONE", "two words", "three", "four"}));
    ASSERT_TRUE(RunUntil([&] { return form->NoteList.Count() == 4; }));
    EXPECT_EQ(form->Text1->SelectedText(), QStringLiteral("two words"));
}

// The file is read again on a worker: the window goes on at once, and takes the notes in from
// its event loop once they are read.
TEST_F(FollowTest, TheReadDoesNotHoldTheWindow) {
    FileFollower* follower = Follower();
    LoadLines({"one", "two"});
    form->ShowLine(2);
    Write("notes.txt", Lines({"one", "changed", "three"}));
    follower->Check();
    EXPECT_EQ(form->NoteList.Count(), 2u);
    EXPECT_TRUE(RunUntil([&] { return Shown() == QStringLiteral("changed"); }));
    EXPECT_EQ(form->NoteList.Count(), 3u);
}

// Scrolled into a long note, a change elsewhere in the file moves nothing; a change of the note
// itself keeps the place of the top as far as the text reaches.
TEST_F(FollowTest, TheViewStaysWhereItStood) {
    Follower();
    std::string words;
    for (int i = 0; i < 3000; ++i) {
        words += "word" + std::to_string(i) + " ";
    }
    LoadLines({"one", words, "three"});
    form->ShowLine(2);
    form->show();
    for (int page = 0; page < 3; ++page) {
        form->Text1->verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    }
    const NoteView::View before = form->Text1->SavedView();
    ASSERT_GT(before.y, 0);
    Write("notes.txt", Lines({"ONE", words, "three", "four"}));
    ASSERT_TRUE(RunUntil([&] { return form->NoteList.Count() == 4; }));
    EXPECT_EQ(form->Text1->SavedView().y, before.y) << "the same text";
    now += FileFollower::kLeastGapMs;
    Write("notes.txt", Lines({"ONE", "new " + words, "three", "four", "five"}));
    ASSERT_TRUE(RunUntil([&] { return form->NoteList.Count() == 5; }));
    EXPECT_NEAR(form->Text1->SavedView().y, before.y, 3 * form->Text1->fontMetrics().height())
        << "a changed text";
}

}  // namespace
}  // namespace lintrel
