// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QString>

#include <compare>
#include <cstddef>
#include <map>
#include <memory>
#include <utility>

#include "core/block_text.h"
#include "core/decoded_note.h"
#include "core/note_blocks.h"
#include "note_box/laid_block.h"

namespace lintrel {

// How a note is laid out in a box: the font, the box's width, and the margin left at its edges
// (the note's first block carries the top margin, its last the bottom margin).
struct LaidShape {
    QFont font;
    int width = 0;
    int margin = 0;
};

// A place of the top of a box: a block and how far its top is above the box's top.
struct BoxTop {
    NoteBlock block;
    int y = 0;
    friend bool operator==(const BoxTop&, const BoxTop&) = default;
    friend auto operator<=>(const BoxTop& a, const BoxTop& b) {
        return std::pair(a.block.start, a.y) <=> std::pair(b.block.start, b.y);
    }
};

// A line of a note as laid out: its block, by the block's first byte, and its number there.
struct ViewLine {
    std::size_t block = 0;
    int line = 0;
    friend auto operator<=>(const ViewLine&, const ViewLine&) = default;
};

// A note's blocks, each decoded and laid out when it is first asked for, with the
// directions of the long lines they cut; the layouts are dropped when they hold too much.
class LaidNote {
  public:
    // A new note, none of it laid out.
    void Reset(DecodedNote note);
    // Lays out from now on in `shape`, forgetting the layouts when it is a new one; whether it
    // was.
    bool Reshape(const LaidShape& shape);
    const LaidShape& Shape() const { return shape_; }
    // Forgets every layout.
    void Forget();
    // Drops the layouts once they hold too much: the one place where they are dropped, so that
    // a LaidBlock& stays valid until the next Trim() or Forget().
    void Trim();

    const DecodedNote& Note() const { return note_; }
    const NoteBlocks& Blocks() const { return note_.Blocks(); }
    // The block laid out in the shape.
    LaidBlock& Layout(const NoteBlock& block);
    // The block's layout when it has one.
    const LaidBlock* Laid(std::size_t start) const;
    // The block's text, from its layout when it has one.
    QString Decoded(const NoteBlock& block) const;

    // The walks between places of a box's top, pixels and bytes, laying out what they pass.
    // `top` with its y within its block's height, held between the note's start and end.
    BoxTop Normalised(BoxTop top);
    // The top of the line that holds `top`, or with `down` of the first line from it on.
    BoxTop Snapped(BoxTop top, bool down);
    // The top of a box `height` pixels high whose bottom is at `bottom`, as a text box scrolls
    // a line into view from above: the first line that starts within the box.
    BoxTop Above(BoxTop bottom, int height);
    // The top of the last screenful of a box `height` pixels high, as a text box scrolls: the
    // whole lines that fit above its bottom margin end the note, or the note's start at the top
    // when the note is shorter.
    BoxTop LastTop(int height);
    // The top `lines` whole lines further down (up when negative), held to the note: a text
    // box's scroll bar steps by lines, whatever their heights.
    BoxTop LinesFrom(BoxTop top, int lines);
    // How many lines there are from the line of `top` to the note's end.
    int LinesToEnd(BoxTop top);
    // Where a text box's Page Down (or Page Up) puts its top when the box's top stands
    // `from` pixels into the block of `top` and the box is `height` pixels high: the first line
    // that did not wholly fit on the screen (or the first line wholly within the page above);
    // none when the note's end is on the screen already.
    std::optional<BoxTop> PagedTop(BoxTop top, int from, int height, bool down);
    // Whether the note ends within `height` pixels below `top`.
    bool EndWithin(const BoxTop& top, int height);
    // The byte a place of the top stands for, counted by its height in its block, and the top
    // of the line that the byte stands at.
    std::size_t ByteOf(const BoxTop& top);
    BoxTop TopOf(std::size_t byte);

  private:
    LaidShape shape_;
    DecodedNote note_;
    std::map<std::size_t, std::unique_ptr<LaidBlock>> laid_;
    std::size_t laidChars_ = 0;
    LineDirections directions_;
};

}  // namespace lintrel
