// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/block_text.h"

#include "platform/code_page.h"

namespace lintrel {

QString DecodeBlock(const QByteArray& codePage, const NoteBlocks& blocks, const NoteBlock& block) {
    // A block that ends at a line break decodes as it does before the break in the whole note.
    return block.breakAfter ? DecodeLine(codePage, blocks.BytesToDecode(block))
                            : DecodeText(codePage, blocks.Bytes(block));
}

QString TextBetween(const QByteArray& codePage, const NoteBlocks& blocks, BlockPlace from,
                    BlockPlace to) {
    QString text;
    for (std::optional<NoteBlock> block = blocks.At(from.block); block && block->start <= to.block;
         block = blocks.Next(*block)) {
        const QString decoded = DecodeBlock(codePage, blocks, *block);
        const int start = block->start == from.block ? from.index : 0;
        const int end = block->start == to.block ? to.index : static_cast<int>(decoded.size());
        text += decoded.mid(start, end - start);
        if (block->breakAfter && block->start != to.block) {
            text += QLatin1Char('\n');
        }
    }
    return text;
}

}  // namespace lintrel
