// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

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

// The program that opens a file in the desktop's own text editor, never this program: the
// desktop's opener (xdg-open) when the default handler of plain text (`defaultHandler`, a
// desktop file's name, empty when none is set) is another program; else the first common
// editor that `find` finds (it gives a program's path, or nothing); else none.
std::optional<QString> DesktopEditor(const QString& defaultHandler,
                                     const std::function<QString(const QString&)>& find);

}  // namespace lintrel
