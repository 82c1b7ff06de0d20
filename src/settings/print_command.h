// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <string>

namespace lintrel {

// A note of a file asked for from a terminal, without a window:
//   lintrel --print [random|first|last|NUMBER] [--separator TEXT] [--charset NUMBER] FILE
//   lintrel --count [--separator TEXT] [--charset NUMBER] FILE
struct PrintRequest {
    bool count = false;
    QString which = QStringLiteral("random");
    std::optional<QString> separator;
    int charset = 1;
    QString file;
};

// The ways a terminal command ends, as its exit status.
enum PrintStatus {
    kPrinted = 0,
    kUsage = 2,          // the words of the command are wrong, or the charset is unknown
    kNoFile = 3,         // no such note file, or it cannot be read
    kOutOfRange = 4,     // no note of that number
    kNothingToDraw = 5,  // every note is blank
};

// The request that `arguments` (the words after the program's name) make; none when they do
// not start with --print or --count. `error` says what is wrong with one that does but is
// not whole (then `which` is empty).
std::optional<PrintRequest> ParsePrintRequest(const QStringList& arguments, QString& error);

// Prints the note (or the count) asked for to `out` in UTF-8, with LF line ends, cutting the
// file as the window cuts it: the separator file beside it, else the request's separator,
// else the separator text kept in `settingsFolder`, else one note per line. Says what went
// wrong on `err`. `draw` gives a random number in [0, n) for n. Writes no file.
int RunPrintRequest(const PrintRequest& request, const QString& settingsFolder,
                    const std::function<std::size_t(std::size_t n)>& draw, std::string& out,
                    std::string& err);

}  // namespace lintrel
