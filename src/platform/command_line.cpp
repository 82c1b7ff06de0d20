#include "platform/command_line.h"

namespace lintrel {

QString EditorCommandLine(const QString& editor, const QString& noteFile) {
    return QLatin1Char('"') + editor + QStringLiteral("\" \"") + noteFile + QLatin1Char('"');
}

QStringList SplitCommandLine(const QString& commandLine) {
    // Blanks outside double quotes separate the words; a double quote opens or closes a
    // quoted part. A word that was quoted counts even when empty, so an empty editor path
    // never lets the note file's path take the program's place.
    QStringList words;
    QString word;
    bool started = false;
    bool quoted = false;
    for (const QChar c : commandLine) {
        if (c == QLatin1Char('"')) {
            quoted = !quoted;
            started = true;
        } else if (!quoted && (c == QLatin1Char(' ') || c == QLatin1Char('\t'))) {
            if (started) {
                words << word;
                word.clear();
                started = false;
            }
        } else {
            word += c;
            started = true;
        }
    }
    if (started) {
        words << word;
    }
    return words;
}

}  // namespace lintrel
