// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace lintrel {

// A note is shown as a run of blocks, each decoded and laid out on its own, so that showing
// a note costs what its visible part costs. A block is a line of the note (a line break is
// CR LF, a lone CR or a lone LF) or, in a long line, a stretch of about kBlockBytes bytes.
// Stretches are cut on a fixed grid, so the block holding any byte is found by scanning at
// most two stretches, and where no character can continue: at a byte below 0x30, which is a
// whole character in every code page the notes are read in (the trail bytes of the
// double-byte pages are 0x30 and above).
constexpr std::size_t kBlockBytes = 16384;

struct NoteBlock {
    // The block's bytes are [start, end) of the note.
    std::size_t start = 0;
    std::size_t end = 0;
    // A line break follows the block (the next block starts a new line).
    bool breakAfter = false;
    // Where the next block starts; none for the note's last block.
    std::optional<std::size_t> next;

    friend bool operator==(const NoteBlock&, const NoteBlock&) = default;
};

// The block that holds byte `pos` of `note` (0 <= pos <= note.size()); a byte of a line
// break belongs to the block before the break.
NoteBlock BlockAt(std::string_view note, std::size_t pos);

// The blocks around `block`, none past either end of the note.
std::optional<NoteBlock> NextBlock(std::string_view note, const NoteBlock& block);
std::optional<NoteBlock> PreviousBlock(std::string_view note, const NoteBlock& block);

}  // namespace lintrel
