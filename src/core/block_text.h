// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>

#include "core/note_blocks.h"

namespace lintrel {

// A block's text in `codePage`, exactly as that stretch of the whole note decodes.
QString DecodeBlock(const QByteArray& codePage, const NoteBlocks& blocks, const NoteBlock& block);

// A place in a note: a block (by its first byte) and a character of its text.
struct BlockPlace {
    std::size_t block = 0;
    int index = 0;
    friend auto operator<=>(const BlockPlace&, const BlockPlace&) = default;
};

// The note's text from `from` to `to`, each line break one "\n".
QString TextBetween(const QByteArray& codePage, const NoteBlocks& blocks, BlockPlace from,
                    BlockPlace to);

}  // namespace lintrel
