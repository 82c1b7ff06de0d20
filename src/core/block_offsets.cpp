// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/block_offsets.h"

#include <algorithm>
#include <optional>

namespace lintrel {

BlockOffsets::BlockOffsets(const DecodedNote& note) {
    const NoteBlocks& blocks = note.Blocks();
    for (std::optional<NoteBlock> block = blocks.First(); block; block = blocks.Next(*block)) {
        const int size = static_cast<int>(note.Decode(*block).size());
        starts_.push_back({block->start, size_, size});
        // Every line break counts one character, as the text gives it.
        size_ += size + (block->breakAfter ? 1 : 0);
    }
}

TextOffset BlockOffsets::OffsetOf(BlockPlace place) const {
    const auto at =
        std::lower_bound(starts_.begin(), starts_.end(), place.block,
                         [](const Start& s, std::size_t byte) { return s.byte < byte; });
    return at != starts_.end() && at->byte == place.block ? at->offset + place.index.value : size_;
}

BlockPlace BlockOffsets::PlaceOf(TextOffset offset) const {
    auto at = std::lower_bound(
        starts_.begin(), starts_.end(), offset,
        [](const Start& s, TextOffset wanted) { return s.offset + s.size < wanted; });
    if (at == starts_.end()) {
        at = std::prev(at);
    }
    return {at->byte, TextIndex(std::clamp(offset - at->offset, 0, at->size))};
}

}  // namespace lintrel
