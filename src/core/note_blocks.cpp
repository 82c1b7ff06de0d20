// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/note_blocks.h"

#include <algorithm>

namespace lintrel {

namespace {

// How far past a grid point a safe cut is looked for.
constexpr std::size_t kCutWindow = 256;

bool IsBreak(char c) { return c == '\r' || c == '\n'; }

// Where the stretch that starts at grid point `g` (0 < g < size) begins: at the first byte
// below 0x30 in the window after g, or after it when it is a line break; failing that, past
// any UTF-8 continuation bytes at g.
std::size_t CutAt(std::string_view note, std::size_t g) {
    const std::size_t limit = std::min(note.size(), g + kCutWindow);
    for (std::size_t p = g; p < limit; ++p) {
        const auto byte = static_cast<unsigned char>(note[p]);
        if (byte >= 0x30) {
            continue;
        }
        if (byte == '\r' && p + 1 < note.size() && note[p + 1] == '\n') {
            return p + 2;
        }
        return IsBreak(note[p]) ? p + 1 : p;
    }
    std::size_t p = g;
    while (p < std::min(note.size(), g + 4) && (static_cast<unsigned char>(note[p]) & 0xC0) == 0x80) {
        ++p;
    }
    return p < note.size() && (static_cast<unsigned char>(note[p]) & 0xC0) != 0x80 ? p : g;
}

std::size_t GridCut(std::string_view note, std::size_t g) { return g == 0 ? 0 : CutAt(note, g); }

}  // namespace

NoteBlock BlockAt(std::string_view note, std::size_t pos) {
    pos = std::min(pos, note.size());
    // The LF of a CR LF belongs to the same break as its CR.
    if (pos > 0 && pos < note.size() && note[pos] == '\n' && note[pos - 1] == '\r') {
        --pos;
    }
    std::size_t g = pos / kBlockBytes * kBlockBytes;
    std::size_t cut = GridCut(note, g);
    if (cut > pos) {
        g -= kBlockBytes;
        cut = GridCut(note, g);
    }
    NoteBlock block;
    block.start = cut;
    for (std::size_t p = pos; p > cut; --p) {
        if (IsBreak(note[p - 1])) {
            block.start = p;
            break;
        }
    }
    const std::size_t nextCut =
        g + kBlockBytes < note.size() ? CutAt(note, g + kBlockBytes) : note.size();
    const auto from = note.begin() + static_cast<std::ptrdiff_t>(block.start);
    const auto to = note.begin() + static_cast<std::ptrdiff_t>(nextCut);
    const auto lineBreak = std::find_if(from, to, IsBreak);
    block.end = static_cast<std::size_t>(lineBreak - note.begin());
    if (lineBreak != to) {
        block.breakAfter = true;
        const bool crLf = *lineBreak == '\r' && block.end + 1 < note.size() &&
                          note[block.end + 1] == '\n';
        block.next = block.end + (crLf ? 2 : 1);
    } else if (nextCut < note.size()) {
        block.next = nextCut;
    }
    return block;
}

std::optional<NoteBlock> NextBlock(std::string_view note, const NoteBlock& block) {
    if (!block.next) {
        return std::nullopt;
    }
    return BlockAt(note, *block.next);
}

std::optional<NoteBlock> PreviousBlock(std::string_view note, const NoteBlock& block) {
    if (block.start == 0) {
        return std::nullopt;
    }
    return BlockAt(note, block.start - 1);
}

}  // namespace lintrel
