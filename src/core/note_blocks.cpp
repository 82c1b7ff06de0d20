// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/note_blocks.h"

#include <QStringDecoder>

#include <algorithm>
#include <initializer_list>
#include <utility>

#include "core/byte_scan.h"

namespace lintrel {

namespace {

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

bool IsSpace(char c) {
    return c == ' ' || c == '\t';
}
unsigned Byte(char c) {
    return static_cast<unsigned char>(c);
}

using ByteRanges = std::initializer_list<std::pair<unsigned, unsigned>>;
struct DoubleBytePage {
    std::string_view codePage;
    ByteRanges lead;
    ByteRanges trail;
};

// The double-byte code pages the notes can be read in: the bytes that begin a two-byte
// character, and the bytes the converter takes with them as their second byte, whether the
// pair is a character or not (measured against the converter: a pair of these is one
// character or one bad one).
const DoubleBytePage kDoubleBytePages[] = {
    {"windows-932", {{0x81, 0x9F}, {0xE0, 0xFC}}, {{0x40, 0x7E}, {0x80, 0xFC}}},
    {"windows-949", {{0x81, 0xFE}}, {{0x40, 0x7E}, {0x80, 0xFE}}},
    {"johab", {{0x84, 0xD3}, {0xD8, 0xDE}, {0xE0, 0xF9}}, {{0x31, 0x7E}, {0x91, 0xFE}}},
    {"GBK", {{0x81, 0xFE}}, {{0x40, 0x7E}, {0x80, 0xFE}}},
    {"windows-950", {{0x81, 0xFE}}, {{0x40, 0x7E}, {0x80, 0xFE}}},
};

void Mark(std::array<bool, 256>& bytes, ByteRanges ranges) {
    for (const auto& [first, last] : ranges) {
        std::fill(bytes.begin() + first, bytes.begin() + last + 1, true);
    }
}

// A paragraph separator (U+2029) or one of the two characters a text box also takes for
// one (U+FDD0, U+FDD1) whose bytes in UTF-8 are `a`, `b`, `c`.
bool IsSeparator(unsigned a, unsigned b, unsigned c) {
    return (a == 0xE2 && b == 0x80 && c == 0xA9) || (a == 0xEF && b == 0xB7 && (c | 1) == 0x91);
}

}  // namespace

std::size_t NoteBlocks::BreakAt(std::size_t p) const {
    const std::size_t size = note_.size();
    if (p >= size) {
        return 0;
    }
    if (note_[p] == '\r') {
        return p + 1 < size && note_[p + 1] == '\n' ? 2 : 1;
    }
    if (note_[p] == '\n') {
        return 1;
    }
    const bool separator = encoding_ == Encoding::Utf8 && p + 2 < size &&
                           IsSeparator(Byte(note_[p]), Byte(note_[p + 1]), Byte(note_[p + 2]));
    return separator ? 3 : 0;
}

std::size_t NoteBlocks::BreakHolding(std::size_t p) const {
    for (const std::size_t back : {1, 2}) {
        if (p >= back && BreakAt(p - back) > back) {
            return p - back;
        }
    }
    return p;
}

std::size_t NoteBlocks::FindBreak(std::size_t from, std::size_t to) const {
    for (std::size_t p = ScanForBreak(note_, from, to, encoding_ == Encoding::Utf8); p < to; ++p) {
        if (BreakAt(p) != 0) {
            return p;
        }
    }
    return kNone;
}

std::size_t NoteBlocks::FindBreakBack(std::size_t from, std::size_t to, Sighting* sighting) const {
    const char* text = note_.data();
    const BreakBackScan rounds =
        ScanBackForBreak(note_, from, to, encoding_ == Encoding::Utf8,
                         sighting != nullptr ? static_cast<unsigned char>(sighting->byte) : -1);
    if (sighting != nullptr) {
        sighting->from = std::min(to, rounds.marked);
    }
    for (std::size_t at = rounds.stopped; at > from; --at) {
        const char c = text[at - 1];
        if (c == '\r' || c == '\n' || (at >= 3 && BreakAt(at - 3) == 3)) {
            return at - 1;
        }
        if (sighting != nullptr && c == sighting->byte) {
            sighting->from = at - 1;
        }
    }
    return kNone;
}

NoteBlocks::NoteBlocks(std::string_view note, std::string_view codePage, BlockLimits limits)
    : note_(note), limits_(limits) {
    encoding_ = codePage == kUtf8 ? Encoding::Utf8 : Encoding::SingleByte;
    for (const DoubleBytePage& page : kDoubleBytePages) {
        if (page.codePage == codePage) {
            encoding_ = Encoding::DoubleByte;
            Mark(lead_, page.lead);
            Mark(trail_, page.trail);
        }
    }
}

// No byte below 0x30 is the second byte of a double-byte character (their second bytes are
// 0x31 and above), so such a byte, and a line's start, begins a character in every page. From
// there the characters are read as the converter reads them: a lead byte and a byte that may
// follow it make one character; a lead byte before any other byte stands alone.
std::size_t NoteBlocks::DoubleByteStart(std::size_t g) const {
    std::size_t from = 0;
    if (auto known = pairedStarts_.upper_bound(g); known != pairedStarts_.begin()) {
        const auto& [point, start] = *std::prev(known);
        if (point == g) {
            return start;
        }
        from = start;  // a character start before g: the grid points lie a stretch apart
    }
    for (std::size_t p = g; p > from; --p) {
        if (Byte(note_[p - 1]) < 0x30) {
            from = p;
            break;
        }
    }
    std::size_t start = from;
    while (start < g) {
        const bool pair =
            lead_[Byte(note_[start])] && start + 1 < note_.size() && trail_[Byte(note_[start + 1])];
        start += pair ? 2 : 1;
    }
    pairedStarts_[g] = start;
    return start;
}

namespace {

// A UTF-8 decoder that tells whether it holds part of a character.
class Utf8Decoder : public QStringDecoder {
  public:
    Utf8Decoder() : QStringDecoder(QStringDecoder::Utf8) {}
    bool Holding() const { return state.remainingChars != 0; }
};

}  // namespace

// The first place at or after g where the converter, reading the whole note, holds nothing
// back: a block ending there decodes as that stretch of the whole note does. UTF-8 finds its
// way within four bytes, so reading from a few bytes before g gives the note's own state.
std::size_t NoteBlocks::Utf8Start(std::size_t g) const {
    const std::size_t from = g >= 8 ? g - 8 : 0;
    for (std::size_t p = g; p < std::min(note_.size(), g + 16); ++p) {
        Utf8Decoder decoder;
        const QString read =
            decoder(QByteArrayView(note_.data() + from, static_cast<qsizetype>(p - from)));
        if (!decoder.Holding()) {
            return p;
        }
    }
    return kNone;  // no such place before the line ends: no cut here
}

// After the spaces that follow the first space or tab from g on, within the stretch and the
// line; failing that, where a character begins at g. kNone when that is the line's end.
std::size_t NoteBlocks::CutAt(std::size_t g) const {
    if (BreakHolding(g) != g) {
        return kNone;  // within a line break, as on one
    }
    // Within the line: up to its break, found many bytes at a time.
    std::size_t limit = std::min(note_.size(), g + limits_.stretch);
    limit = std::min(limit, FindBreak(g, limit));
    std::size_t cut = kNone;
    for (std::size_t p = g; p < limit; ++p) {
        if (IsSpace(note_[p])) {
            while (p < note_.size() && IsSpace(note_[p])) {
                ++p;
            }
            cut = p;
            break;
        }
    }
    // Failing a space: after a byte below 0x30, which is a whole character in every page and
    // leaves the converter with nothing pending.
    for (std::size_t p = g; cut == kNone && p < limit; ++p) {
        if (Byte(note_[p]) < 0x30) {
            cut = p + 1;
        }
    }
    if (cut == kNone) {
        switch (encoding_) {
            case Encoding::Utf8:
                cut = Utf8Start(g);
                break;
            case Encoding::DoubleByte:
                cut = DoubleByteStart(g);
                break;
            case Encoding::SingleByte:
                cut = g;
                break;
        }
    }
    return cut != kNone && cut < note_.size() && BreakAt(cut) == 0 ? cut : kNone;
}

// The stretch of a long line that holds pos: from the last cut at or before pos to the first
// after it, or to the line's ends where there is none (their search then goes as far as it
// must). `lineStart` and `lineEnd` are known where they are near.
NoteBlock NoteBlocks::Stretch(std::size_t pos, std::optional<std::size_t> lineStart,
                              std::optional<std::size_t> lineEnd) const {
    const std::size_t size = note_.size();
    NoteBlock block;
    const std::size_t step = limits_.stretch;
    std::optional<std::size_t> start;
    for (std::size_t g = pos / step * step; g > 0 && g >= lineStart.value_or(0); g -= step) {
        if (const std::size_t cut = CutAt(g); cut != kNone && cut <= pos) {
            start = cut;
            break;
        }
    }
    if (!start && !lineStart) {
        const std::size_t b = FindBreakBack(0, pos);
        lineStart = b == kNone ? 0 : b + 1;
    }
    block.start = start ? *start : *lineStart;
    // A cut found from a grid point before the line belongs to the line before.
    if (const std::size_t b = FindBreakBack(block.start, pos); b != kNone) {
        block.start = b + 1;
    }
    std::optional<std::size_t> end;
    const std::size_t endLimit = lineEnd.value_or(size);
    for (std::size_t g = pos / step * step + (pos < step ? step : 0); g < endLimit; g += step) {
        if (const std::size_t cut = CutAt(g); cut != kNone && cut > pos) {
            end = cut;
            break;
        }
    }
    if (!end && !lineEnd) {
        const std::size_t b = FindBreak(pos, size);
        lineEnd = b == kNone ? size : b;
    }
    block.end = std::min(end ? *end : *lineEnd, lineEnd.value_or(size));
    // And a cut past the line's end belongs to the line after.
    if (const std::size_t b = FindBreak(pos, block.end); b != kNone) {
        block.end = b;
    }
    return block;
}

std::size_t NoteBlocks::LineStart(std::size_t pos, Sighting* sighting) const {
    pos = std::min(pos, note_.size());
    const std::size_t b = FindBreakBack(0, pos, sighting);
    return b == kNone ? 0 : b + 1;
}

std::optional<std::size_t> NoteBlocks::LineStartAfter(std::size_t from, std::size_t pos,
                                                      Sighting* sighting) const {
    pos = std::min(pos, note_.size());
    const std::size_t b = FindBreakBack(from, pos, sighting);
    return b == kNone ? std::nullopt : std::optional<std::size_t>(b + 1);
}

NoteBlock NoteBlocks::At(std::size_t pos) const {
    const std::size_t size = note_.size();
    pos = std::min(pos, size);
    // A byte within a line break (the LF of a CR LF, a separator's later bytes) belongs to
    // the same break as the break's first byte.
    pos = BreakHolding(pos);
    // The line holding pos, each end where it is near.
    const std::size_t reach = limits_.wholeLine + 1;
    std::optional<std::size_t> lineStart;
    const std::size_t backFrom = pos > reach ? pos - reach : 0;
    if (const std::size_t b = FindBreakBack(backFrom, pos); b != kNone) {
        lineStart = b + 1;
    } else if (backFrom == 0) {
        lineStart = 0;
    }
    std::optional<std::size_t> lineEnd;
    const std::size_t forwardTo = std::min(size, pos + reach);
    if (const std::size_t b = FindBreak(pos, forwardTo); b != kNone) {
        lineEnd = b;
    } else if (forwardTo == size) {
        lineEnd = size;
    }

    NoteBlock block;
    if (lineStart && lineEnd && *lineEnd - *lineStart <= limits_.wholeLine) {
        block.start = *lineStart;
        block.end = *lineEnd;
    } else {
        block = Stretch(pos, lineStart, lineEnd);
    }
    if (const std::size_t length = BreakAt(block.end); length != 0) {
        block.breakAfter = true;
        block.next = block.end + length;
    } else if (block.end < size) {
        block.next = block.end;
    }
    return block;
}

std::optional<NoteBlock> NoteBlocks::Next(const NoteBlock& block) const {
    if (!block.next) {
        return std::nullopt;
    }
    return At(*block.next);
}

std::optional<NoteBlock> NoteBlocks::Previous(const NoteBlock& block) const {
    if (block.start == 0) {
        return std::nullopt;
    }
    return At(block.start - 1);
}

}  // namespace lintrel
