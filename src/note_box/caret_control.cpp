// SPDX-License-Identifier: GPL-3.0-or-later
#include "note_box/caret_control.h"

#include <QKeyEvent>
#include <QKeySequence>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <iterator>

namespace lintrel {

namespace {

using Move = CaretMove;

// The desktop's keys for each move, and with the selection extended.
struct KeyMove {
    QKeySequence::StandardKey move;
    QKeySequence::StandardKey select;
    Move to;
};

constexpr KeyMove kKeyMoves[] = {
    {QKeySequence::MoveToPreviousChar, QKeySequence::SelectPreviousChar, Move::Left},
    {QKeySequence::MoveToNextChar, QKeySequence::SelectNextChar, Move::Right},
    {QKeySequence::MoveToPreviousWord, QKeySequence::SelectPreviousWord, Move::WordLeft},
    {QKeySequence::MoveToNextWord, QKeySequence::SelectNextWord, Move::WordRight},
    {QKeySequence::MoveToPreviousLine, QKeySequence::SelectPreviousLine, Move::Up},
    {QKeySequence::MoveToNextLine, QKeySequence::SelectNextLine, Move::Down},
    {QKeySequence::MoveToStartOfLine, QKeySequence::SelectStartOfLine, Move::LineStart},
    {QKeySequence::MoveToEndOfLine, QKeySequence::SelectEndOfLine, Move::LineEnd},
    {QKeySequence::MoveToStartOfBlock, QKeySequence::SelectStartOfBlock, Move::BlockStart},
    {QKeySequence::MoveToEndOfBlock, QKeySequence::SelectEndOfBlock, Move::BlockEnd},
    {QKeySequence::MoveToStartOfDocument, QKeySequence::SelectStartOfDocument, Move::Start},
    {QKeySequence::MoveToEndOfDocument, QKeySequence::SelectEndOfDocument, Move::End},
    {QKeySequence::MoveToPreviousPage, QKeySequence::SelectPreviousPage, Move::PageUp},
    {QKeySequence::MoveToNextPage, QKeySequence::SelectNextPage, Move::PageDown},
};

// In a right-to-left line the arrows and the word keys step the other way through the text.
Move Logical(Move move, bool rightToLeft) {
    if (!rightToLeft) {
        return move;
    }
    switch (move) {
        case Move::Left:
            return Move::Right;
        case Move::Right:
            return Move::Left;
        case Move::WordLeft:
            return Move::WordRight;
        case Move::WordRight:
            return Move::WordLeft;
        default:
            return move;
    }
}

}  // namespace

CaretControl::CaretControl(CaretView& view)
    : view_(view), words_(std::make_unique<QTextDocument>()) {}

CaretControl::~CaretControl() = default;

void CaretControl::Reset() {
    anchor_ = cursor_ = BlockPlace{};
    caretX_ = 0;
    pageY_.reset();
    clickedWord_.reset();
    clickedLine_.reset();
    wordsBlock_.reset();
    told_ = Now();
}

void CaretControl::Select(BlockPlace anchor, BlockPlace cursor) {
    const Ends before = Now();
    Set(anchor, cursor);
    Tell(before, Telling::SelectionFirst);
}

void CaretControl::Set(BlockPlace anchor, BlockPlace cursor) {
    if (cursor != cursor_) {
        pageY_.reset();
    }
    anchor_ = anchor;
    cursor_ = cursor;
    caretX_.reset();
}

bool CaretControl::SelectionChangedSince(const Ends& was) const {
    const auto& [anchor, cursor] = was;
    return (anchor != cursor) != HasSelection() ||
           (HasSelection() && (anchor != anchor_ || cursor != cursor_));
}

void CaretControl::Tell(const Ends& before, Telling telling) {
    const bool selection = SelectionChangedSince(before);
    if (selection || before.second != cursor_) {
        view_.Selected(selection);
    }
    switch (telling) {
        case Telling::Changes:
        case Telling::Selection:
            TellCaret(before.second);
            TellSelection(telling == Telling::Selection);
            break;
        case Telling::SelectionFirst:
            TellSelection(false);
            TellCaret(before.second);
            break;
        case Telling::Word:
            TellSelection(false);
            view_.TellReader(false);
            break;
    }
}

void CaretControl::TellCaret(BlockPlace from) {
    if (cursor_ != from) {
        view_.TellReader(false);
    }
}

void CaretControl::TellSelection(bool always) {
    // As a text box tells it: when the selection changed since it was last told.
    if (always || SelectionChangedSince(told_)) {
        view_.TellReader(true);
    }
    told_ = Now();
}

bool CaretControl::KeyPress(const QKeyEvent& event) {
    const auto found = std::find_if(std::begin(kKeyMoves), std::end(kKeyMoves), [&](auto& k) {
        return event.matches(k.select) || event.matches(k.move);
    });
    if (found == std::end(kKeyMoves)) {
        return false;
    }
    MoveCaret(found->to, event.matches(found->select));
    return true;
}

void CaretControl::MoveCaret(CaretMove move, bool extend) {
    // Up and Down keep the caret's distance from the left that the last other move left.
    const bool paging = move == Move::PageUp || move == Move::PageDown;
    const bool vertical = paging || move == Move::Up || move == Move::Down;
    const qreal x = vertical && caretX_ ? *caretX_ : CaretX(cursor_);
    std::optional<BlockPlace> place = Collapsed(move, extend);
    if (!place) {
        place = Moved(cursor_, move, x);
    }
    // Selecting up from the note's first line, or down from its last, takes in the rest of
    // that line's block; the caret then keeps no distance from the left for Up and Down.
    const bool toEdge = !place && extend && (move == Move::Up || move == Move::Down);
    if (toEdge) {
        place = Moved(cursor_, move == Move::Up ? Move::BlockStart : Move::BlockEnd, x);
    }
    // A Shift key tells the selection even when nothing moves, as a text box's does.
    // Pages set the caret as the box sets it itself.
    const Telling telling = paging   ? Telling::SelectionFirst
                            : extend ? Telling::Selection
                                     : Telling::Changes;
    const Ends before = Now();
    if (!place) {
        // Nothing moves, but the caret is brought into view, as a text box brings it.
        if (!paging) {
            view_.EnsureVisible(cursor_);
        }
        Tell(before, telling);
        return;
    }
    // A run of pages keeps the caret's place on the screen from where the run began, until
    // the caret moves otherwise.
    const std::optional<int> pageY = pageY_;
    Set(extend ? anchor_ : *place, *place);
    Tell(before, telling);
    if (vertical && !toEdge) {
        caretX_ = x;
    }
    if (paging) {
        pageY_ = pageY;
    }
    if (move == Move::Start) {
        view_.ShowStart();
    } else {
        view_.EnsureVisible(*place);
    }
}

std::optional<BlockPlace> CaretControl::Moved(BlockPlace place, CaretMove move, qreal x) {
    const LaidBlock& laid = view_.Layout(view_.Blocks().At(place.block));
    const QTextLine line = laid.LineOf(place.index);
    const Move logical = Logical(move, laid.RightToLeft());
    switch (logical) {
        case Move::Left:
        case Move::Right:
            return Stepped(place, logical == Move::Right, QTextLayout::SkipCharacters);
        case Move::WordLeft:
        case Move::WordRight:
            return Stepped(place, logical == Move::WordRight, QTextLayout::SkipWords);
        case Move::Up:
        case Move::Down:
            return LineStep(place, move == Move::Up, x);
        case Move::LineStart:
            return BlockPlace{place.block, line.isValid() ? laid.LineStart(line) : TextIndex()};
        case Move::LineEnd:
            return BlockPlace{place.block, line.isValid() ? laid.CaretLineEnd(line) : place.index};
        case Move::BlockStart:
            return BlockPlace{place.block, TextIndex()};
        case Move::BlockEnd:
            return BlockPlace{place.block, laid.End()};
        case Move::Start:
            return BlockPlace{};
        case Move::End: {
            const NoteBlock last = view_.Blocks().Last();
            return BlockPlace{last.start, view_.Layout(last).End()};
        }
        case Move::PageUp:
        case Move::PageDown:
            return PageFrom(place, move == Move::PageDown, x);
    }
    return place;
}

std::optional<BlockPlace> CaretControl::Collapsed(CaretMove move, bool extend) const {
    // An arrow without Shift ends a selection at its edge on the arrow's side, and goes no
    // further.
    if (extend || anchor_ == cursor_ || (move != Move::Left && move != Move::Right)) {
        return std::nullopt;
    }
    const bool rightToLeft = view_.Layout(view_.Blocks().At(cursor_.block)).RightToLeft();
    return Logical(move, rightToLeft) == Move::Left ? Span().start : Span().end;
}

qreal CaretControl::CaretX(BlockPlace place) const {
    const LaidBlock& laid = view_.Layout(view_.Blocks().At(place.block));
    const QTextLine line = laid.LineOf(place.index);
    return line.isValid() ? laid.XOf(line, place.index) : 0;
}

BlockPlace CaretControl::Stepped(BlockPlace place, bool forward,
                                 QTextLayout::CursorMode mode) const {
    const NoteBlock block = view_.Blocks().At(place.block);
    const LaidBlock& laid = view_.Layout(block);
    if (forward && place.index < laid.End()) {
        return BlockPlace{place.block, laid.Next(place.index, mode)};
    }
    if (!forward && place.index > TextIndex()) {
        return BlockPlace{place.block, laid.Previous(place.index, mode)};
    }
    // Past the block's edge, to the next block's start or the previous one's end.
    if (const auto other = forward ? view_.Blocks().Next(block) : view_.Blocks().Previous(block)) {
        return BlockPlace{other->start, forward ? TextIndex() : view_.Layout(*other).End()};
    }
    return place;
}

std::optional<BlockPlace> CaretControl::LineStep(BlockPlace place, bool up, qreal x) const {
    return LineStep(view_.Blocks().At(place.block), place, up, x);
}

std::optional<BlockPlace> CaretControl::LineStep(const NoteBlock& block, BlockPlace place, bool up,
                                                 qreal x) const {
    const LaidBlock& laid = view_.Layout(block);
    const QTextLine line = laid.LineOf(place.index);
    const int number = (line.isValid() ? line.lineNumber() : 0) + (up ? -1 : 1);
    if (number >= 0 && number < laid.LineCount()) {
        return BlockPlace{place.block, laid.IndexAt(laid.Line(number), x)};
    }
    if (const auto other = up ? view_.Blocks().Previous(block) : view_.Blocks().Next(block)) {
        const LaidBlock& otherLaid = view_.Layout(*other);
        const QTextLine target = otherLaid.Line(up ? otherLaid.LineCount() - 1 : 0);
        return BlockPlace{other->start,
                          target.isValid() ? otherLaid.IndexAt(target, x) : TextIndex()};
    }
    return std::nullopt;  // no line there: the caret and the selection stay
}

std::optional<BlockPlace> CaretControl::PageFrom(BlockPlace place, bool down, qreal x) {
    // As a text box pages: the text moves a page and the caret goes to the line that stands
    // where its line stood on the screen when the paging began (the first at or below that
    // place going down, the last at or above it going up); already there, nothing moves.
    view_.EnsureVisible(place);
    if (!pageY_) {
        pageY_ = view_.LineTopOnScreen(place);
    }
    const ViewLine target = view_.PagedLine(down, *pageY_);
    // The caret goes there a line at a time, as Up and Down take it, and at least a line; on
    // the note's last line going down (or first going up) it stays, and so does the selection.
    // The block is looked up only when a step leaves it: in a long line that costs a scan.
    NoteBlock block = view_.Blocks().At(place.block);
    std::optional<BlockPlace> paged = LineStep(block, place, !down, x);
    while (paged) {
        if (paged->block != block.start) {
            block = view_.Blocks().At(paged->block);
        }
        const ViewLine line{block.start, view_.Layout(block).LineOf(paged->index).lineNumber()};
        if (down ? line >= target : line <= target) {
            break;
        }
        const std::optional<BlockPlace> next = LineStep(block, *paged, !down, x);
        if (!next || *next == *paged) {
            break;
        }
        paged = next;
    }
    return paged;
}

}  // namespace lintrel
