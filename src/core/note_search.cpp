// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/note_search.h"

#include <QStringDecoder>

#include <unicode/uchar.h>
#include <unicode/ustring.h>

#include <algorithm>
#include <new>
#include <string>
#include <vector>

#include "core/byte_scan.h"
#include "core/code_point.h"
#include "platform/code_page.h"

namespace lintrel {

namespace {

// Bytes decoded at a time: large enough that the overlap carried between pieces costs
// nothing, small enough to stay in the cache.
constexpr std::size_t kPiece = std::size_t{256} * 1024;

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

// `text` (folded) as bytes, where it is ASCII and `codePage` reads every ASCII byte as
// itself; nullopt elsewhere.
std::optional<std::string> AsciiNeedle(const QString& text, const QByteArray& codePage) {
    for (const QChar c : text) {
        if (c.unicode() >= 0x80) {
            return std::nullopt;
        }
    }
    // Some single-byte pages read a few control bytes as other characters.
    std::string ascii(0x80, '\0');
    for (std::size_t b = 0; b < ascii.size(); ++b) {
        ascii[b] = static_cast<char>(b);
    }
    if (DecodeText(codePage, ascii) != QLatin1StringView(ascii.data(), 0x80)) {
        return std::nullopt;
    }
    return text.toStdString();
}

// The ASCII end of folded text, as bytes: what follows its last other character, which no
// match of an ASCII text can take in.
std::string AsciiTail(const QString& folded) {
    qsizetype from = folded.size();
    while (from > 0 && folded[from - 1].unicode() < 0x80) {
        --from;
    }
    return QStringView(folded).mid(from).toLatin1().toStdString();
}

// `carried`'s ASCII end (what follows its last other character, which no match of an ASCII
// text can take in) and `piece` in lower case, in `out`; false when `piece` is not ASCII.
bool LoweredInto(std::string_view piece, const QString& carried, std::string& out) {
    // Assigned, not moved, so that `out` keeps its room from piece to piece.
    const std::string tail = AsciiTail(carried);
    out.assign(tail);
    const std::size_t kept = out.size();
    out.resize(kept + piece.size());
    return LowerAscii(piece, out.data() + kept);
}

// Whether `text` holds `chars`, looked for as bytes with the byte scans (which are several
// times as fast as a search of characters), a match at an odd byte not being one.
bool FindChars(QStringView text, QStringView chars) {
    const std::string_view bytes(reinterpret_cast<const char*>(text.utf16()),
                                 static_cast<std::size_t>(text.size()) * 2);
    const std::string_view needle(reinterpret_cast<const char*>(chars.utf16()),
                                  static_cast<std::size_t>(chars.size()) * 2);
    for (std::size_t at = FindBytes(bytes, 0, needle); at != std::string_view::npos;
         at = FindBytes(bytes, at + 1, needle)) {
        if (at % 2 == 0) {
            return true;
        }
    }
    return false;
}

// Where the piece from `at` ends: about kPiece bytes on, just after an ASCII byte that is not
// followed by a byte order mark's first byte, as the converter would drop a mark at a piece's
// start. Failing one in the piece's last 4 KiB, kPiece bytes on (between the bytes of a
// character, which the decoder carries), or one byte more so as not to end right before an
// ASCII byte, the one place where the converter loses a byte of a character cut short.
std::size_t PieceEnd(std::string_view note, std::size_t at) {
    if (note.size() - at <= kPiece) {
        return note.size();
    }
    const std::size_t end = at + kPiece;
    const auto ascii = [&](std::size_t i) { return static_cast<unsigned char>(note[i]) < 0x80; };
    for (std::size_t cut = end; cut > end - 4096; --cut) {
        if (ascii(cut - 1) && note[cut] != '\xEF') {
            return cut;
        }
    }
    return ascii(end) ? end + 1 : end;
}

// Each character of the first plane from U+0080 on as it folds, when it folds to a single
// character; 0 for those that fold to more (such as "ß") and for surrogates, which ICU folds
// as they come. The dotted capital I folds to a plain i.
std::vector<char16_t> FoldedBmp() {
    std::vector<char16_t> folded(0x10000, 0);
    for (char32_t c = 0x80; c <= 0xFFFF; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF) {
            continue;
        }
        const auto one = static_cast<UChar>(c);
        UChar to[4];
        UErrorCode error = U_ZERO_ERROR;
        if (u_strFoldCase(to, 4, &one, 1, U_FOLD_CASE_DEFAULT, &error) == 1 && U_SUCCESS(error)) {
            folded[c] = static_cast<char16_t>(to[0]);
        }
    }
    folded[0x0130] = u'i';
    return folded;
}

}  // namespace

