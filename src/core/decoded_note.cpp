// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/decoded_note.h"

#include <optional>
#include <utility>

namespace lintrel {

DecodedNote::DecodedNote(const QByteArray& codePage, NoteText note, BlockLimits limits)
    : note_(std::move(note)),
      codePage_(codePage),
      blocks_(note_.bytes,
              std::string_view(codePage_.constData(), static_cast<std::size_t>(codePage_.size())),
              limits) {}

QString DecodedNote::Decode(const NoteBlock& block) const {
    // A block that ends at a line break decodes as it does before the break in the whole note.
    return block.breakAfter ? DecodeLine(codePage_, blocks_.BytesToDecode(block))
                            : DecodeText(codePage_, blocks_.Bytes(block));
}

QString DecodedNote::BreakText(const NoteBlock& block) const {
    const std::string_view bytes = blocks_.BreakBytes(block);
    if (bytes.empty() || bytes[0] == '\r' || bytes[0] == '\n') {
        return bytes.empty() ? QString() : QStringLiteral("\n");
    }
    return DecodeText(codePage_, bytes);
}

QString DecodedNote::Between(BlockPlace from, BlockPlace to) const {
    QString text;
    for (std::optional<NoteBlock> block = blocks_.At(from.block); block && block->start <= to.block;
         block = blocks_.Next(*block)) {
        const QString decoded = Decode(*block);
        const int start = block->start == from.block ? from.index.value : 0;
        const int end =
            block->start == to.block ? to.index.value : static_cast<int>(decoded.size());
        text += decoded.mid(start, end - start);
        if (block->start != to.block) {
            text += BreakText(*block);
        }
    }
    return text;
}

}  // namespace lintrel
