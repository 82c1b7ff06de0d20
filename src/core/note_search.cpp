// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/note_search.h"

#include <QStringDecoder>

#include <unicode/uchar.h>
#include <unicode/ustring.h>

#include <algorithm>
#include <new>

#include "platform/code_page.h"

namespace lintrel {

namespace {

// Bytes decoded at a time: large enough that the overlap carried between pieces costs
// nothing, small enough to stay in the cache.
constexpr std::size_t kPiece = 256 * 1024;

// A piece of a note as the note box shows it: CR LF, a lone CR and a lone LF each one line
// break. `pendingCr` carries a CR that ended the piece before, whose LF may begin this one.
QString ShownPiece(QString decoded, bool& pendingCr) {
    if (pendingCr && decoded.startsWith(QLatin1Char('\n'))) {
        decoded.remove(0, 1);
    }
    pendingCr = decoded.endsWith(QLatin1Char('\r'));
    decoded.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    decoded.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return decoded;
}

}  // namespace

QString FoldCase(const QString& text) {
    QString plain = text;
    plain.replace(QChar(0x0130), QLatin1Char('i'));
    if (plain.isEmpty()) {
        return plain;
    }
    // Full folding grows a text at most threefold.
    QString folded(plain.size() * 3, Qt::Uninitialized);
    UErrorCode error = U_ZERO_ERROR;
    const int32_t length =
        u_strFoldCase(reinterpret_cast<UChar*>(folded.data()), static_cast<int32_t>(folded.size()),
                      reinterpret_cast<const UChar*>(plain.constData()),
                      static_cast<int32_t>(plain.size()), U_FOLD_CASE_DEFAULT, &error);
    if (U_FAILURE(error)) {
        return plain.toCaseFolded();
    }
    folded.truncate(length);
    return folded;
}

NoteSearch::NoteSearch(const QString& text) : folded_(FoldCase(text)) {}

std::optional<std::size_t> NoteSearch::FoundAt(const QByteArray& codePage,
                                               std::string_view note) const {
    if (folded_.isEmpty() || note.empty()) {
        return std::nullopt;
    }
    QStringDecoder decoder = NoteDecoder(codePage);
    // The end of the folded text before this piece, as long as the text less one character,
    // so that a match across two pieces is found.
    QString carried;
    bool pendingCr = false;
    // A text asked for without a line break never matches across one: line ends then need no
    // translating.
    const bool lineEnds =
        folded_.contains(QLatin1Char('\n')) || folded_.contains(QLatin1Char('\r'));
    const qsizetype overlap = folded_.size() - 1;
    for (std::size_t at = 0; at < note.size(); at += kPiece) {
        const std::string_view piece = note.substr(at, kPiece);
        QString decoded =
            decoder(QByteArrayView(piece.data(), static_cast<qsizetype>(piece.size())));
        if (at + kPiece >= note.size()) {
            decoded += FlushDecoder(decoder);
        }
        const QString text =
            carried + FoldCase(lineEnds ? ShownPiece(std::move(decoded), pendingCr) : decoded);
        if (text.contains(folded_)) {
            // The match began in this piece or in the carried end of the one before.
            return at >= kPiece ? at - kPiece : 0;
        }
        carried = text.right(overlap);
    }
    return std::nullopt;
}

}  // namespace lintrel
