#pragma once

#include <QString>
#include <QStringList>

namespace lintrel {

// The editor's command line: the editor path and the note file's path, each between double
// quotes, with one space between them. Nothing inside either is escaped.
QString EditorCommandLine(const QString& editor, const QString& noteFile);

// Splits a command line into program and arguments by the double-quote rules, with no
// shell involved.
QStringList SplitCommandLine(const QString& commandLine);

// The name by which the editor setting asks for the desktop's own text editor.
inline const QString kDesktopEditorName = QStringLiteral("notepad.exe");

}  // namespace lintrel
