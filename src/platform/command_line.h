// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace lintrel {

// The editor's command line: the editor path and the note file's path, each between double
// quotes, with one space between them. Nothing inside either is escaped.
QString EditorCommandLine(const QString& editor, const QString& noteFile);

// How the editor is started on a note file: the editor path as the program and the note
// file's full path as its one argument, each exactly as it is, never split, so that no quote
// or blank in either can add an argument and the file's path cannot pass for an option.
struct EditorStart {
    QString program;
    QStringList arguments;
    QString commandLine;  // the command line these stand for, as a user would read it
};
EditorStart EditorProgram(const QString& editor, const QString& noteFile);

// What a command line asks of the program itself, to print and end before any window: the
// usage for "--help", "Lintrel VERSION" for "--version". Nothing when it names a note file
// (`isFile`: a file of that very name stands in the current folder) or anything else.
std::optional<QString> ProgramRequest(const QString& commandLine, bool isFile,
                                      const QString& version);

// The name by which the editor setting asks for the desktop's own text editor.
inline const QString kDesktopEditorName = QStringLiteral("notepad.exe");

// A program to start, and its arguments.
struct ProgramStart {
    QString program;
    QStringList arguments;
    friend bool operator==(const ProgramStart&, const ProgramStart&) = default;
};

// The Exec line of a desktop entry's text (`entry`, the file's bytes), as its "Desktop Entry"
// group gives it, string escapes undone; none when it has none, or when the program must run
// in a terminal (Terminal=true), which a file opened from a window does not have.
std::optional<QString> DesktopEntryExec(const QByteArray& entry);

// What an Exec line starts to open `file`: its words, quoted as desktop entries quote them, with
// %f %F %u %U standing for the file (the file added at the end where none does), %% for a
// per-cent sign, and the other field codes dropped; none for an empty or badly quoted line.
std::optional<ProgramStart> ExecCommand(const QString& exec, const QString& file);

// What opens `file` in the desktop's own text editor, never this program: the program of the
// desktop entry of the default handler of plain text (`defaultHandler`, the entry's name,
// empty when none is set), whose text `readEntry` gives (empty when it finds none), when that
// is another program; else the first common editor that `find` finds (it gives a program's
// path, or nothing); else none.
std::optional<ProgramStart> DesktopEditor(
    const QString& defaultHandler, const QString& file,
    const std::function<QByteArray(const QString&)>& readEntry,
    const std::function<QString(const QString&)>& find);

}  // namespace lintrel
