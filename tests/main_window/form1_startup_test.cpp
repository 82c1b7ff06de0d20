// SPDX-License-Identifier: GPL-3.0-or-later
#include <QDir>

#include "form_fixture.h"

namespace lintrel {
namespace {

class StartupTest : public test::FormTest {
  protected:
    // A FileSettings.ini choosing option `chosen` (1 to 4), with `specified` and `last`.
    void WriteFileSettings(int chosen, const std::string& specified = "",
                           const std::string& last = "") {
        std::string bytes;
        for (int i = 1; i <= 4; ++i) {
            bytes += i == chosen ? "True\r\n" : "False\r\n";
        }
        bytes += specified + "\r\n\r\n" + last + "\r\n";
        Write("FileSettings.ini", bytes);
    }

    QString Note(const char* name, const char* line) {
        return Write(name, std::string(line) + "\r\n");
    }
};

TEST_F(StartupTest, AsksTheCharsetFirstAndEmptiesText1) {
    host.inputAnswers = {QStringLiteral("204")};
    form->Form_Load(Note("n.txt", "\xcf\xf0\xe8"));
    ASSERT_FALSE(host.prompts.empty());
    EXPECT_EQ(host.prompts[0], QStringLiteral("Please specify charset value:"));
    EXPECT_EQ(form->CodePage(), QByteArray("windows-1251"));
    EXPECT_TRUE(Shown().isEmpty());  // no GeneralSettings.ini: no note is shown
}

TEST_F(StartupTest, CancelledCharsetQuestionShowsUtf8) {
    host.inputAnswers = {std::nullopt};
    form->Form_Load(QString());
    EXPECT_EQ(form->CodePage(), QByteArray("UTF-8"));
}

TEST_F(StartupTest, QuotedCommandLine) {
    const QString path = Note("my notes.txt", "a");
    form->Form_Load(QLatin1Char('"') + path + QLatin1Char('"'));
    EXPECT_EQ(form->StartupFile, path);
    EXPECT_TRUE(form->FileFromCommandLine);
    EXPECT_EQ(form->file_name->text(), path);
}

TEST_F(StartupTest, UnquotedCommandLine) {
    const QString path = Note("notes.txt", "a");
    form->Form_Load(path);
    EXPECT_EQ(form->StartupFile, path);
    EXPECT_EQ(form->NoteList.Count(), 1u);
}

// A relative path from the command line is kept as a full path, so that "Load file loaded
// last time" finds it from any folder at the next start.
TEST_F(StartupTest, RelativeCommandLinePathBecomesFull) {
    const QString path = Note("relative.txt", "a");
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    form->Form_Load(QStringLiteral("relative.txt"));
    QDir::setCurrent(before);
    EXPECT_EQ(form->StartupFile, path);
    EXPECT_EQ(form->file_name->text(), path);
    form->SaveFileSettings();
    EXPECT_NE(Read("FileSettings.ini").find(path.toStdString() + "\r\n"), std::string::npos);
}

// Paths that look like markup are shown as they are.
TEST_F(StartupTest, PathsAreShownAsPlainText) {
    EXPECT_EQ(form->file_name->textFormat(), Qt::PlainText);
    EXPECT_EQ(form->line_shown->textFormat(), Qt::PlainText);
}

TEST_F(StartupTest, TwoQuotesAloneGiveNoPath) {
    form->Form_Load(QStringLiteral("\"\""));
    EXPECT_TRUE(form->StartupFile.isEmpty());
    EXPECT_TRUE(form->EndRequested());
}

TEST_F(StartupTest, SingleQuoteIsKeptAsAPath) {
    form->Form_Load(QStringLiteral("\""));
    EXPECT_EQ(form->StartupFile, QStringLiteral("\""));
    EXPECT_FALSE(form->EndRequested());  // a missing command-line file: the window opens
}

TEST_F(StartupTest, CommandLineFileWinsOverLoadNothing) {
    WriteFileSettings(3);
    const QString path = Note("cmd.txt", "from command line");
    form->Form_Load(path);
    EXPECT_EQ(form->file_name->text(), path);
    EXPECT_TRUE(D().load_nothing->isChecked());
}

TEST_F(StartupTest, MissingCommandLineFileFallsBackToDefault) {
    const QString def = Note("Default.txt", "default note");
    form->Form_Load(Path("missing.txt"));
    EXPECT_EQ(form->file_name->text(), def);
    EXPECT_FALSE(form->FileFromCommandLine);
}

// Installed where its user cannot write, the program finds Default.txt where it keeps the
// settings: the user's configuration folder.
TEST_F(StartupTest, DefaultIsLookedForWhereTheSettingsAreKept) {
    host.folder = dir.filePath("installed-elsewhere");
    const QString config = qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/lintrel");
    ASSERT_TRUE(QDir().mkpath(config));
    const QString def = config + QStringLiteral("/Default.txt");
    QFile file(def);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("kept with the settings\r\n");
    file.close();
    form->Form_Load(QString());
    QFile::remove(def);
    EXPECT_EQ(form->file_name->text(), def);
}

TEST_F(StartupTest, NothingToLoadEndsAtOnceWithoutWriting) {
    form->Form_Load(QString());
    EXPECT_TRUE(form->EndRequested());
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList());
}

TEST_F(StartupTest, MissingCommandLineFileWithoutDefaultOpensEmpty) {
    form->Form_Load(Path("missing.txt"));
    EXPECT_FALSE(form->EndRequested());
    EXPECT_EQ(form->NoteList.Count(), 0u);
    EXPECT_EQ(form->file_name->text(), QStringLiteral("File Name"));
}

// A note file named on the command line that cannot be opened is named on the terminal, once.
TEST_F(StartupTest, ANamedFileThatCannotBeOpenedIsToldToTheTerminal) {
    const QString missing = Path("missing.txt");
    form->Form_Load(missing);
    EXPECT_EQ(host.terminal,
              std::vector<QString>{QStringLiteral("lintrel: %1: no such note file").arg(missing)});
    host.terminal.clear();
    Write("bad.ltrsep", "");  // an empty separator file fails the load
    const QString bad = Note("bad.txt", "a");
    Form1 other(host);
    other.Form_Load(bad);
    EXPECT_EQ(host.terminal,
              std::vector<QString>{QStringLiteral("lintrel: %1: cannot be read").arg(bad)});
    host.terminal.clear();
    Form1 third(host);
    third.Form_Load(Note("good.txt", "a"));
    EXPECT_TRUE(host.terminal.empty());
}

struct ChoiceCase {
    const char* name;
    int option;
    bool defaultExists;
    const char* expectedFile;  // file name shown, or "" for none loaded
    bool ends;
};

// Shown in failures by its name, not as raw bytes.
void PrintTo(const ChoiceCase& c, std::ostream* out) {
    *out << c.name;
}

class StartupChoiceTest : public StartupTest, public ::testing::WithParamInterface<ChoiceCase> {};

TEST_P(StartupChoiceTest, LoadsTheChosenFile) {
    const auto& c = GetParam();
    if (c.defaultExists) {
        Note("Default.txt", "default");
    }
    Note("last.txt", "last");
    Note("specified.txt", "specified");
    if (c.option > 0) {
        WriteFileSettings(c.option, Path("specified.txt").toStdString(),
                          Path("last.txt").toStdString());
    }
    form->Form_Load(QString());
    EXPECT_EQ(form->EndRequested(), c.ends);
    const QString expected =
        *c.expectedFile ? Path(QLatin1String(c.expectedFile)) : QStringLiteral("File Name");
    EXPECT_EQ(form->file_name->text(), expected);
    EXPECT_TRUE(host.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Table, StartupChoiceTest,
    ::testing::Values(ChoiceCase{"LoadDefault", 1, true, "Default.txt", false},
                      ChoiceCase{"LoadDefaultMissing", 1, false, "", false},
                      ChoiceCase{"LoadLast", 2, false, "last.txt", false},
                      ChoiceCase{"LoadNothing", 3, true, "", false},
                      ChoiceCase{"LoadSpecified", 4, false, "specified.txt", false},
                      ChoiceCase{"NoSettingsDefault", 0, true, "Default.txt", false},
                      ChoiceCase{"NoSettingsNothing", 0, false, "", true}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(StartupTest, LoadLastAfterARunWithoutFileTriesTheInitialCaption) {
    WriteFileSettings(2, "", "File Name");
    form->Form_Load(QString());
    EXPECT_FALSE(form->EndRequested());
    EXPECT_EQ(form->NoteList.Count(), 0u);
}

TEST_F(StartupTest, UnreadableStartupFileOpensWithoutNotes) {
    Write("Default.ltrsep", "");  // an empty separator file fails the load
    Note("Default.txt", "a");
    form->Form_Load(QString());
    EXPECT_FALSE(form->EndRequested());
    EXPECT_EQ(form->NoteList.Count(), 0u);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(StartupTest, UnloadWritesTheFourFilesAndOnlyOnce) {
    form->Form_Load(Note("n.txt", "a"));
    form->close();
    for (const char* name :
         {"FileSettings.ini", "GeneralSettings.ini", "WindowSettings.ini", "FontSettings.ini"}) {
        EXPECT_TRUE(Exists(QLatin1String(name))) << name;
    }
    QFile::remove(Path("FileSettings.ini"));
    form->Form_Unload();
    EXPECT_FALSE(Exists("FileSettings.ini"));
}

TEST_F(StartupTest, SecondStartAfterANormalRunShowsNoMessage) {
    const QString path = Note("Default.txt", "first");
    form->Form_Load(QString());
    form->Command7_Click();
    D().load_font_list_now->click();
    D().save_win_pos->click();
    form->close();
    ASSERT_TRUE(host.messages.empty());

    test::FakeHost again;
    again.folder = dir.path();
    Form1 second(again);
    second.Form_Load(QString());
    EXPECT_TRUE(again.messages.empty());
    EXPECT_EQ(second.file_name->text(), path);
    EXPECT_EQ(second.line_shown->text(), QStringLiteral("Line number: 1"));  // a random note
    EXPECT_EQ(second.SettingsDialog().save_win_pos->Value(), 1);
}

}  // namespace
}  // namespace lintrel
