#include "platform/command_line.h"

#include <QProcess>

namespace lintrel {

QString EditorCommandLine(const QString& editor, const QString& noteFile) {
    return QLatin1Char('"') + editor + QStringLiteral("\" \"") + noteFile + QLatin1Char('"');
}

QStringList SplitCommandLine(const QString& commandLine) {
    return QProcess::splitCommand(commandLine);
}

}  // namespace lintrel
