// SPDX-License-Identifier: GPL-3.0-or-later
#include <QDir>

#include <sys/mount.h>
#include <unistd.h>

#include "form_fixture.h"

namespace lintrel {
namespace {

class FileSettingsTest : public test::FormTest {};

const QString kLoadError = QStringLiteral("Error in loading \"FileSettings.ini\".");

TEST_F(FileSettingsTest, MissingFileChangesNothing) {
    form->StartupFile = QStringLiteral("/from/start");
    form->LoadFileSettings();
    EXPECT_EQ(form->StartupFile, QStringLiteral("/from/start"));
    EXPECT_FALSE(form->StartupChoiceMade);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_TRUE(D().load_default->isChecked());
}

TEST_F(FileSettingsTest, SavesTheWrittenForms) {
    LoadLines({"a"}, "n.txt");
    D().load_specified->click();
    D().note_file_specified_path->setText(QStringLiteral("/notes/start.txt"));
    D().notes_separation_characters->setText(QStringLiteral("##"));
    form->SaveFileSettings();
    EXPECT_EQ(Read("FileSettings.ini"),
              "False\r\nFalse\r\nFalse\r\nTrue\r\n/notes/start.txt\r\n"
              "##\r\n" +
                  Path("n.txt").toStdString() + "\r\n");
}

TEST_F(FileSettingsTest, TheDocumentedExample) {
    Write("FileSettings.ini", "True\r\nFalse\r\nFalse\r\nFalse\r\n\r\n----\r\n/some/path\r\n");
    D().note_file_specified_path->setText(QStringLiteral("old"));
    form->LoadFileSettings();
    EXPECT_TRUE(D().load_default->isChecked());
    EXPECT_EQ(D().note_file_specified_path->text(), QString());
    EXPECT_EQ(D().notes_separation_characters->text(), QStringLiteral("----"));
    EXPECT_EQ(form->StartupFile, Path("Default.txt"));
    EXPECT_TRUE(form->StartupChoiceMade);
}

TEST_F(FileSettingsTest, LaterTrueWinsAndNoneTrueLeavesNoChoice) {
    Write("FileSettings.ini", "True\r\nTrue\r\nFalse\r\nFalse\r\n\r\n\r\n/last.txt\r\n");
    form->LoadFileSettings();
    EXPECT_TRUE(D().load_last->isChecked());
    EXPECT_FALSE(D().load_default->isChecked());
    EXPECT_EQ(form->StartupFile, QStringLiteral("/last.txt"));

    Write("FileSettings.ini", "False\r\nFalse\r\nFalse\r\nFalse\r\n\r\n\r\n\r\n");
    form->StartupFile = QStringLiteral("kept");
    form->StartupChoiceMade = false;
    form->LoadFileSettings();
    for (QRadioButton* o :
         {D().load_default, D().load_last, D().load_nothing, D().load_specified}) {
        EXPECT_FALSE(o->isChecked());
    }
    EXPECT_EQ(form->StartupFile, QStringLiteral("kept"));
    EXPECT_FALSE(form->StartupChoiceMade);
}

TEST_F(FileSettingsTest, SpecifiedOptionEnablesItsControlsOnLoad) {
    Write("FileSettings.ini", "False\r\nFalse\r\nFalse\r\nTrue\r\n/s.txt\r\n\r\nx\r\n");
    form->LoadFileSettings();
    EXPECT_TRUE(D().note_file_specified_path->isEnabled());
    EXPECT_TRUE(D().Command1->isEnabled());
    EXPECT_EQ(form->StartupFile, QStringLiteral("/s.txt"));
}

TEST_F(FileSettingsTest, CommandLineFileKeepsStartupFile) {
    Write("FileSettings.ini", "False\r\nFalse\r\nTrue\r\nFalse\r\n\r\n|\r\nx\r\n");
    form->FileFromCommandLine = true;
    form->StartupFile = QStringLiteral("/cmd.txt");
    form->LoadFileSettings();
    EXPECT_TRUE(D().load_nothing->isChecked());
    EXPECT_EQ(D().notes_separation_characters->text(), QStringLiteral("|"));
    EXPECT_EQ(form->StartupFile, QStringLiteral("/cmd.txt"));
    EXPECT_FALSE(form->StartupChoiceMade);
}

TEST_F(FileSettingsTest, TooFewLinesFailsBeforeAnyControlChanges) {
    Write("FileSettings.ini", "False\r\nTrue\r\nFalse\r\n");
    form->LoadFileSettings();
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, kLoadError);
    EXPECT_EQ(host.messages[0].icon, MsgIcon::Critical);
    EXPECT_FALSE(Exists("FileSettings.ini"));
    EXPECT_TRUE(D().load_default->isChecked());
    EXPECT_FALSE(form->StartupChoiceMade);
}

TEST_F(FileSettingsTest, BadBooleanKeepsWhatWasAssigned) {
    Write("FileSettings.ini", "False\r\nTrue\r\nmaybe\r\nFalse\r\n\r\n\r\nx\r\n");
    form->LoadFileSettings();
    EXPECT_EQ(host.MessageTexts(), std::vector<QString>{kLoadError});
    EXPECT_TRUE(D().load_last->isChecked());
    EXPECT_FALSE(Exists("FileSettings.ini"));
}

// Values that the bare form would cut come back whole: they are written between quotes.
TEST_F(FileSettingsTest, CommasAndSpacesRoundTrip) {
    D().load_specified->click();
    D().note_file_specified_path->setText(QStringLiteral("/notes/a, b.txt"));
    D().notes_separation_characters->setText(QStringLiteral(" - "));
    form->SaveFileSettings();
    test::FakeHost host2;
    host2.folder = dir.path();
    Form1 second(host2);
    second.LoadFileSettings();
    EXPECT_TRUE(host2.messages.empty());
    EXPECT_EQ(second.SettingsDialog().note_file_specified_path->text(),
              QStringLiteral("/notes/a, b.txt"));
    EXPECT_EQ(second.SettingsDialog().notes_separation_characters->text(), QStringLiteral(" - "));
    EXPECT_EQ(second.StartupFile, QStringLiteral("/notes/a, b.txt"));
}

// Every value the text boxes can hold comes back as itself at the next start, of any length.
TEST_F(FileSettingsTest, EveryTextComesBackAsItself) {
    const std::vector<QString> values = {
        "\"",  "\"\"",   "\"quoted\"",        "a \"b\", c",        " \" ",
        "x\"", "##\"##", QString(40000, 'z'), QString(70000, '"'),
    };
    for (const QString& value : values) {
        D().notes_separation_characters->setText(value);
        D().note_file_specified_path->setText(value + QStringLiteral(".txt"));
        ASSERT_EQ(D().notes_separation_characters->text(), value) << "the box cut the text";
        form->SaveFileSettings();
        test::FakeHost host2;
        host2.folder = dir.path();
        Form1 second(host2);
        second.LoadFileSettings();
        EXPECT_TRUE(host2.messages.empty()) << value.left(20).toStdString();
        EXPECT_EQ(second.SettingsDialog().notes_separation_characters->text(), value);
        EXPECT_EQ(second.SettingsDialog().note_file_specified_path->text(),
                  value + QStringLiteral(".txt"));
    }
}

// A file the user marked read-only is not written, and not deleted by the failure path.
TEST_F(FileSettingsTest, ReadOnlyFileIsReportedAndKept) {
    const std::string pinned = "False\r\nTrue\r\nFalse\r\nFalse\r\n\r\n##\r\n/pinned.txt\r\n";
    const QString path = Write("FileSettings.ini", pinned);
    ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup));
    form->SaveFileSettings();
    EXPECT_EQ(host.MessageTexts(),
              std::vector<QString>{QStringLiteral("Error in saving \"FileSettings.ini\".")});
    EXPECT_EQ(Read("FileSettings.ini"), pinned);
    // A bad read-only file is reported at loading, and kept too.
    Write("GeneralSettings.ini", "bad\r\n");
    ASSERT_TRUE(QFile::setPermissions(Path("GeneralSettings.ini"), QFile::ReadOwner));
    form->LoadGeneralSettings();
    EXPECT_TRUE(Exists("GeneralSettings.ini"));
}

