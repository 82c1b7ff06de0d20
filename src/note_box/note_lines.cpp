// SPDX-License-Identifier: GPL-3.0-or-later
#include "note_box/note_lines.h"

#include <QTextLayout>

#include <algorithm>
#include <iterator>

namespace lintrel {

void NoteLines::Count(LaidNote& laid) {
    int lines = 0;
    for (std::optional<NoteBlock> block = laid.Blocks().First(); block;
         block = laid.Blocks().Next(*block)) {
        starts_.push_back(block->start);
        firstLines_.push_back(lines);
        lines += std::max(1, laid.Layout(*block).LineCount());
        laid.Trim();
    }
    firstLines_.push_back(lines);
}

int NoteLines::LineOf(const BoxTop& top, LaidNote& laid) {
    if (starts_.empty()) {
        Count(laid);
    }
    const auto at = std::lower_bound(starts_.begin(), starts_.end(), top.block.start);
    const auto index = static_cast<std::size_t>(std::distance(starts_.begin(), at));
    if (index >= starts_.size()) {
        return firstLines_.back();
    }
    return firstLines_[index] + laid.Layout(top.block).LineAt(top.y);
}

BoxTop NoteLines::TopOf(int number, LaidNote& laid) {
    if (starts_.empty()) {
        Count(laid);
    }
    number = std::clamp(number, 0, std::max(0, firstLines_.back() - 1));
    // The block whose lines hold the number: the last that starts at or before it.
    const auto after = std::upper_bound(firstLines_.begin(), firstLines_.end() - 1, number);
    const auto index = static_cast<std::size_t>(std::distance(firstLines_.begin(), after)) - 1;
    const NoteBlock block = laid.Blocks().At(starts_[index]);
    const int line = number - firstLines_[index];
    const QTextLine shown = laid.Layout(block).Line(line);
    // A block's first line stands with the margin above it, as a text box shows it.
    return BoxTop{block, line > 0 && shown.isValid() ? static_cast<int>(shown.y()) : 0};
}

}  // namespace lintrel
