// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/command_line.h"

#include <QDir>

#include <gtest/gtest.h>

namespace lintrel {
namespace {

TEST(EditorCommandLineTest, QuotesBothPathsUnchanged) {
    EXPECT_EQ(EditorCommandLine("notepad.exe", "/notes/my notes.txt"),
              QStringLiteral("\"notepad.exe\" \"/notes/my notes.txt\""));
    EXPECT_EQ(EditorCommandLine("", "File Name"), QStringLiteral("\"\" \"File Name\""));
}

// Whatever the paths hold, the editor gets exactly one argument: the note file's full path.
TEST(EditorProgramTest, OneProgramAndOneFullPathNeverSplit) {
    const QString here = QDir::currentPath();
    struct Case {
        QString editor, file, program, argument;
    };
    const Case cases[] = {
        {"/usr/bin/my editor", "/tmp/a b.txt", "/usr/bin/my editor", "/tmp/a b.txt"},
        {"/usr/bin/ed", "/tmp/a\" --injected-opt \"b.txt", "/usr/bin/ed",
         "/tmp/a\" --injected-opt \"b.txt"},
        {"/usr/bin/e\"d", "/tmp/x; rm -rf ~.txt", "/usr/bin/e\"d", "/tmp/x; rm -rf ~.txt"},
        {"/usr/bin/ed", "/tmp/$(touch pwned) `id`.txt", "/usr/bin/ed",
         "/tmp/$(touch pwned) `id`.txt"},
        {"ed", "-rf.txt", "ed", here + "/-rf.txt"},
        {"ed", "notes/a.txt", "ed", here + "/notes/a.txt"},
        {"", "/tmp/n.txt", "", "/tmp/n.txt"},
    };
    for (const Case& c : cases) {
        const EditorStart start = EditorProgram(c.editor, c.file);
        EXPECT_EQ(start.program, c.program) << c.file.toStdString();
        EXPECT_EQ(start.arguments, QStringList{c.argument}) << c.file.toStdString();
        EXPECT_EQ(start.commandLine, EditorCommandLine(c.program, c.argument));
    }
}

}  // namespace
// Asked of the program itself only as the one argument, and only when no such file is there.
TEST(ProgramRequestTest, HelpAndVersionUnlessAFileOfThatName) {
    const struct {
        const char* commandLine;
        bool isFile;
        const char* startsWith;  // nullptr: a note file, the window opens
    } cases[] = {
        {"--version", false, "Lintrel 2.5.1\n"},
        {"--help", false, "Usage: lintrel [NOTE-FILE]\n"},
        {"--help", true, nullptr},
        {"--version", true, nullptr},
        {"--help notes.txt", false, nullptr},
        {"-h", false, nullptr},
        {"notes.txt", false, nullptr},
        {"", false, nullptr},
    };
    for (const auto& c : cases) {
        const auto answer =
            ProgramRequest(QString::fromLatin1(c.commandLine), c.isFile, QStringLiteral("2.5.1"));
        ASSERT_EQ(answer.has_value(), c.startsWith != nullptr) << c.commandLine;
        if (answer) {
            EXPECT_TRUE(answer->startsWith(QString::fromLatin1(c.startsWith))) << c.commandLine;
        }
    }
}

// The desktop's editor is never this program, whatever the desktop has set.
TEST(DesktopEditorTest, TheDefaultHandlerUnlessItIsThisProgramThenACommonEditor) {
    const struct {
        const char* handler;
        std::vector<const char*> installed;
        const char* started;  // nullptr: no editor
    } cases[] = {
        {"org.gnome.TextEditor.desktop", {}, "xdg-open"},
        {"org.lintrel.Lintrel.desktop", {"kate", "gedit"}, "/usr/bin/gedit"},
        {"lintrel.desktop", {"geany"}, "/usr/bin/geany"},
        {"", {"mousepad"}, "/usr/bin/mousepad"},
        {"", {}, nullptr},
        {"org.lintrel.Lintrel.desktop", {"lintrel"}, nullptr},
    };
    for (const auto& c : cases) {
        const auto editor = DesktopEditor(QString::fromLatin1(c.handler), [&](const QString& name) {
            for (const char* program : c.installed) {
                if (name == QLatin1String(program)) {
                    return QStringLiteral("/usr/bin/") + name;
                }
            }
            return QString();
        });
        EXPECT_EQ(editor, c.started ? std::optional(QString::fromLatin1(c.started)) : std::nullopt)
            << c.handler;
    }
}

}  // namespace lintrel
