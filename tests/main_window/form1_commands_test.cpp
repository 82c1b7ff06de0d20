// SPDX-License-Identifier: GPL-3.0-or-later
#include <QDir>

#include "form_fixture.h"
#include "platform/command_line.h"
#include "version.h"

namespace lintrel {
namespace {

class CommandsTest : public test::FormTest {};

TEST_F(CommandsTest, BrowseSetsUpTheSharedDialogAndLoadsTheChoice) {
    const QString path = Write("picked.txt", "only note\r\n");
    host.fileAnswers = {path};
    form->Command9_Click();
    ASSERT_EQ(host.fileDialogs.size(), 1u);
    const CommonDialog& d = host.fileDialogs[0];
    EXPECT_EQ(d.DialogTitle, QStringLiteral("Select a file to open with Lintrel"));
    EXPECT_EQ(d.Filter, QStringLiteral("Text Files (*.txt)|*.txt|All Files (*.*)|*.*"));
    EXPECT_EQ(d.FilterIndex, 1);
    EXPECT_EQ(d.Flags, 0x1004);
    EXPECT_TRUE(d.CancelError);
    EXPECT_EQ(form->file_name->text(), path);
    EXPECT_EQ(Shown(), QStringLiteral("only note"));
    EXPECT_EQ(Caption(), QStringLiteral("Line number: 1"));
    EXPECT_EQ(form->CommonDialog1.FileName, path);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(CommandsTest, BrowseCancelChangesNothing) {
    LoadLines({"a", "b"});
    form->ShowLine(2);
    host.fileAnswers = {std::nullopt};
    form->Command9_Click();
    EXPECT_EQ(form->CurrentLine, 2);
    EXPECT_EQ(Shown(), QStringLiteral("b"));
    EXPECT_EQ(form->NoteList.Count(), 2u);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(CommandsTest, BrowseOnAFileThatVanishedKeepsTheNotes) {
    const QString path = LoadLines({"a", "b"});
    host.fileAnswers = {Path("vanished.txt")};
    form->Command9_Click();
    EXPECT_EQ(form->file_name->text(), path);
    EXPECT_EQ(form->NoteList.Count(), 2u);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(CommandsTest, AllBrowseCommandsShareTheFileName) {
    host.fileAnswers = {QStringLiteral("/first/choice.txt"), std::nullopt};
    D().Command1_Click();
    form->Command9_Click();
    ASSERT_EQ(host.fileDialogs.size(), 2u);
    EXPECT_EQ(host.fileDialogs[1].FileName, QStringLiteral("/first/choice.txt"));
}

TEST_F(CommandsTest, EditFileStartsTheEditorOnTheQuotedPath) {
    const QString path = LoadLines({"a"}, "my notes; $(rm -rf x) `id`.txt");
    D().text_editor_path->setText(QStringLiteral("/opt/my editor/bin/ed"));
    host.startable = {QStringLiteral("/opt/my editor/bin/ed")};
    form->Command5_Click();
    ASSERT_EQ(host.starts.size(), 1u);
    EXPECT_EQ(host.starts[0].program, QStringLiteral("/opt/my editor/bin/ed"));
    EXPECT_EQ(host.starts[0].arguments, QStringList{path});
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(CommandsTest, EditFileFallsBackToTheDesktopEditor) {
    D().text_editor_path->setText(QStringLiteral("/no/such/editor"));
    host.startable = {kDesktopEditorName};
    form->Command5_Click();
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text,
              QStringLiteral("The path of the text editor specified by you is incorrect.\r\n"
                             "Using Notepad to open the file for editing."));
    EXPECT_EQ(host.messages[0].icon, MsgIcon::Warning);
    EXPECT_EQ(D().text_editor_path->text(), QStringLiteral("notepad.exe"));
    ASSERT_EQ(host.starts.size(), 2u);
    EXPECT_EQ(host.starts[1].program, QStringLiteral("notepad.exe"));
    // With no file loaded the label's initial caption is passed, as a full path.
    EXPECT_EQ(host.starts[1].arguments,
              QStringList{QDir::current().absoluteFilePath(QStringLiteral("File Name"))});

    form->Command5_Click();  // now straight to the desktop editor
    EXPECT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.starts.size(), 3u);
}

TEST_F(CommandsTest, EmptyEditorPathFallsBackWithoutStartingNothing) {
    D().text_editor_path->setText(QString());
    host.startable = {kDesktopEditorName};
    form->Command5_Click();
    ASSERT_EQ(host.starts.size(), 1u);
    EXPECT_EQ(host.starts[0].program, kDesktopEditorName);
}

TEST_F(CommandsTest, EditFileWhenNoEditorStartsEndsWithAMessage) {
    const QString noEditor = QStringLiteral("No text editor was found to open the file.");
    // The desktop's editor asked for and none found: one message.
    form->Command5_Click();
    EXPECT_EQ(host.MessageTexts(), std::vector<QString>{noEditor});
    EXPECT_EQ(host.messages[0].icon, MsgIcon::Warning);
    // An editor of the user's that fails, then none found: the fall-back's message first.
    D().text_editor_path->setText(QStringLiteral("/no/such/editor"));
    form->Command5_Click();
    ASSERT_EQ(host.messages.size(), 3u);
    EXPECT_EQ(host.messages[2].text, noEditor);
    EXPECT_TRUE(form->isEnabled());
}

TEST_F(CommandsTest, SettingsShowsOneModelessDialog) {
    form->Command6_Click();
    Dialog* first = &D();
    form->Command6_Click();
    EXPECT_EQ(&D(), first);
    EXPECT_TRUE(D().isVisible());
    EXPECT_EQ(D().parentWidget(), nullptr);
    EXPECT_FALSE(D().isModal());
}

TEST_F(CommandsTest, AboutNamesTheProgramAndVersion) {
    form->Command3_Click();
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_TRUE(host.messages[0].text.startsWith(QStringLiteral("Lintrel ") +
                                                 QString::fromLatin1(kVersion)));
    EXPECT_EQ(host.messages[0].icon, MsgIcon::Information);
}

TEST_F(CommandsTest, ExitSavesLikeTheCloseBoxEvenWithTheDialogOpen) {
    form->Command6_Click();
    D().text_editor_path->setText(QStringLiteral("/usr/bin/vi"));
    form->Command4_Click();
    EXPECT_FALSE(D().isVisible());
    EXPECT_NE(Read("GeneralSettings.ini").find("/usr/bin/vi\r\n"), std::string::npos);
    EXPECT_TRUE(Exists("FontSettings.ini"));
}

}  // namespace
}  // namespace lintrel
