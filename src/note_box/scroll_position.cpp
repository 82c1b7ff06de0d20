// SPDX-License-Identifier: GPL-3.0-or-later
#include "note_box/scroll_position.h"

#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace lintrel {

void ScrollPosition::MoveTo(const BoxTop& top, LaidNote& laid) {
    if (top != top_) {
        const bool down = top > top_;
        const LaidBlock& block = laid.Layout(top.block);
        lag_ = 0;
        if (const int line = block.LineAt(top.y); line > 0) {
            const qreal above = block.Line(line - 1).naturalTextRect().bottom();
            lag_ = top.y - static_cast<int>(down ? std::floor(above) : std::ceil(above));
        }
    }
    top_ = top;
}

void ScrollPosition::Unsettle(const LaidNote& laid) {
    if (settled_) {
        const LaidBlock* block = laid.Laid(top_.block.start);
        topLine_ = block != nullptr ? block->LineAt(top_.y) : 0;
    }
    settled_ = false;
}

void ScrollPosition::Settle(LaidNote& laid) {
    const LaidBlock& block = laid.Layout(top_.block);
    // A block now of no more lines than the kept line's number puts the next block at the
    // top, as a text box moves on past it.
    const auto next = laid.Blocks().Next(top_.block);
    if (topLine_ > 0 && topLine_ >= block.LineCount() && next) {
        top_ = BoxTop{*next, 0};
        lag_ = 0;
        topLine_ = 0;
        settled_ = true;
        return;
    }
    const QTextLine line = block.Line(std::min(topLine_, block.LineCount() - 1));
    top_.y = line.isValid() && line.lineNumber() > 0 ? static_cast<int>(line.y()) : 0;
    settled_ = true;
}

}  // namespace lintrel
