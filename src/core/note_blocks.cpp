// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/note_blocks.h"

#include <algorithm>
#include <initializer_list>
#include <utility>

namespace lintrel {

namespace {

// How far past a grid point a byte that is a whole character is looked for, and how far
// back the lead bytes before it are counted.
constexpr std::size_t kCutWindow = 256;

bool IsBreak(char c) {
    return c == '\r' || c == '\n';
}
unsigned Byte(char c) {
    return static_cast<unsigned char>(c);
}

struct LeadRanges {
    std::string_view codePage;
    std::initializer_list<std::pair<unsigned, unsigned>> ranges;
};

// The lead bytes of the double-byte code pages the notes can be read in.
const LeadRanges kLeadBytes[] = {
    {"windows-932", {{0x81, 0x9F}, {0xE0, 0xFC}}},
    {"windows-949", {{0x81, 0xFE}}},
    {"johab", {{0x84, 0xD3}, {0xD8, 0xDE}, {0xE0, 0xF9}}},
    {"GBK", {{0x81, 0xFE}}},
    {"windows-950", {{0x81, 0xFE}}},
};

}  // namespace

NoteBlocks::NoteBlocks(std::string_view note, std::string_view codePage) : note_(note) {
    encoding_ = codePage == "UTF-8" ? Encoding::Utf8 : Encoding::SingleByte;
    for (const LeadRanges& page : kLeadBytes) {
        if (page.codePage == codePage) {
            encoding_ = Encoding::DoubleByte;
            for (const auto& [first, last] : page.ranges) {
                std::fill(lead_.begin() + first, lead_.begin() + last + 1, true);
            }
        }
    }
}

// A byte below 0x30 is a whole character in every code page here (the trail bytes of the
// double-byte pages are 0x31 and above), so the stretch begins at the first such byte after
// g, or after it when it is a line break. Failing that: in UTF-8 past the continuation bytes
// at g; in a double-byte page at g, or after it when g is a trail byte: the lead-range bytes
// just before g pair up from the first of them, which follows a character's end.
std::size_t NoteBlocks::CutAt(std::size_t g) const {
    const std::size_t limit = std::min(note_.size(), g + kCutWindow);
    for (std::size_t p = g; p < limit; ++p) {
        if (Byte(note_[p]) >= 0x30) {
            continue;
        }
        if (note_[p] == '\r' && p + 1 < note_.size() && note_[p + 1] == '\n') {
            return p + 2;
        }
        return IsBreak(note_[p]) ? p + 1 : p;
    }
    switch (encoding_) {
        case Encoding::Utf8: {
            std::size_t p = g;
            while (p < std::min(note_.size(), g + 3) && (Byte(note_[p]) & 0xC0) == 0x80) {
                ++p;
            }
            return p;
        }
        case Encoding::DoubleByte: {
            std::size_t run = 0;
            while (run < std::min(g, kCutWindow) && lead_[Byte(note_[g - run - 1])]) {
                ++run;
            }
            return run % 2 == 1 ? g + 1 : g;
        }
        case Encoding::SingleByte:
            break;
    }
    return g;
}

NoteBlock NoteBlocks::At(std::size_t pos) const {
    pos = std::min(pos, note_.size());
    // The LF of a CR LF belongs to the same break as its CR.
    if (pos > 0 && pos < note_.size() && note_[pos] == '\n' && note_[pos - 1] == '\r') {
        --pos;
    }
    std::size_t g = pos / kBlockBytes * kBlockBytes;
    std::size_t cut = GridCut(g);
    if (cut > pos) {
        g -= kBlockBytes;
        cut = GridCut(g);
    }
    NoteBlock block;
    block.start = cut;
    for (std::size_t p = pos; p > cut; --p) {
        if (IsBreak(note_[p - 1])) {
            block.start = p;
            break;
        }
    }
    const std::size_t nextCut =
        g + kBlockBytes < note_.size() ? CutAt(g + kBlockBytes) : note_.size();
    const auto from = note_.begin() + static_cast<std::ptrdiff_t>(block.start);
    const auto to = note_.begin() + static_cast<std::ptrdiff_t>(nextCut);
    const auto lineBreak = std::find_if(from, to, IsBreak);
    block.end = static_cast<std::size_t>(lineBreak - note_.begin());
    if (lineBreak != to) {
        block.breakAfter = true;
        const bool crLf =
            *lineBreak == '\r' && block.end + 1 < note_.size() && note_[block.end + 1] == '\n';
        block.next = block.end + (crLf ? 2 : 1);
    } else if (nextCut < note_.size()) {
        block.next = nextCut;
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
