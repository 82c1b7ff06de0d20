// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/note_file_reader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#include <algorithm>
#include <cstring>
#include <functional>
#include <random>
#include <string>

#include "notes_helper.h"
#include "platform/file_test.h"
#include "settings/settings_file.h"

namespace lintrel {
namespace {

using Notes = std::vector<std::string>;

class ReadNoteFileTest : public ::testing::Test {
  protected:
    QString Write(const QString& name, const std::string& bytes) {
        const QString path = dir_.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
        return path;
    }

    QTemporaryDir dir_;
};

TEST(FirstLineTest, StopsAtCarriageReturn) {
    EXPECT_EQ(FirstLine("---\r\nrest"), "---");
    EXPECT_EQ(FirstLine("abc"), "abc");
    EXPECT_EQ(FirstLine("\r\n"), "");
    EXPECT_EQ(FirstLine(""), std::nullopt);
}

TEST(SeparatorFilePathTest, CutsAtTheLastDotAnywhere) {
    EXPECT_EQ(SeparatorFilePath("/notes/quotes.txt"), "/notes/quotes.ltrsep");
    EXPECT_EQ(SeparatorFilePath("/my.notes/quotes"), "/my.ltrsep");
    EXPECT_EQ(SeparatorFilePath("/a/b.c.txt"), "/a/b.c.ltrsep");
    EXPECT_EQ(SeparatorFilePath("/notes/quotes"), "");
}

TEST_F(ReadNoteFileTest, DefaultSeparatorGivesOneNotePerLine) {
    const auto result = ReadNoteFile(Write("a.txt", "one\r\n two \r\n"), "");
    ASSERT_EQ(result.status, LoadStatus::Loaded);
    EXPECT_EQ(test::AllNotes(result.notes), (Notes{"one", "two"}));
}

// Files large enough that the held text is backed with pages ahead of the reads (long notes),
// or that the notes past those held are read ahead on another thread (short notes): the notes
// and their count are those of the bytes, for the line break and a separator alike.
TEST_F(ReadNoteFileTest, LargeFilesGiveTheNotesOfTheirBytes) {
    std::mt19937 random(7);
    for (const std::size_t gap : {400000, 100}) {
        std::string bytes(std::size_t{20} << 20, 'x');
        for (std::size_t i = 0; i < bytes.size(); i += 1 + random() % gap) {
            bytes[i] = "\r\n|"[random() % 3];
        }
        const QString path = Write("large.txt", bytes);
        for (const std::string separator : {"", "|"}) {
            const auto result = ReadNoteFile(path, separator);
            const NoteList whole =
                NoteList::FromFile(bytes, separator.empty() ? "\r\n" : separator);
            ASSERT_EQ(result.status, LoadStatus::Loaded);
            EXPECT_EQ(result.notes.Count(), whole.Count()) << gap << separator;
            EXPECT_EQ(test::AllNotes(result.notes), test::AllNotes(whole)) << gap << separator;
        }
    }
}

TEST_F(ReadNoteFileTest, SettingCutsWhenNoSeparatorFile) {
    const auto result = ReadNoteFile(Write("a.txt", "x|y|z"), "|");
    ASSERT_EQ(result.status, LoadStatus::Loaded);
    EXPECT_EQ(test::AllNotes(result.notes), (Notes{"y", "z"}));
}

TEST_F(ReadNoteFileTest, SeparatorFileWinsOverSetting) {
    Write("a.ltrsep", "---\r\nignored second line\r\n");
    const auto result = ReadNoteFile(Write("a.txt", "---\r\nx|y\r\n---\r\nz"), "|");
    ASSERT_EQ(result.status, LoadStatus::Loaded);
    EXPECT_EQ(test::AllNotes(result.notes), (Notes{"x|y", "z"}));
}

TEST_F(ReadNoteFileTest, SeparatorFileWithoutLineBreak) {
    Write("a.ltrsep", "***");
    const auto result = ReadNoteFile(Write("a.txt", "***\r\nx\r\n***\r\ny"), "");
    ASSERT_EQ(result.status, LoadStatus::Loaded);
    EXPECT_EQ(test::AllNotes(result.notes), (Notes{"x", "y"}));
}

// A separator line longer than the note file can never match: only so much of it is read,
// however large the separator file (here 20 GB of zeros, sparse), and the whole text is the
// dropped first piece.
TEST_F(ReadNoteFileTest, HugeSeparatorLineIsReadOnlyAsFarAsItCanMatter) {
    const QString separator = Write("a.ltrsep", "");
    ASSERT_TRUE(QFile::resize(separator, qint64(20) << 30));
    const auto result = ReadNoteFile(Write("a.txt", "x\r\ny\r\n"), "");
    ASSERT_EQ(result.status, LoadStatus::Loaded);
    EXPECT_EQ(result.notes.Count(), 0u);
}

TEST_F(ReadNoteFileTest, EmptySeparatorFileFails) {
    Write("a.ltrsep", "");
    EXPECT_EQ(ReadNoteFile(Write("a.txt", "x\r\n"), "").status, LoadStatus::Failed);
}

TEST_F(ReadNoteFileTest, EmptyNoteFileLoadsNoNotes) {
    const auto result = ReadNoteFile(Write("a.txt", ""), "");
    ASSERT_EQ(result.status, LoadStatus::Loaded);
    EXPECT_EQ(result.notes.Count(), 0u);
}

TEST_F(ReadNoteFileTest, MissingHiddenAndFolderCountAsMissing) {
    EXPECT_EQ(ReadNoteFile(dir_.filePath("none.txt"), "").status, LoadStatus::Missing);
    EXPECT_EQ(ReadNoteFile(Write(".hidden.txt", "x"), "").status, LoadStatus::Missing);
    ASSERT_TRUE(QDir(dir_.path()).mkdir("folder.txt"));
    EXPECT_EQ(ReadNoteFile(dir_.filePath("folder.txt"), "").status, LoadStatus::Missing);
}

TEST_F(ReadNoteFileTest, PathWithoutDotFails) {
    EXPECT_EQ(ReadNoteFile(Write("nodot", "x\r\n"), "").status, LoadStatus::Failed);
}

TEST_F(ReadNoteFileTest, UnreadableFileFails) {
    const QString path = Write("locked.txt", "x\r\n");
    QFile::setPermissions(path, QFileDevice::Permissions());
    QFile probe(path);
    if (probe.open(QIODevice::ReadOnly)) {
        GTEST_SKIP() << "running with rights that read any file";
    }
    EXPECT_EQ(ReadNoteFile(path, "").status, LoadStatus::Failed);
}

TEST_F(ReadNoteFileTest, UnreadableSeparatorFileFails) {
    const QString sep = Write("a.ltrsep", "---\r\n");
    QFile::setPermissions(sep, QFileDevice::Permissions());
    QFile probe(sep);
    if (probe.open(QIODevice::ReadOnly)) {
        GTEST_SKIP() << "running with rights that read any file";
    }
    EXPECT_EQ(ReadNoteFile(Write("a.txt", "x\r\n"), "").status, LoadStatus::Failed);
}

// A file that exists but fails while it is read (the kernel refuses reads of this one).
TEST_F(ReadNoteFileTest, ReadErrorFails) {
    const QString link = dir_.filePath("mem.txt");
    ASSERT_TRUE(QFile::link(QStringLiteral("/proc/self/mem"), link));
    EXPECT_EQ(ReadNoteFile(link, "").status, LoadStatus::Failed);
}

TEST_F(ReadNoteFileTest, LinkCountsAsItsTarget) {
    const QString target = Write("target.txt", "a\r\nb\r\n");
    const QString link = dir_.filePath("link.txt");
    ASSERT_TRUE(QFile::link(target, link));
    const auto result = ReadNoteFile(link, "");
    ASSERT_EQ(result.status, LoadStatus::Loaded);
    EXPECT_EQ(result.notes.Count(), 2u);
}

// What stands at a path may be anything, and may be swapped in after the file was found: each
// reader opens without waiting on it, reads only a regular file, and reads no more than memory
// or a bound allows. None of these loads, blocks or runs out of memory.
TEST_F(ReadNoteFileTest, HostilePathsNeitherBlockNorEatMemory) {
    const auto make = [&](const char* name, const std::function<void(const QByteArray&)>& how) {
        const QString path = dir_.filePath(QString::fromLatin1(name));
        how(QFile::encodeName(path));
        return path;
    };
    const auto link = [](const char* target) {
        return [target](const QByteArray& path) { ASSERT_EQ(::symlink(target, path), 0); };
    };
    const std::pair<QString, bool> rows[] = {
        // A path, and whether it opens (as a regular file).
        {make("fifo.txt", [](auto& p) { ASSERT_EQ(::mkfifo(p, 0600), 0); }), false},
        {make("folder.txt", [](auto& p) { ASSERT_EQ(::mkdir(p, 0700), 0); }), false},
        {make("zero.txt", link("/dev/zero")), false},
        {make("random.txt", link("/dev/urandom")), false},
        {make("dangling.txt", link("nowhere.txt")), false},
        {make("loop.txt", link("loop.txt")), false},
        {make("socket.txt",
              [](auto& p) {
                  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
                  sockaddr_un address{};
                  address.sun_family = AF_UNIX;
                  std::strncpy(address.sun_path, p.constData(), sizeof address.sun_path - 1);
                  ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
                  ::close(fd);
              }),
         false},
        // Size 0, and never ending.
        {make("pagemap.txt", link("/proc/self/pagemap")), true},
        // Larger than the memory that can be had, and sparse.
        {make("huge.txt",
              [](auto& p) {
                  const int fd = ::open(p, O_CREAT | O_WRONLY, 0600);
                  // Far past what is available, so that memory freed meanwhile does not
                  // make it fit.
                  const std::uint64_t size =
                      std::min<std::uint64_t>(AvailableMemory(), std::uint64_t{1} << 46) * 4;
                  ASSERT_EQ(::ftruncate(fd, static_cast<off_t>(size)), 0);
                  ::close(fd);
              }),
         true},
    };
    for (const auto& [path, opens] : rows) {
        const std::string name = QFileInfo(path).fileName().toStdString();
        QFile file;
        EXPECT_EQ(OpenRegularFile(file, path), opens) << name;
        EXPECT_NE(ReadNoteFile(path, "").status, LoadStatus::Loaded) << name;
        try {
            EXPECT_FALSE(ReadSettingsFile(path, 7)) << name;
        } catch (const SettingsError&) {
        }
        // As the separator file beside a note file: read no further than can matter.
        const QString notes = Write(QFileInfo(path).completeBaseName() + ".notes", "a\r\nb\r\n");
        QFile::remove(dir_.filePath(QFileInfo(path).completeBaseName() + ".ltrsep"));
        ASSERT_TRUE(
            QFile::link(path, dir_.filePath(QFileInfo(path).completeBaseName() + ".ltrsep")));
        const NoteFileResult beside = ReadNoteFile(notes, "");
        EXPECT_TRUE(beside.status != LoadStatus::Loaded || beside.notes.Count() <= 2) << name;
    }
}

}  // namespace
}  // namespace lintrel
