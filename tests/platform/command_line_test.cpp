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

// The desktop's editor is never this program, whatever the desktop has set: the program of the
// default handler's entry, else a common editor.
TEST(DesktopEditorTest, TheDefaultHandlerUnlessItIsThisProgramThenACommonEditor) {
    const QByteArray textEditor = "[Desktop Entry]\nExec=gnome-text-editor %U\n";
    const struct {
        const char* handler;
        QByteArray entry;
        std::vector<const char*> installed;
        std::optional<ProgramStart> started;
    } cases[] = {
        {"org.gnome.TextEditor.desktop",
         textEditor,
         {},
         ProgramStart{"gnome-text-editor", {"/n.txt"}}},
        {"vim.desktop",
         "[Desktop Entry]\nExec=vim %F\nTerminal=true\n",
         {"gedit"},
         ProgramStart{"/usr/bin/gedit", {"/n.txt"}}},
        {"gone.desktop", "", {}, std::nullopt},
        {"other.desktop",
         "[Desktop Entry]\nExec=/opt/lintrel/lintrel %f\n",
         {"kate"},
         ProgramStart{"/usr/bin/kate", {"/n.txt"}}},
        {"org.lintrel.Lintrel.desktop",
         textEditor,
         {"kate", "gedit"},
         ProgramStart{"/usr/bin/gedit", {"/n.txt"}}},
        {"lintrel.desktop", textEditor, {"geany"}, ProgramStart{"/usr/bin/geany", {"/n.txt"}}},
        {"", textEditor, {"mousepad"}, ProgramStart{"/usr/bin/mousepad", {"/n.txt"}}},
        {"", {}, {}, std::nullopt},
        {"org.lintrel.Lintrel.desktop", textEditor, {"lintrel"}, std::nullopt},
    };
    for (const auto& c : cases) {
        const auto editor = DesktopEditor(
            QString::fromLatin1(c.handler), "/n.txt", [&](const QString&) { return c.entry; },
            [&](const QString& name) {
                for (const char* program : c.installed) {
                    if (name == QLatin1String(program)) {
                        return QStringLiteral("/usr/bin/") + name;
                    }
                }
                return QString();
            });
        EXPECT_EQ(editor, c.started) << c.handler;
    }
}

// An entry's Exec line, as the desktop entry format writes it, and what it starts for a file.
TEST(DesktopEditorTest, ExecLinesStartTheirProgramOnTheFile) {
    const struct {
        QByteArray entry;
        std::optional<ProgramStart> started;
    } cases[] = {
        {"[Desktop Entry]\nExec=gedit %U", ProgramStart{"gedit", {"/a b.txt"}}},
        {"[Desktop Entry]\nName=X\nExec=env A=1 kate -b %f --icon %i",
         ProgramStart{"env", {"A=1", "kate", "-b", "/a b.txt", "--icon"}}},
        {"[Desktop Entry]\nExec=\"/opt/my editor/ed\" --file=%f 100%%",
         ProgramStart{"/opt/my editor/ed", {"--file=/a b.txt", "100%"}}},
        {"[Desktop Entry]\nExec=\"ed\\\\\\\\\\\"x\" %c", ProgramStart{"ed\\\"x", {"/a b.txt"}}},
        {"[Desktop Entry]\nExec=mousepad", ProgramStart{"mousepad", {"/a b.txt"}}},
        {"[Desktop Entry]\nExec=\"open", std::nullopt},
        {"[Desktop Entry]\nExec=", std::nullopt},
        {"[Desktop Entry]\nExec=vim %F\nTerminal=true", std::nullopt},
        {"[Desktop Action new]\nExec=other %f\n[Desktop Entry]\nExec=ed %f",
         ProgramStart{"ed", {"/a b.txt"}}},
        {"[Desktop Entry]\nName=none", std::nullopt},
    };
    for (const auto& c : cases) {
        const std::optional<QString> exec = DesktopEntryExec(c.entry);
        const auto started = exec ? ExecCommand(*exec, "/a b.txt") : std::nullopt;
        EXPECT_EQ(started, c.started) << c.entry.toStdString();
    }
}

}  // namespace lintrel
