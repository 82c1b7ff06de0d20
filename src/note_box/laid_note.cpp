// SPDX-License-Identifier: GPL-3.0-or-later
#include "note_box/laid_note.h"

#include <algorithm>
#include <optional>

namespace lintrel {

namespace {

// More laid-out blocks, or more characters in them, than this are dropped and laid out again
// as they come back on screen.
constexpr std::size_t kLaidBlocks = 512;
constexpr std::size_t kLaidChars = std::size_t{4} << 20;

}  // namespace

void LaidNote::Reset(DecodedNote note) {
    Forget();
    directions_.Clear();
    note_ = std::move(note);
}

bool LaidNote::Reshape(const LaidShape& shape) {
    if (shape.font == shape_.font && shape.width == shape_.width && shape.margin == shape_.margin) {
        return false;
    }
    shape_ = shape;
    Forget();
    return true;
}

void LaidNote::Forget() {
    laid_.clear();
    laidChars_ = 0;
}

void LaidNote::Trim() {
    if (laid_.size() > kLaidBlocks || laidChars_ > kLaidChars) {
        Forget();
    }
}

LaidBlock& LaidNote::Layout(const NoteBlock& block) {
    auto& slot = laid_[block.start];
    if (!slot) {
        slot = std::make_unique<LaidBlock>(note_.Decode(block), directions_.OpenAt(note_, block),
                                           shape_.font, directions_.Of(note_, block), shape_.margin,
                                           std::max(1, shape_.width - 2 * shape_.margin),
                                           block.start == 0 ? shape_.margin : 0,
                                           block.next ? 0 : shape_.margin);
        laidChars_ += static_cast<std::size_t>(slot->Text().size());
    }
    return *slot;
}

const LaidBlock* LaidNote::Laid(std::size_t start) const {
    const auto found = laid_.find(start);
    return found == laid_.end() ? nullptr : found->second.get();
}

QString LaidNote::Decoded(const NoteBlock& block) const {
    if (const LaidBlock* laid = Laid(block.start)) {
        return laid->Text();
    }
    return note_.Decode(block);
}

BoxTop LaidNote::Normalised(BoxTop top) {
    while (top.y < 0) {
        const auto previous = Blocks().Previous(top.block);
        if (!previous) {
            top.y = 0;
            break;
        }
        top.block = *previous;
        top.y += Layout(top.block).Height();
    }
    while (top.y >= Layout(top.block).Height()) {
        const auto next = Blocks().Next(top.block);
        if (!next) {
            top.y = Layout(top.block).Height() - 1;
            break;
        }
        top.y -= Layout(top.block).Height();
        top.block = *next;
    }
    return top;
}

BoxTop LaidNote::Snapped(BoxTop top, bool down) {
    // The line tops of the block; the note's first line counts from the note's top, so that
    // the top margin shows at the start.
    const LaidBlock& laid = Layout(top.block);
    int before = 0;
    for (int i = 1; i < laid.LineCount(); ++i) {
        const int y = static_cast<int>(laid.Line(i).y());
        if (y > top.y) {
            if (down && before != top.y) {
                return BoxTop{top.block, y};
            }
            return BoxTop{top.block, before};
        }
        before = y;
    }
    if (down && before != top.y) {
        if (const auto next = Blocks().Next(top.block)) {
            return BoxTop{*next, 0};
        }
    }
    return BoxTop{top.block, before};
}

BoxTop LaidNote::Above(BoxTop bottom, int height) {
    BoxTop top = Normalised(BoxTop{bottom.block, bottom.y - height});
    // A text box wants the top margin below the box's top too when its top is in the note's
    // first block.
    if (top.block.start == 0 && top.y > 0) {
        top.y += shape_.margin;
    }
    return Snapped(top, true);
}

BoxTop LaidNote::LastTop(int height) {
    // The note's end, bottom margin and all, fits a pixel and a margin above the box's bottom;
    // so the scroll bar's end may show a line less than the note's end scrolled into view.
    BoxTop top{Blocks().Last(), 0};
    top.y = Layout(top.block).Height() - (height - shape_.margin - 1);
    return Snapped(Normalised(top), true);
}

namespace {

// The top of line `number` of a block: the first line's is the block's own, so that the note's
// top margin shows above its first line.
int TopOfLine(const LaidBlock& laid, int number) {
    return number == 0 ? 0 : static_cast<int>(laid.Line(number).y());
}

}  // namespace

BoxTop LaidNote::LinesFrom(BoxTop top, int lines) {
    int line = Layout(top.block).LineAt(top.y);
    for (; lines > 0; --lines) {
        if (line + 1 < Layout(top.block).LineCount()) {
            ++line;
        } else if (const auto next = Blocks().Next(top.block)) {
            top.block = *next;
            line = 0;
        } else {
            break;
        }
    }
    for (; lines < 0; ++lines) {
        if (line > 0) {
            --line;
        } else if (const auto previous = Blocks().Previous(top.block)) {
            top.block = *previous;
            line = Layout(top.block).LineCount() - 1;
        } else {
            break;
        }
    }
    return BoxTop{top.block, TopOfLine(Layout(top.block), line)};
}

int LaidNote::LinesToEnd(BoxTop top) {
    int lines = -Layout(top.block).LineAt(top.y);
    for (std::optional<NoteBlock> block = top.block; block; block = Blocks().Next(*block)) {
        lines += Layout(*block).LineCount();
    }
    return lines;
}

std::optional<BoxTop> LaidNote::PagedTop(BoxTop top, int from, int height, bool down) {
    if (down) {
        // Whole blocks while they end on the screen, then the first line of the next that
        // does not.
        const int bottom = from + height;
        int h = 0;
        NoteBlock block = top.block;
        for (int blockHeight = Layout(block).Height(); h + blockHeight <= bottom;
             blockHeight = Layout(block).Height()) {
            const auto next = Blocks().Next(block);
            if (!next) {
                return std::nullopt;
            }
            h += blockHeight;
            block = *next;
        }
        const LaidBlock& laid = Layout(block);
        int line = 0;
        while (line < laid.LineCount() - 1 &&
               laid.Line(line).naturalTextRect().bottom() <= bottom - h) {
            ++line;
        }
        return BoxTop{block, TopOfLine(laid, line)};
    }
    // Whole blocks back while the page above reaches past them, then its first line wholly
    // within that page.
    const int pageTop = from - height;
    int h = 0;
    NoteBlock block = top.block;
    while (h >= pageTop) {
        const auto previous = Blocks().Previous(block);
        if (!previous) {
            break;
        }
        block = *previous;
        h -= Layout(block).Height();
    }
    const LaidBlock& laid = Layout(block);
    int line = 0;
    while (line < laid.LineCount() && laid.Line(line).naturalTextRect().top() < pageTop - h) {
        ++line;
    }
    if (line == laid.LineCount()) {
        const auto next = Blocks().Next(block);
        if (next && next->start != top.block.start) {
            return BoxTop{*next, 0};
        }
        --line;
    }
    return BoxTop{block, TopOfLine(laid, line)};
}

bool LaidNote::EndWithin(const BoxTop& top, int height) {
    int below = -top.y;
    for (std::optional<NoteBlock> block = top.block; block->next; block = Blocks().Next(*block)) {
        below += Layout(*block).Height();
        if (below > height) {
            return false;
        }
    }
    return true;
}

std::size_t LaidNote::ByteOf(const BoxTop& top) {
    const std::size_t span = Blocks().Span(top.block);
    const double share = static_cast<double>(top.y) / Layout(top.block).Height();
    return top.block.start + static_cast<std::size_t>(share * static_cast<double>(span));
}

BoxTop LaidNote::TopOf(std::size_t byte) {
    const NoteBlock block = Blocks().At(byte);
    const LaidBlock& laid = Layout(block);
    const std::size_t span = Blocks().Span(block);
    int y = 0;
    if (span > 0) {
        const double share = static_cast<double>(byte - block.start) / static_cast<double>(span);
        const int target = static_cast<int>(share * laid.Height());
        // The top of the line the byte falls in; the note's first line, from the note's top.
        if (const int line = laid.LineAt(target); line > 0) {
            y = static_cast<int>(laid.Line(line).y());
        }
    }
    return BoxTop{block, y};
}

}  // namespace lintrel
