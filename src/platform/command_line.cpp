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

std::optional<QString> DesktopEntryExec(const QByteArray& entry) {
    bool inGroup = false;
    std::optional<QString> exec;
    for (const QByteArray& raw : entry.split('\n')) {
        const QByteArray line = raw.trimmed();
        if (line.startsWith('[')) {
            inGroup = line == "[Desktop Entry]";
        } else if (inGroup && line.startsWith("Terminal=")) {
            if (line.mid(9).trimmed() == "true") {
                return std::nullopt;
            }
        } else if (inGroup && line.startsWith("Exec=")) {
            // The string escapes of the format: \s, \n, \t, \r and \\.
            const QString value = QString::fromUtf8(line.mid(5));
            QString text;
            for (qsizetype i = 0; i < value.size(); ++i) {
                if (value[i] == QLatin1Char('\\') && i + 1 < value.size()) {
                    const char next = value[++i].toLatin1();
                    const QString escaped = QStringLiteral("\\ \n\t\r");
                    const qsizetype at = QStringLiteral("\\sntr").indexOf(QLatin1Char(next));
                    text += at >= 0 ? QString(escaped[at]) : QStringLiteral("\\") + value[i];
                } else {
                    text += value[i];
                }
            }
            exec = text;
        }
    }
    return exec;
}

namespace {

// The words of an Exec line, as the quoting rules of the format split them; none when a quote
// is left open.
std::optional<QStringList> ExecWords(const QString& exec) {
    QStringList words;
    QString word;
    bool inWord = false;
    for (qsizetype i = 0; i < exec.size(); ++i) {
        const QChar c = exec[i];
        if (c == QLatin1Char('"')) {
            inWord = true;
            for (++i; i < exec.size() && exec[i] != QLatin1Char('"'); ++i) {
                if (exec[i] == QLatin1Char('\\') && i + 1 < exec.size() &&
                    QStringLiteral("\"`$\\").contains(exec[i + 1])) {
                    ++i;
                }
                word += exec[i];
            }
            if (i == exec.size()) {
                return std::nullopt;
            }
        } else if (c == QLatin1Char(' ') || c == QLatin1Char('\t')) {
            if (inWord) {
                words << word;
            }
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord) {
        words << word;
    }
    return words;
}

// A word with its field codes expanded: the file for %f %F %u %U, a per-cent sign for %%,
// nothing for others; `fileGiven` is set when the file went in.
QString Expanded(const QString& word, const QString& file, bool& fileGiven) {
    QString expanded;
    for (qsizetype i = 0; i < word.size(); ++i) {
        if (word[i] != QLatin1Char('%') || i + 1 == word.size()) {
            expanded += word[i];
        } else if (const QChar code = word[++i]; QStringLiteral("fFuU").contains(code)) {
            expanded += file;
            fileGiven = true;
        } else if (code == QLatin1Char('%')) {
            expanded += QLatin1Char('%');
        }
    }
    return expanded;
}

}  // namespace

std::optional<ProgramStart> ExecCommand(const QString& exec, const QString& file) {
    const std::optional<QStringList> words = ExecWords(exec);
    if (!words) {
        return std::nullopt;
    }
    bool fileGiven = false;
    QStringList arguments;
    for (const QString& word : *words) {
        // A word that was a field code alone and expands to nothing is dropped.
        const QString expanded = Expanded(word, file, fileGiven);
        if (!expanded.isEmpty() || !word.startsWith(QLatin1Char('%'))) {
            arguments << expanded;
        }
    }
    if (arguments.isEmpty()) {
        return std::nullopt;
    }
    if (!fileGiven) {
        arguments << file;
    }
    const QString program = arguments.takeFirst();
    return ProgramStart{program, arguments};
}

std::optional<ProgramStart> DesktopEditor(
    const QString& defaultHandler, const QString& file,
    const std::function<QByteArray(const QString&)>& readEntry,
    const std::function<QString(const QString&)>& find) {
    // Where no default is set, the desktop would pick any program that takes text, this one
    // among them. The default's own program is started, not the desktop's opener, which
    // chooses by what the file's bytes look like (a note beginning with <html> would go to a
    // browser).
    if (!defaultHandler.isEmpty() &&
        !defaultHandler.contains(QStringLiteral("lintrel"), Qt::CaseInsensitive)) {
        if (const std::optional<QString> exec = DesktopEntryExec(readEntry(defaultHandler))) {
            if (auto start = ExecCommand(*exec, file);
                start && !QFileInfo(start->program)
                              .fileName()
                              .contains(QStringLiteral("lintrel"), Qt::CaseInsensitive)) {
                return start;
            }
        }
    }
    for (const char* editor : {"gnome-text-editor", "gedit", "kate", "kwrite", "mousepad", "pluma",
                               "xed", "featherpad", "leafpad", "geany"}) {
        const QString found = find(QString::fromLatin1(editor));
        if (!found.isEmpty()) {
            return ProgramStart{found, {file}};
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
            "  NOTE-FILE   the note file to open; without one, Default.txt in the\n"
            "              settings folder, or the file the settings choose\n"
            "  --print [WHICH] FILE\n"
            "              print a note of FILE and exit, without a window: WHICH is\n"
            "              random (the default, never a blank note), first, last or a\n"
            "              note number; cut as the window cuts it, in UTF-8\n"
            "  --count FILE  print how many notes FILE holds and exit\n"
            "  --separator TEXT  with --print or --count: cut at TEXT, not at the\n"
            "              separator text of the settings\n"
            "  --charset NUMBER  with --print or --count: the character set number\n"
            "              the start-up question takes (204 Cyrillic, 134 GBK, ...)\n"
            "  --help      show this help and exit\n"
            "  --version   show the version and exit\n"
            "\n"
            "Settings are kept in FileSettings.ini, GeneralSettings.ini,\n"
            "WindowSettings.ini and FontSettings.ini beside the program, or, where\n"
            "that folder cannot be written and always when installed as a\n"
            "distribution's package, in $XDG_CONFIG_HOME/lintrel\n"
            "(by default ~/.config/lintrel).\n"
            "\n"
            "Exit status of --print and --count: 0 printed, 2 wrong words or character\n"
            "set, 3 no such note file or it cannot be read, 4 no note of that number,\n"
            "5 every note is blank.\n");
    }
    return std::nullopt;
}

}  // namespace lintrel
