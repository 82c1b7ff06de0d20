// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/print_command.h"

#include <algorithm>
#include <vector>

#include "core/note_file_reader.h"
#include "platform/code_page.h"
#include "platform/file_test.h"
#include "settings/settings_file.h"

namespace lintrel {

namespace {

// The separator text of the settings, as the window keeps it in FileSettings.ini; empty when
// there is none to be read.
QString SavedSeparator(const QString& settingsFolder) {
    if (settingsFolder.isEmpty()) {
        return {};
    }
    try {
        const auto fields = ReadSettingsFile(SettingsPath(settingsFolder, kFileSettings), 7);
        return fields ? SettingsText(ReadText(fields->at(5))) : QString();
    } catch (const SettingsError&) {
        return {};
    }
}

std::string Said(const QString& text) {
    return text.toUtf8().toStdString() + "\n";
}

}  // namespace

std::optional<PrintRequest> ParsePrintRequest(const QStringList& arguments, QString& error) {
    if (arguments.isEmpty() ||
        (arguments[0] != QLatin1String("--print") && arguments[0] != QLatin1String("--count"))) {
        return std::nullopt;
    }
    PrintRequest request;
    request.count = arguments[0] == QLatin1String("--count");
    QStringList words;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& word = arguments[i];
        const bool option =
            word == QLatin1String("--separator") || word == QLatin1String("--charset");
        if (option && i + 1 == arguments.size()) {
            error = word + QStringLiteral(" needs a value");
            request.which.clear();
            return request;
        }
        if (word == QLatin1String("--separator")) {
            request.separator = arguments[++i];
        } else if (word == QLatin1String("--charset")) {
            bool number = false;
            request.charset = arguments[++i].toInt(&number);
            if (!number || !CharsetKnown(request.charset)) {
                error = QStringLiteral("unknown character set %1").arg(arguments[i]);
                request.which.clear();
                return request;
            }
        } else {
            words << word;
        }
    }
    // The note file last; before it, for --print, which note.
    if (words.isEmpty() || words.size() > (request.count ? 1 : 2)) {
        error = QStringLiteral("usage: lintrel --print [random|first|last|NUMBER] FILE");
        request.which.clear();
        return request;
    }
    request.file = words.takeLast();
    if (!words.isEmpty()) {
        request.which = words[0];
    }
    return request;
}

int RunPrintRequest(const PrintRequest& request, const QString& settingsFolder,
                    const std::function<std::size_t(std::size_t n)>& draw, std::string& out,
                    std::string& err) {
    const QByteArray codePage = CodePageForCharset(request.charset);
    const QString separator = request.separator.value_or(SavedSeparator(settingsFolder));
    const NoteFileResult result = ReadNoteFile(request.file, EncodeText(codePage, separator));
    if (result.status != LoadStatus::Loaded) {
        err += Said(QStringLiteral("lintrel: %1: %2")
                        .arg(request.file, result.status == LoadStatus::Missing
                                               ? QStringLiteral("no such note file")
                                               : QStringLiteral("cannot be read")));
        return kNoFile;
    }
    const NoteList& notes = result.notes;
    if (request.count) {
        out += std::to_string(notes.Count()) + "\n";
        return kPrinted;
    }
    // As in the window: the notes that can be shown.
    const std::size_t last = std::min<std::size_t>(notes.Count(), kHighestShownNote);
    std::size_t k = 0;
    if (request.which == QLatin1String("random")) {
        std::vector<std::size_t> drawn;
        for (std::size_t i = 1; i <= last; ++i) {
            if (!notes.IsBlank(i)) {
                drawn.push_back(i);
            }
        }
        if (drawn.empty()) {
            err += Said(QStringLiteral("lintrel: %1: every note is blank").arg(request.file));
            return kNothingToDraw;
        }
        k = drawn[draw(drawn.size())];
    } else if (request.which == QLatin1String("first")) {
        k = 1;
    } else if (request.which == QLatin1String("last")) {
        k = last;
    } else {
        bool number = false;
        const qlonglong asked = request.which.toLongLong(&number);
        k = number && asked >= 1 ? static_cast<std::size_t>(asked) : 0;
    }
    if (k < 1 || k > last) {
        err += Said(QStringLiteral("lintrel: please specify a number within 1 and %1").arg(last));
        return kOutOfRange;
    }
    out += Said(ShownText(codePage, notes.Note(k)));
    return kPrinted;
}

}  // namespace lintrel
