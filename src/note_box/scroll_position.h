// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/note_blocks.h"
#include "note_box/laid_note.h"

namespace lintrel {

// Where a note box stands in its note: the line at its top (a block and how far that line's top
// is into the block) and how far above that line a text box would stand, scrolled as this box
// was. A box not laid out yet (hidden, or given a new width or font) keeps the number of the
// line of its top block to put back at the top once it is.
class ScrollPosition {
  public:
    const BoxTop& Top() const { return top_; }
    // How far the box's top stands into its top block, as a text box counts it.
    int verticalOffset() const { return top_.y - lag_; }
    int Lag() const { return lag_; }
    bool Settled() const { return settled_; }

    // At the start of a new note, waiting to be laid out.
    void Reset(const NoteBlock& first) {
        top_ = BoxTop{first, 0};
        lag_ = 0;
        topLine_ = 0;
        settled_ = false;
    }
    // Puts `top` at the top. A text box stands where the text of the line above its top line
    // ends, moved there by whole pixels: a line's height is rounded up, so coming down it
    // stands a pixel above the top line, coming up on it.
    void MoveTo(const BoxTop& top, LaidNote& laid);
    // Puts back a place saved with its lag, for the same text laid out alike.
    void Restore(const BoxTop& top, int lag) {
        top_ = top;
        lag_ = lag;
    }
    // Forgets the layout, keeping the number of the top line in its block when it had one.
    void Unsettle(const LaidNote& laid);
    // Waits to be laid out with `block` at the top, from its first line.
    void Wait(const NoteBlock& block) {
        top_ = BoxTop{block, 0};
        topLine_ = 0;
    }
    // Lays the top block out and puts the kept line at the top.
    void Settle(LaidNote& laid);

  private:
    BoxTop top_;
    int lag_ = 0;
    int topLine_ = 0;
    bool settled_ = false;
};

}  // namespace lintrel
