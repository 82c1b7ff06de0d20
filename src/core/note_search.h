// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace lintrel {

// `text` with full Unicode case folding ("ß" and "SS" both give "ss", the ligature "ﬁ" gives
// "fi"), and the dotted capital I taken as a plain i, so "İSTANBUL" and "istanbul" match.
QString FoldCase(QStringView text);
// The same, appended to `out`.
void FoldInto(QStringView text, QString& out);

// Looks for a text in notes as the note box shows them, ignoring letter case. A note is
// decoded and folded a piece at a time, so no note is ever held decoded whole: searching a
// note of a gigabyte takes a few megabytes. An ASCII text is looked for in the bytes of
// ASCII pieces, without decoding them, where the code page allows.
class NoteSearch {
  public:
    explicit NoteSearch(const QString& text);

    // Whether `note`, decoded in `codePage`, holds the text. May throw std::bad_alloc.
    bool FoundIn(const QByteArray& codePage, std::string_view note) const {
        return FoundAt(codePage, note).has_value();
    }
    // Where the first match lies: a byte at most two pieces before its start (a line break
    // or a piece's start); nullopt when there is none.
    std::optional<std::size_t> FoundAt(const QByteArray& codePage, std::string_view note) const;

  private:
    QString folded_;
    // The text as bytes for searching ASCII pieces in the code page last asked for (see
    // AsciiNeedle), worked out once for the many notes a Find searches.
    mutable std::optional<QByteArray> asciiPage_;
    mutable std::optional<std::string> asciiText_;
};

}  // namespace lintrel
