// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/note_blocks.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <utility>

namespace lintrel {

namespace {

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

bool IsBreak(char c) {
    return c == '\r' || c == '\n';
}
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
// character, and the bytes that may follow them as its second byte.
const DoubleBytePage kDoubleBytePages[] = {
    {"windows-932", {{0x81, 0x9F}, {0xE0, 0xFC}}, {{0x40, 0x7E}, {0x80, 0xFC}}},
    {"windows-949", {{0x81, 0xFE}}, {{0x41, 0x5A}, {0x61, 0x7A}, {0x81, 0xFE}}},
    {"johab", {{0x84, 0xD3}, {0xD8, 0xDE}, {0xE0, 0xF9}}, {{0x31, 0x7E}, {0x91, 0xFE}}},
    {"GBK", {{0x81, 0xFE}}, {{0x40, 0x7E}, {0x80, 0xFE}}},
    {"windows-950", {{0x81, 0xFE}}, {{0x40, 0x7E}, {0xA1, 0xFE}}},
};

void Mark(std::array<bool, 256>& bytes, ByteRanges ranges) {
    for (const auto& [first, last] : ranges) {
        std::fill(bytes.begin() + first, bytes.begin() + last + 1, true);
    }
}

// The first line break in [from, to), or kNone.
std::size_t FindBreak(std::string_view s, std::size_t from, std::size_t to) {
    const void* cr = std::memchr(s.data() + from, '\r', to - from);
    const std::size_t limit =
        cr ? static_cast<std::size_t>(static_cast<const char*>(cr) - s.data()) : to;
    const void* lf = std::memchr(s.data() + from, '\n', limit - from);
    if (lf) {
        return static_cast<std::size_t>(static_cast<const char*>(lf) - s.data());
    }
    return cr ? limit : kNone;
}

// The last line break in [from, to), or kNone.
std::size_t FindBreakBack(std::string_view s, std::size_t from, std::size_t to) {
    const void* cr = ::memrchr(s.data() + from, '\r', to - from);
    const std::size_t floor =
        cr ? static_cast<std::size_t>(static_cast<const char*>(cr) - s.data()) + 1 : from;
    const void* lf = ::memrchr(s.data() + floor, '\n', to - floor);
    if (lf) {
        return static_cast<std::size_t>(static_cast<const char*>(lf) - s.data());
    }
    return cr ? floor - 1 : kNone;
}

}  // namespace

NoteBlocks::NoteBlocks(std::string_view note, std::string_view codePage, BlockLimits limits)
    : note_(note), limits_(limits) {
    encoding_ = codePage == "UTF-8" ? Encoding::Utf8 : Encoding::SingleByte;
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

// After the spaces that follow the first space or tab from g on, within the stretch and the
// line; failing that, where a character begins at g. kNone when that is the line's end.
std::size_t NoteBlocks::CutAt(std::size_t g) const {
    const std::size_t limit = std::min(note_.size(), g + limits_.stretch);
    std::size_t cut = kNone;
    for (std::size_t p = g; p < limit && !IsBreak(note_[p]); ++p) {
        if (IsSpace(note_[p])) {
            while (p < note_.size() && IsSpace(note_[p])) {
                ++p;
            }
            cut = p;
            break;
        }
    }
    if (cut == kNone) {
        switch (encoding_) {
            case Encoding::Utf8:
                cut = g;
                while (cut < std::min(note_.size(), g + 3) && (Byte(note_[cut]) & 0xC0) == 0x80) {
                    ++cut;
                }
                break;
            case Encoding::DoubleByte:
                cut = DoubleByteStart(g);
                break;
            case Encoding::SingleByte:
                cut = g;
                break;
        }
    }
    return cut < note_.size() && !IsBreak(note_[cut]) ? cut : kNone;
}

NoteBlock NoteBlocks::At(std::size_t pos) const {
    const std::size_t size = note_.size();
    pos = std::min(pos, size);
    // The LF of a CR LF belongs to the same break as its CR.
    if (pos > 0 && pos < size && note_[pos] == '\n' && note_[pos - 1] == '\r') {
        --pos;
    }
    // The line holding pos, each end where it is near.
    const std::size_t reach = limits_.wholeLine + 1;
    std::optional<std::size_t> lineStart;
    const std::size_t backFrom = pos > reach ? pos - reach : 0;
    if (const std::size_t b = FindBreakBack(note_, backFrom, pos); b != kNone) {
        lineStart = b + 1;
    } else if (backFrom == 0) {
        lineStart = 0;
    }
    std::optional<std::size_t> lineEnd;
    const std::size_t forwardTo = std::min(size, pos + reach);
    if (const std::size_t b = FindBreak(note_, pos, forwardTo); b != kNone) {
        lineEnd = b;
    } else if (forwardTo == size) {
        lineEnd = size;
    }

    NoteBlock block;
    if (lineStart && lineEnd && *lineEnd - *lineStart <= limits_.wholeLine) {
        block.start = *lineStart;
        block.end = *lineEnd;
    } else {
        // A long line: the stretch between the last cut at or before pos and the first after.
        const std::size_t step = limits_.stretch;
        block.start = lineStart.value_or(0);
        for (std::size_t g = pos / step * step; g > block.start; g -= step) {
            if (const std::size_t cut = CutAt(g); cut != kNone && cut <= pos) {
                block.start = cut;
                break;
            }
        }
        block.end = lineEnd.value_or(size);
        for (std::size_t g = pos / step * step + (pos < step ? step : 0); g < block.end;
             g += step) {
            if (const std::size_t cut = CutAt(g); cut != kNone && cut > pos) {
                block.end = std::min(block.end, cut);
                break;
            }
        }
    }
    if (block.end < size && IsBreak(note_[block.end])) {
        block.breakAfter = true;
        const bool crLf =
            note_[block.end] == '\r' && block.end + 1 < size && note_[block.end + 1] == '\n';
        block.next = block.end + (crLf ? 2 : 1);
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
