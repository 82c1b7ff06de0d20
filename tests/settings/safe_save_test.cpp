// SPDX-License-Identifier: GPL-3.0-or-later
// Saving a file so that it holds all of its old bytes or all of the new ones, whatever fails.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>
#include <fstream>

#include "settings/safe_save.h"

namespace lintrel {
namespace {

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return in ? std::string(std::istreambuf_iterator<char>(in), {}) : "<missing>";
}

void Put(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// The names in `folder`, to find temporary files left behind.
QStringList Names(const std::string& folder) {
    return QDir(QString::fromStdString(folder))
        .entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot);
}

class SafeSaveTest : public ::testing::Test {
  protected:
    std::string In(const std::string& name) const { return folder + "/" + name; }
    QTemporaryDir dir;
    std::string folder = dir.path().toStdString();
};

TEST_F(SafeSaveTest, NewAndReplacedFilesKeepTheirPermissions) {
    ASSERT_EQ(SaveFileSafely(In("new.ini"), "one\r\n"), SaveResult::Saved);
    EXPECT_EQ(Slurp(In("new.ini")), "one\r\n");
    struct stat st {};
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ASSERT_EQ(::stat(In("new.ini").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0666 & ~mask);

    Put(In("old.ini"), "old\r\n");
    ::chmod(In("old.ini").c_str(), 0640);
    ASSERT_EQ(SaveFileSafely(In("old.ini"), "new\r\n"), SaveResult::Saved);
    EXPECT_EQ(Slurp(In("old.ini")), "new\r\n");
    ASSERT_EQ(::stat(In("old.ini").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(Names(folder), QStringList({"new.ini", "old.ini"}));
}

// Links are followed to a file that exists, and to nothing else.
TEST_F(SafeSaveTest, LinksLeadOnlyToFiles) {
    Put(In("real.ini"), "old");
    ASSERT_EQ(::mkfifo(In("fifo").c_str(), 0600), 0);
    ASSERT_EQ(::mkdir(In("folder").c_str(), 0700), 0);
    struct Case {
        const char* name;
        const char* linkTo;  // nullptr: no link, the path itself
        SaveResult expected;
    };
    const Case cases[] = {
        {"to a file", "real.ini", SaveResult::Saved},
        {"dangling", "missing.ini", SaveResult::DanglingLink},
        {"to a folder", "folder", SaveResult::NotAFile},
        {"to a FIFO", "fifo", SaveResult::NotAFile},
        {"to a device", "/dev/null", SaveResult::NotAFile},
    };
    for (const Case& c : cases) {
        const std::string link = In(std::string("link ") + c.name);
        ASSERT_EQ(::symlink(c.linkTo, link.c_str()), 0);
        EXPECT_EQ(SaveFileSafely(link, "new"), c.expected) << c.name;
        struct stat st {};
        ASSERT_EQ(::lstat(link.c_str(), &st), 0);
        EXPECT_TRUE(S_ISLNK(st.st_mode)) << c.name << ": the link stays a link";
    }
    EXPECT_EQ(Slurp(In("real.ini")), "new");
    EXPECT_FALSE(QFile::exists(QString::fromStdString(In("missing.ini"))));
    for (const char* path : {"fifo", "folder"}) {
        EXPECT_EQ(SaveFileSafely(In(path), "new"), SaveResult::NotAFile) << path;
    }
    struct stat st {};
    ASSERT_EQ(::stat(In("fifo").c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
}

TEST_F(SafeSaveTest, ReadOnlyFileIsLeftAlone) {
    Put(In("pinned.ini"), "pinned");
    ::chmod(In("pinned.ini").c_str(), 0444);
    EXPECT_TRUE(IsMarkedReadOnly(In("pinned.ini")));
    EXPECT_EQ(SaveFileSafely(In("pinned.ini"), "new"), SaveResult::ReadOnly);
    EXPECT_EQ(Slurp(In("pinned.ini")), "pinned");
    EXPECT_FALSE(IsMarkedReadOnly(In("missing.ini")));
}

// What the system calls answer in the fault cases; errno is set as the call would set it.
int g_calls = 0;
int FailTemporary(char*) {
    errno = EACCES;
    return -1;
}
ssize_t WriteNoSpaceAfterFour(int fd, const void* data, std::size_t size) {
    if (g_calls++ > 0) {
        errno = ENOSPC;
        return -1;
    }
    return ::write(fd, data, std::min<std::size_t>(size, 4));
}
ssize_t WriteOneByteInterrupted(int fd, const void* data, std::size_t size) {
    if (g_calls++ % 2 == 0) {
        errno = EINTR;
        return -1;
    }
    return ::write(fd, data, std::min<std::size_t>(size, 1));
}
int FsyncFails(int) {
    errno = EIO;
    return -1;
}
int CloseFails(int fd) {
    ::close(fd);
    errno = EIO;
    return -1;
}

TEST_F(SafeSaveTest, EveryFailedWriteOrFlushKeepsTheOldFile) {
    const FileOps& sys = SystemFileOps();
    struct Case {
        const char* name;
        FileOps ops;
        SaveResult expected;
    };
    const Case cases[] = {
        {"disk full mid-write",
         {sys.makeTemporary, WriteNoSpaceAfterFour, sys.fsync, sys.close},
         SaveResult::Failed},
        {"flush fails", {sys.makeTemporary, sys.write, FsyncFails, sys.close}, SaveResult::Failed},
        {"close fails", {sys.makeTemporary, sys.write, sys.fsync, CloseFails}, SaveResult::Failed},
        {"short, interrupted writes",
         {sys.makeTemporary, WriteOneByteInterrupted, sys.fsync, sys.close},
         SaveResult::Saved},
        // The folder takes no new file: the file is written in place, with the same checks.
        {"in place", {FailTemporary, sys.write, sys.fsync, sys.close}, SaveResult::Saved},
        {"in place, flush fails",
         {FailTemporary, sys.write, FsyncFails, sys.close},
         SaveResult::Failed},
    };
    for (const Case& c : cases) {
        Put(In("settings.ini"), "the good old file\r\n");
        g_calls = 0;
        EXPECT_EQ(SaveFileSafely(In("settings.ini"), "the new bytes\r\n", c.ops), c.expected)
            << c.name;
        if (c.expected == SaveResult::Saved) {
            EXPECT_EQ(Slurp(In("settings.ini")), "the new bytes\r\n") << c.name;
        } else if (c.ops.makeTemporary != FailTemporary) {
            EXPECT_EQ(Slurp(In("settings.ini")), "the good old file\r\n") << c.name;
        }
        EXPECT_EQ(Names(folder), QStringList({"settings.ini"})) << c.name;
    }
    // A new file cannot be written in place.
    EXPECT_EQ(SaveFileSafely(In("new.ini"), "x", {FailTemporary, sys.write, sys.fsync, sys.close}),
              SaveResult::Failed);
}

// A real full disk: a small tmpfs, mounted when the test runs as root.
TEST_F(SafeSaveTest, FullDiskKeepsTheOldFile) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "mounting a small tmpfs needs root";
    }
    const std::string mount = In("small");
    ASSERT_EQ(::mkdir(mount.c_str(), 0700), 0);
    if (::mount("tmpfs", mount.c_str(), "tmpfs", 0, "size=16k") != 0) {
        GTEST_SKIP() << "tmpfs cannot be mounted here: " << std::strerror(errno);
    }
    const std::string file = mount + "/FileSettings.ini";
    Put(file, "the good old file\r\n");
    Put(mount + "/filler", std::string(12 * 1024, 'x'));
    EXPECT_EQ(SaveFileSafely(file, std::string(8 * 1024, 'y')), SaveResult::Failed);
    EXPECT_EQ(Slurp(file), "the good old file\r\n");
    EXPECT_EQ(Names(mount), QStringList({"FileSettings.ini", "filler"}));
    ::umount(mount.c_str());
}

}  // namespace
}  // namespace lintrel