void FoldInto(QStringView text, QString& out) {
    static const std::vector<char16_t> kFolded = FoldedBmp();
    const char16_t* chars = text.utf16();
    const qsizetype size = text.size();
    // Full folding grows a text at most threefold.
    const qsizetype start = out.size();
    out.resize(start + size * 3);
    char16_t* const first = reinterpret_cast<char16_t*>(out.data()) + start;
    char16_t* to = first;
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t c = chars[i];
        if (c < 0x80) {
            *to++ = static_cast<char16_t>(c - u'A') < 26 ? static_cast<char16_t>(c + 32) : c;
            continue;
        }
        if (kFolded[c] != 0) {
            *to++ = kFolded[c];
            continue;
        }
        // A character that folds to more than one, or one beyond the first plane: ICU.
        const auto length = static_cast<int32_t>(CodePointAt(QStringView(chars, size), i).units);
        UErrorCode error = U_ZERO_ERROR;
        const int32_t folded = u_strFoldCase(reinterpret_cast<UChar*>(to), 3 * length,
                                             reinterpret_cast<const UChar*>(chars + i), length,
                                             U_FOLD_CASE_DEFAULT, &error);
        if (U_FAILURE(error)) {
            std::copy(chars + i, chars + i + length, to);
            to += length;
        } else {
            to += folded;
        }
        i += length - 1;
    }
    out.truncate(start + (to - first));
}

namespace {

// Decodes `piece` into `decoded`, a buffer kept from piece to piece: a new one of this size each
// time would be fresh pages from the system. The last piece empties the decoder.
void DecodePiece(QStringDecoder& decoder, std::string_view piece, bool last, QString& decoded) {
    decoded.resize(decoder.requiredSpace(static_cast<qsizetype>(piece.size())));
    decoded.truncate(
        decoder.appendToBuffer(decoded.data(),
                               QByteArrayView(piece.data(), static_cast<qsizetype>(piece.size()))) -
        decoded.constData());
    if (last) {
        decoded += FlushDecoder(decoder);
    }
}

}  // namespace

QString FoldCase(QStringView text) {
    QString folded;
    folded.reserve(text.size());
    FoldInto(text, folded);
    return folded;
}

NoteSearch::NoteSearch(const QString& text) : folded_(FoldCase(text)) {}

std::optional<std::size_t> NoteSearch::FoundAt(const QByteArray& codePage,
                                               std::string_view note) const {
    if (folded_.isEmpty() || note.empty()) {
        return std::nullopt;
    }
    QStringDecoder decoder = NoteDecoder(codePage);
    // A text asked for without a line break never matches across one: line ends then need no
    // translating.
    const bool lineEnds =
        folded_.contains(QLatin1Char('\n')) || folded_.contains(QLatin1Char('\r'));
    // An ASCII text, in a code page that reads ASCII bytes as themselves, is looked for in the
    // bytes of every ASCII piece, without decoding or ICU.
    if (asciiPage_ != codePage) {
        asciiPage_ = codePage;
        asciiText_ = lineEnds ? std::nullopt : AsciiNeedle(folded_, codePage);
    }
    const std::optional<std::string>& asciiText = asciiText_;
    const qsizetype overlap = folded_.size() - 1;
    // The end of the folded text before this piece, as long as the text less one character,
    // so that a match across two pieces is found.
    QString carried;
    QString decoded;
    QString text;
    std::string lowered;
    bool pendingCr = false;
    std::size_t previous = 0;
    for (std::size_t at = 0; at < note.size();) {
        const std::size_t end = PieceEnd(note, at);
        const std::string_view piece = note.substr(at, end - at);
        // A match found here began in this piece or in the carried end of the one before.
        const std::size_t near = previous;
        previous = at;
        at = end;
        // Pieces end after an ASCII byte, where every code page the program reads begins a
        // character and the decoder holds nothing back: a piece of ASCII bytes there is ASCII
        // characters, and skipping it leaves the decoder as decoding it would.
        if (asciiText && (previous == 0 || static_cast<unsigned char>(note[previous - 1]) < 0x80) &&
            LoweredInto(piece, carried, lowered)) {
            const std::size_t kept = lowered.size() - piece.size();
            const std::size_t match = FindBytes(lowered, 0, *asciiText);
            if (match != std::string_view::npos) {
                // Where a match within the piece starts is known to the byte.
                return match >= kept ? previous + (match - kept) : near;
            }
            carried = QString::fromLatin1(std::string_view(lowered).substr(
                lowered.size() - std::min(lowered.size(), static_cast<std::size_t>(overlap))));
            continue;
        }
        DecodePiece(decoder, piece, end == note.size(), decoded);
        text.truncate(0);
        text += carried;
        FoldInto(lineEnds ? ShownPiece(decoded, pendingCr) : decoded, text);
        if (FindChars(text, folded_)) {
            return near;
        }
        carried = text.right(overlap);
    }
    return std::nullopt;
}

}  // namespace lintrel
