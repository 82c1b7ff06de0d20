// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <compare>
#include <cstddef>
#include <string_view>

#include "core/note_blocks.h"
#include "core/note_list.h"
#include "core/text_units.h"

namespace lintrel {

// A place in a note: a block (by its first byte) and a character of its text.
struct BlockPlace {
    std::size_t block = 0;
    TextIndex index;
    friend auto operator<=>(const BlockPlace&, const BlockPlace&) = default;
};

// A note as it is shown: its bytes, the code page they are read in and the blocks they are cut
// into, and the text of any part of it. It keeps the bytes alive; a copy shares them.
class DecodedNote {
  public:
    DecodedNote() : DecodedNote(QByteArray(kUtf8), NoteText{}) {}
    DecodedNote(const QByteArray& codePage, NoteText note, BlockLimits limits = {});

    // The bytes and what keeps them alive.
    const NoteText& Text() const { return note_; }
    std::string_view Bytes() const { return note_.bytes; }
    const QByteArray& CodePage() const { return codePage_; }
    const NoteBlocks& Blocks() const { return blocks_; }

    // A block's text, exactly as that stretch of the whole note decodes.
    QString Decode(const NoteBlock& block) const;
    // The line break after `block` as the text shows it: "\n" for CR LF, CR and LF, a
    // separator as itself; nothing when no break follows.
    QString BreakText(const NoteBlock& block) const;
    // The note's text from `from` to `to`, each line break as BreakText gives it.
    QString Between(BlockPlace from, BlockPlace to) const;
    // The whole note's text, as a text box holds it.
    QString Whole() const { return ShownText(codePage_, note_.bytes); }

  private:
    NoteText note_;
    QByteArray codePage_;
    NoteBlocks blocks_;
};

}  // namespace lintrel