// On a full disk the save is reported and the file keeps its old settings whole.
TEST_F(FileSettingsTest, FullDiskIsReportedAndLeavesNoShortFile) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "mounting a small tmpfs needs root";
    }
    const QString folder = Path("small");
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("small")));
    if (::mount("tmpfs", folder.toUtf8().constData(), "tmpfs", 0, "size=16k") != 0) {
        GTEST_SKIP() << "tmpfs cannot be mounted here";
    }
    host.folder = folder;
    Write("small/FileSettings.ini", "True\r\nFalse\r\nFalse\r\nFalse\r\n\r\n\r\n\r\n");
    Write("small/filler", std::string(12 * 1024, 'x'));
    D().notes_separation_characters->setText(QString(8 * 1024, 'y'));
    form->SaveFileSettings();
    EXPECT_EQ(host.MessageTexts(),
              std::vector<QString>{QStringLiteral("Error in saving \"FileSettings.ini\".")});
    EXPECT_EQ(Read("small/FileSettings.ini"), "True\r\nFalse\r\nFalse\r\nFalse\r\n\r\n\r\n\r\n");
    ::umount(folder.toUtf8().constData());
}

TEST_F(FileSettingsTest, OldUnquotedCommaStillShiftsTheFields) {
    Write("FileSettings.ini", "False\r\nFalse\r\nFalse\r\nTrue\r\n/a,b.txt\r\n##\r\nlast\r\n");
    form->LoadFileSettings();
    EXPECT_EQ(D().note_file_specified_path->text(), QStringLiteral("/a"));
    EXPECT_EQ(D().notes_separation_characters->text(), QStringLiteral("b.txt"));
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(FileSettingsTest, SaveFailureReportsAndCarriesOn) {
    const QString folder = Path("not-a-folder");
    Write("not-a-folder", "x");
    host.folder = folder;
    form->SaveFileSettings();
    form->SaveGeneralSettings();
    EXPECT_EQ(host.MessageTexts(),
              (std::vector<QString>{QStringLiteral("Error in saving \"FileSettings.ini\"."),
                                    QStringLiteral("Error in saving \"GeneralSettings.ini\".")}));
    EXPECT_EQ(host.messages[0].icon, MsgIcon::Critical);
}

TEST_F(FileSettingsTest, SaveLeavesNoTemporaryFiles) {
    form->SaveFileSettings();
    form->SaveFileSettings();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("FileSettings.ini")});
}

}  // namespace
}  // namespace lintrel
