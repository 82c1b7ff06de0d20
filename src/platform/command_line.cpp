// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/command_line.h"

#include <QFileInfo>

namespace lintrel {

QString EditorCommandLine(const QString& editor, const QString& noteFile) {
    return QLatin1Char('"') + editor + QStringLiteral("\" \"") + noteFile + QLatin1Char('"');
}

EditorStart EditorProgram(const QString& editor, const QString& noteFile) {
    const QString file = QFileInfo(noteFile).absoluteFilePath();
    return {editor, {file}, EditorCommandLine(editor, file)};
}

}  // namespace lintrel
