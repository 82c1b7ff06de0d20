// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <vector>

#include "note_box/laid_note.h"

namespace lintrel {

// The lines of every block of a note at one shape, counted once, so that a scroll bar can count
// lines as a text box's does: the number of the line at a box's top, and the top of a line by
// its number. Counting lays the whole note out once, which only a small note affords.
class NoteLines {
  public:
    // Forgets the counts, for a new note, font or width.
    void Forget() {
        starts_.clear();
        firstLines_.clear();
    }
    // The number of the line that holds `top`, the note's first line being 0.
    int LineOf(const BoxTop& top, LaidNote& laid);
    // The top of the line `number`, held to the note's lines.
    BoxTop TopOf(int number, LaidNote& laid);

  private:
    void Count(LaidNote& laid);

    // Each block's first byte, and the number of its first line; then the count of all lines.
    std::vector<std::size_t> starts_;
    std::vector<int> firstLines_;
};

}  // namespace lintrel
