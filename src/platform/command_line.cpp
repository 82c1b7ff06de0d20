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

std::optional<QString> DesktopEditor(const QString& defaultHandler,
                                     const std::function<QString(const QString&)>& find) {
    // Where no default is set, the opener would pick any program that takes text, this one
    // among them.
    if (!defaultHandler.isEmpty() &&
        !defaultHandler.contains(QStringLiteral("lintrel"), Qt::CaseInsensitive)) {
        return QStringLiteral("xdg-open");
    }
    for (const char* editor : {"gnome-text-editor", "gedit", "kate", "kwrite", "mousepad", "pluma",
                               "xed", "featherpad", "leafpad", "geany"}) {
        const QString found = find(QString::fromLatin1(editor));
        if (!found.isEmpty()) {
            return found;
        }
    }
    return std::nullopt;
}

std::optional<QString> ProgramRequest(const QString& commandLine, bool isFile,
                                      const QString& version) {
    if (isFile) {
        return std::nullopt;
    }
    if (commandLine == QLatin1String("--version")) {
        return QStringLiteral("Lintrel %1\n").arg(version);
    }
    if (commandLine == QLatin1String("--help")) {
        return QStringLiteral(
            "Usage: lintrel [NOTE-FILE]\n"
            "Shows the notes of a plain-text note file one at a time.\n"
            "\n"
            "  NOTE-FILE   the note file to open; without one, Default.txt beside the\n"
            "              program, or the file the settings choose\n"
            "  --help      show this help and exit\n"
            "  --version   show the version and exit\n"
            "\n"
            "Settings are kept in FileSettings.ini, GeneralSettings.ini,\n"
            "WindowSettings.ini and FontSettings.ini beside the program, or, where\n"
            "that folder cannot be written, in $XDG_CONFIG_HOME/lintrel\n"
            "(by default ~/.config/lintrel).\n");
    }
    return std::nullopt;
}

}  // namespace lintrel
