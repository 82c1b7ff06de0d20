// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a settings file: only as far as its lines reach.
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

#include "fake_host.h"
#include "settings/settings_file.h"

namespace lintrel {
namespace {

// Bytes this process has read from files so far.
long long BytesRead() {
    std::ifstream io("/proc/self/io");
    std::string key;
    long long value = 0;
    while (io >> key >> value) {
        if (key == "rchar:") {
            return value;
        }
    }
    return -1;
}

TEST(ReadSettingsFileTest, ReadsOnlyTheLinesItNeeds) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("GeneralSettings.ini"));
    const std::string lines = "True\r\n\"a\r\nb\"\r\n7\r\n";
    constexpr long long kJunk = 256LL * 1024 * 1024;
    const struct {
        std::string bytes;
        long long sparseJunk;  // zero bytes after `bytes`, never written to the disk
        std::size_t count;
        bool fails;
    } cases[] = {
        {lines, 0, 3, false},
        {lines + "junk", kJunk, 3, false},
        {"True\r\n\"a\r\nb\"\r\n7", 0, 3, false},  // the last line without its line end
        {"True\r\n\"a", kJunk, 3, true},           // an open quote runs into the junk
        {"True\r\n", kJunk, 3, true},              // one line of junk, no third
        {"True\r\n", 0, 3, true},
    };
    for (const auto& c : cases) {
        { std::ofstream(path.toStdString(), std::ios::binary | std::ios::trunc) << c.bytes; }
        if (c.sparseJunk > 0) {
            ASSERT_TRUE(QFile::resize(path, static_cast<qint64>(c.bytes.size()) + c.sparseJunk));
        }
        const long long before = BytesRead();
        if (c.fails) {
            EXPECT_THROW(ReadSettingsFile(path, c.count), SettingsError) << c.bytes;
        } else {
            const auto fields = ReadSettingsFile(path, c.count);
            ASSERT_TRUE(fields.has_value());
            ASSERT_EQ(fields->size(), 3u);
            EXPECT_EQ((*fields)[1].text, "a\r\nb");
            EXPECT_EQ((*fields)[2].number, 7.0);
        }
        EXPECT_LT(BytesRead() - before, 2 * 1024 * 1024) << c.bytes;
    }
}

// Portable where the program's folder can keep the settings, the user's configuration folder
// where it cannot (a system-wide install).
TEST(SettingsFolderTest, ProgramFolderWhereItCanKeepThemElseTheConfigFolder) {
    QTemporaryDir program;
    ASSERT_TRUE(program.isValid());
    const QString folder = program.path();
    const QString config = QStringLiteral("/home/reader/.config");
    const QString settings = folder + QStringLiteral("/GeneralSettings.ini");
    const struct {
        const char* name;
        bool folderWritable;
        bool fileThere;
        bool fileWritable;
        bool portable;
        bool systemLayout = false;
    } cases[] = {
        {"a folder its user owns", true, false, false, true},
        {"a folder its user owns, its file read-only", true, true, false, true},
        {"a read-only folder, its file writable in place", false, true, true, true},
        {"a read-only folder with no file", false, false, false, false},
        {"a read-only folder, its file read-only too", false, true, false, false},
        {"the system layout, its folder writable (run as root)", true, true, true, false, true},
    };
    for (const auto& c : cases) {
        QFile::remove(settings);
        if (c.fileThere) {
            QFile file(settings);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        }
        const QString chosen = SettingsFolder(
            folder, config,
            [&](const QString& path) { return path == folder ? c.folderWritable : c.fileWritable; },
            c.systemLayout);
        EXPECT_EQ(chosen, c.portable ? folder : config + QStringLiteral("/lintrel")) << c.name;
    }
}

// The configuration folder as the XDG rules give it, and none where no home folder is known:
// never a folder such as /.config.
TEST(SettingsFolderTest, TheConfigurationFolderOrNone) {
    QTemporaryDir home;
    const QString h = home.path();
    const struct {
        QString xdg;
        QString home;
        QString expected;
    } cases[] = {
        {"/x/config", h, "/x/config"},
        {"relative", h, h + "/.config"},
        {"", h, h + "/.config"},
        {"", "", ""},
        {"", "/", ""},
        {"", "relative", ""},
        {"", h + "/missing", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ConfigHome(c.xdg, c.home), c.expected)
            << c.xdg.toStdString() << ", " << c.home.toStdString();
    }
    EXPECT_EQ(SettingsFolder(h, QString(), [](const QString&) { return false; }), QString());
}

// A settings file that cannot be saved says on standard error which folder and why, beside
// its message.
TEST(SettingsLinesTest, AFailedSaveSaysWhereAndWhy) {
    QTemporaryDir dir;
    test::FakeHost host;
    // A program folder that is not there, and a file where the configuration folder would be.
    host.folder = dir.filePath("gone");
    const QByteArray before = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.filePath("config")));
    QFile(dir.filePath("config")).open(QIODevice::WriteOnly);
    SaveSettingsFile(host, kFileSettings, {{0, [](SettingsWriter& w) { w.Text("x"); }, nullptr}});
    qputenv("XDG_CONFIG_HOME", before);
    ASSERT_EQ(host.terminal.size(), 1u);
    const std::string told = host.terminal[0].toStdString();
    EXPECT_NE(told.find(dir.filePath("config/lintrel").toStdString()), std::string::npos) << told;
    EXPECT_NE(told.find(std::strerror(ENOTDIR)), std::string::npos) << told;
    EXPECT_EQ(host.messages.size(), 1u);
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("gone")));
}

// A file declared as its lines, listed in the order a load applies them: a save writes them in
// the file's order; a line missing or declared twice is a fault of the program.
TEST(SettingsLinesTest, SavedInTheFilesOrderLoadedInTheListsOrder) {
    QTemporaryDir dir;
    test::FakeHost host;
    host.folder = dir.path();
    std::string applied;
    const auto line = [&](std::size_t n) {
        return SettingsLine{n, [n](SettingsWriter& w) { w.Integer(static_cast<int>(n) * 10); },
                            [&applied](const Field& f) { applied += f.text + ";"; }};
    };
    SaveSettingsFile(host, QStringLiteral("x.ini"), {line(2), line(0), line(1)});
    QFile file(dir.filePath(QStringLiteral("x.ini")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().toStdString(), " 0 \r\n 10 \r\n 20 \r\n");
    LoadSettingsFile(host, QStringLiteral("x.ini"), {line(2), line(0), line(1)},
                     [&applied] { applied += "then"; });
    EXPECT_EQ(applied, "20;0;10;then");
    EXPECT_TRUE(host.messages.empty());

    const SettingsLines faulty[] = {
        {line(0), line(2)},
        {line(0), line(0)},
        {line(0), {1, [](SettingsWriter&) {}, [](const Field&) {}}},
    };
    for (const SettingsLines& lines : faulty) {
        EXPECT_THROW(SaveSettingsFile(host, QStringLiteral("x.ini"), lines), std::logic_error);
    }
}

}  // namespace
}  // namespace lintrel
