// SPDX-License-Identifier: GPL-3.0-or-later
// The file follower on a clock of the test's: which changes run it, how far apart its runs
// are, and how it watches a folder that goes away and comes back.
#include "desktop/file_follower.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <functional>
#include <string>

namespace lintrel {
namespace {

void WriteFile(const QString& path, const std::string& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

class FileFollowerTest : public ::testing::Test {
  public:
    FileFollowerTest() {
        follower.SetClock([this] { return now; });
        folder = dir.filePath("notes");
        QDir().mkpath(folder);
        path = folder + "/notes.txt";
        WriteFile(path, "one\r\n");
        follower.Follow({path});
    }
    // Looks at the files after `ms` milliseconds; whether that ran the follower.
    bool RunsAfter(qint64 ms) {
        const int before = runs;
        now += ms;
        follower.Check();
        return runs > before;
    }

    QTemporaryDir dir;
    QString folder;
    QString path;
    qint64 now = 100000;
    int runs = 0;
    bool idle = true;
    // A run that takes this long on the clock, and does this.
    qint64 runTakes = 0;
    std::function<void()> duringRun;
    FileFollower follower{[this] { return idle; },
                          [this] {
                              ++runs;
                              now += runTakes;
                              if (duringRun) {
                                  duringRun();
                              }
                          }};
};

TEST_F(FileFollowerTest, WhatRunsItAndWhatDoesNot) {
    const struct {
        const char* name;
        std::function<void(FileFollowerTest&)> change;
        bool runs;
    } rows[] = {
        {"nothing changed", [](auto&) {}, false},
        {"written in place", [](auto& t) { WriteFile(t.path, "one\r\ntwo\r\n"); }, true},
        {"another file of the folder", [](auto& t) { WriteFile(t.folder + "/x.txt", "x"); }, false},
        {"made read-only, and nothing else",
         [](auto& t) { ::chmod(QFile::encodeName(t.path), 0444); }, true},
        {"gone", [](auto& t) { QFile::remove(t.path); }, false},
        {"back", [](auto& t) { WriteFile(t.path, "back\r\n"); }, true},
        {"replaced by a rename",
         [](auto& t) {
             WriteFile(t.path + ".new", "renamed\r\n");
             QFile::remove(t.path);
             QFile::rename(t.path + ".new", t.path);
         },
         true},
    };
    for (const auto& row : rows) {
        row.change(*this);
        EXPECT_EQ(RunsAfter(FileFollower::kLeastGapMs), row.runs) << row.name;
    }
}

// Runs stand at least a second apart, counted from the end of the last run however long it
// took; a busy user puts a run off.
TEST_F(FileFollowerTest, RunsStandASecondApartFromTheEndOfTheLast) {
    runTakes = 700;
    WriteFile(path, "two\r\n");
    ASSERT_TRUE(RunsAfter(FileFollower::kLeastGapMs));
    WriteFile(path, "three\r\n");
    EXPECT_FALSE(RunsAfter(FileFollower::kLeastGapMs - 1)) << "a second from the run's start";
    EXPECT_TRUE(RunsAfter(1)) << "a second from its end";
    idle = false;
    WriteFile(path, "four\r\n");
    EXPECT_FALSE(RunsAfter(FileFollower::kLeastGapMs)) << "while the user is busy";
    idle = true;
    EXPECT_TRUE(RunsAfter(1));
}

// A write while the file is read, by a reader that then follows the same file again, is still
// seen: the marks stay those of when the read began.
TEST_F(FileFollowerTest, AWriteDuringTheReadIsSeenAfterIt) {
    WriteFile(path, "two\r\n");
    duringRun = [this] {
        WriteFile(path, "written meanwhile\r\n");
        follower.Follow({path});
    };
    ASSERT_TRUE(RunsAfter(FileFollower::kLeastGapMs));
    duringRun = nullptr;
    EXPECT_TRUE(RunsAfter(FileFollower::kLeastGapMs));
}

// A folder deleted, or replaced by a rename as version control does, is watched again once it
// is back; until then the follower looks by itself.
TEST_F(FileFollowerTest, AFolderGoneOrReplacedIsWatchedAgain) {
    ASSERT_FALSE(follower.Polling());
    QDir(folder).removeRecursively();
    EXPECT_FALSE(RunsAfter(FileFollower::kLeastGapMs));
    EXPECT_TRUE(follower.Polling()) << "no folder to watch";
    QDir().mkpath(folder);
    WriteFile(path, "again\r\n");
    EXPECT_TRUE(RunsAfter(FileFollower::kLeastGapMs));
    EXPECT_FALSE(follower.Polling()) << "the new folder is watched";

    ASSERT_TRUE(QDir().rename(folder, folder + ".old"));
    QDir().mkpath(folder);
    WriteFile(path, "replaced\r\n");
    EXPECT_TRUE(RunsAfter(FileFollower::kLeastGapMs));
    // What is watched is the new folder and file: a write to the file is noticed.
    follower.SetIntervals(0, FileFollower::kPollMs);
    WriteFile(path, "noticed\r\n");
    now += FileFollower::kLeastGapMs;
    for (int turn = 0; turn < 200 && runs < 3; ++turn) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    EXPECT_EQ(runs, 3);
}

}  // namespace
}  // namespace lintrel
