// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <vector>

#include "core/decoded_note.h"
#include "core/note_blocks.h"
#include "core/text_units.h"

namespace lintrel {

// Where each block's text starts in the whole note's text, as screen readers count it. Built
// once for a note by decoding each block; a place and an offset are then found from each
// other by a binary search, not by decoding the note from its start.
class BlockOffsets {
  public:
    explicit BlockOffsets(const DecodedNote& note);

    // The offset of `place`; the text's end for a place in no block.
    TextOffset OffsetOf(BlockPlace place) const;
    // The place at `offset`: in the first block whose text reaches it (so the end of a block
    // rather than the start of the next), held within the note.
    BlockPlace PlaceOf(TextOffset offset) const;
    // The length of the whole text.
    TextOffset Size() const { return size_; }

  private:
    struct Start {
        std::size_t byte = 0;
        TextOffset offset;
        // The length of the block's text, its line break left out.
        int size = 0;
    };
    std::vector<Start> starts_;
    TextOffset size_;
};

}  // namespace lintrel
