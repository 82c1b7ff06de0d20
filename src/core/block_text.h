// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <map>
#include <optional>

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

// Whether a line may break inside `text` (not only at its end). A text without such a place,
// as a word longer than a stretch, wraps the same anywhere, and is laid out far faster so: the
// layout looks for the word's end again on every line.
bool HasLineBreakInside(const QString& text);

// The base direction of the stretches of long lines. A line cut into stretches is one
// paragraph: each stretch takes the direction of the line's first strong character (skipping
// isolates), as a text box takes a paragraph's, looked for in the line's first kReach bytes;
// left to right when there is none there.
class LineDirections {
  public:
    static constexpr std::size_t kReach = std::size_t{1} << 20;

    // nullopt for a block that is a whole line, whose layout finds its own.
    std::optional<Qt::LayoutDirection> Of(const QByteArray& codePage, const NoteBlocks& blocks,
                                          const NoteBlock& block);
    void Clear() {
        lineOf_.clear();
        direction_.clear();
    }

  private:
    // The line start of each stretch met, so that a stretch next to one met needs no search
    // back to its line's start.
    std::map<std::size_t, std::size_t> lineOf_;
    std::map<std::size_t, Qt::LayoutDirection> direction_;
};

}  // namespace lintrel
