// SPDX-License-Identifier: GPL-3.0-or-later
// The note box's blocks: for any bytes in any code page, the blocks decoded one by one and
// joined must be the note decoded whole, and every byte must find the block that holds it. The
// controls open at each stretch must be the same whichever stretch is met first.
//
// Input: one byte choosing the code page, then the note.
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "core/block_text.h"
#include "core/decoded_note.h"
#include "core/note_blocks.h"
#include "platform/code_page.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    static const int kCharsets[] = {1, 0, 128, 129, 130, 134, 136, 255};
    const QByteArray page = lintrel::CodePageForCharset(kCharsets[data[0] % std::size(kCharsets)]);
    const std::string_view note(reinterpret_cast<const char*>(data + 1), size - 1);
    // Small limits, so that short inputs have long lines.
    const lintrel::DecodedNote decoded(page, lintrel::NoteText{note, {}},
                                       lintrel::BlockLimits{64, 16});
    const lintrel::NoteBlocks& blocks = decoded.Blocks();
    QString joined;
    std::size_t pos = 0;
    lintrel::LineDirections forward;
    std::vector<std::pair<lintrel::NoteBlock, QString>> opened;
    for (std::optional<lintrel::NoteBlock> block = blocks.First(); block;
         block = blocks.Next(*block)) {
        if (block->start != pos) {
            std::abort();
        }
        const std::size_t after = block->next.value_or(note.size());
        for (std::size_t p = block->start; p < after; ++p) {
            if (!(blocks.At(p) == *block)) {
                std::abort();
            }
        }
        pos = after;
        opened.emplace_back(*block, forward.OpenAt(decoded, *block));
        joined += decoded.Decode(*block) + decoded.BreakText(*block);
    }
    if (pos != note.size() || joined != lintrel::ShownText(page, note)) {
        std::abort();
    }
    lintrel::LineDirections backward;
    for (auto it = opened.rbegin(); it != opened.rend(); ++it) {
        if (backward.OpenAt(decoded, it->first) != it->second) {
            std::abort();
        }
    }
    return 0;
}
