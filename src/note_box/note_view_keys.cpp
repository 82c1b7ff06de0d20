// SPDX-License-Identifier: GPL-3.0-or-later
// The note box: the caret, the keys that move it and select, and where places are drawn.
#include <QKeyEvent>
#include <QScrollBar>
#include <QTextLayout>

#include <algorithm>

#include "note_box/note_view.h"

namespace lintrel {

void NoteView::EnsureVisible(Place place) {
    const NoteBlock block = Blocks().At(place.block);
    const QTextLine line = Layout(block).LineOf(place.index);
    const int lineTop = line.isValid() ? static_cast<int>(line.y()) : 0;
    const int lineBottom = lineTop + (line.isValid() ? static_cast<int>(line.height()) : 0);
    // Where the line stands on screen, when its block is on screen.
    std::optional<int> shownAt;
    VisitShown([&](const NoteBlock& shown, const LaidBlock&, int y) {
        if (shown.start == block.start) {
            shownAt = y;
        }
        return !shownAt;
    });
    const bool above = shownAt ? *shownAt + lineTop < 0 : block.start < scroll_.Top().block.start;
    // A line ending on the bottom edge counts as below it, as in a text box.
    const bool below = shownAt ? *shownAt + lineBottom >= viewport()->height() : !above;
    if (above) {
        ScrollTo(laid_.Snapped(Top{block, lineTop}, false, Shape()));
    } else if (below) {
        ScrollTo(laid_.Above(Top{block, lineBottom}, viewport()->height(), Shape()));
    }
}

std::optional<QPointF> NoteView::PointOf(Place place) const {
    std::optional<QPointF> point;
    VisitShown([&](const NoteBlock& block, const LaidBlock& laid, int y) {
        if (block.start == place.block) {
            const QTextLine line = laid.LineOf(place.index);
            if (line.isValid()) {
                point = QPointF(laid.XOf(line, place.index), y + line.y() + line.height() / 2);
            }
        }
        return !point && block.start <= place.block;
    });
    return point;
}

QRect NoteView::CharacterRect(Place place) const {
    QRect rect;
    VisitShown([&](const NoteBlock& block, const LaidBlock& laid, int y) {
        if (block.start == place.block) {
            const QTextLine line = laid.LineOf(place.index);
            if (line.isValid()) {
                const qreal left = laid.XOf(line, place.index);
                const qreal right = laid.XOf(line, place.index + 1);
                rect = QRectF(QPointF(std::min(left, right), y + line.y()),
                              QPointF(std::max(left, right), y + line.y() + line.height()))
                           .toAlignedRect();
            }
        }
        return rect.isNull() && block.start <= place.block;
    });
    return rect;
}

qreal NoteView::CaretX(Place place) const {
    const LaidBlock& laid = Layout(Blocks().At(place.block));
    const QTextLine line = laid.LineOf(place.index);
    return line.isValid() ? laid.XOf(line, place.index) : kMargin;
}

ViewLine NoteView::LineOfPlace(Place place) const {
    return ViewLine{place.block, Layout(Blocks().At(place.block)).LineOf(place.index).lineNumber()};
}

ViewLine NoteView::PagedLine(bool down, int from) {
    // The note's end counts as on the screen as a text box counts it: when the blocks from the
    // top one on, each taken whole, end within the box's height below where it stands. Then the
    // caret goes to the note's last line; with the note's start at the top, to its first.
    const std::optional<Top> pagedTop = PagedTop(down);
    if ((down && !pagedTop) || (!down && scroll_.Top().block.start == 0 && scroll_.Top().y == 0)) {
        const NoteBlock edge = down ? Blocks().Last() : Blocks().First();
        return ViewLine{edge.start, down ? Layout(edge).LineCount() - 1 : 0};
    }
    ScrollTo(*pagedTop);
    // The line that now stands where the caret's stood: going up with no line that high, the
    // first line; going down with none that low, past the last line shown.
    ViewLine target;
    VisitShown([&](const NoteBlock& block, const LaidBlock& laid, int y) {
        for (int i = 0; i < laid.LineCount(); ++i) {
            const int top = y + static_cast<int>(laid.Line(i).y());
            if (!down && top > from) {
                return false;
            }
            target = ViewLine{block.start, down && top < from ? i + 1 : i};
            if (down && top >= from) {
                return false;
            }
        }
        return true;
    });
    return target;
}

std::optional<NoteView::Place> NoteView::PageFrom(Place place, bool down, qreal x) {
    // As a text box pages: the text moves a page and the caret goes to the line that stands
    // where its line stood on the screen when the paging began (the first at or below that
    // place going down, the last at or above it going up); already there, nothing moves.
    EnsureVisible(place);
    if (!pageY_) {
        pageY_ = CharacterRect(place).top();
    }
    const ViewLine target = PagedLine(down, *pageY_);
    // The caret goes there a line at a time, as Up and Down take it, and at least a line; on
    // the note's last line going down (or first going up) it stays, and so does the selection.
    std::optional<Place> paged = LineStep(place, !down, x);
    while (paged && (down ? LineOfPlace(*paged) < target : LineOfPlace(*paged) > target)) {
        const std::optional<Place> next = LineStep(*paged, !down, x);
        if (!next || *next == *paged) {
            break;
        }
        paged = next;
    }
    return paged;
}

std::optional<NoteView::Place> NoteView::LineStep(Place place, bool up, qreal x) {
    const NoteBlock block = Blocks().At(place.block);
    const LaidBlock& laid = Layout(block);
    const QTextLine line = laid.LineOf(place.index);
    const int number = (line.isValid() ? line.lineNumber() : 0) + (up ? -1 : 1);
    if (number >= 0 && number < laid.LineCount()) {
        return Place{place.block, laid.IndexAt(laid.Line(number), x)};
    }
    if (const auto other = up ? Blocks().Previous(block) : Blocks().Next(block)) {
        const LaidBlock& otherLaid = Layout(*other);
        const QTextLine target = otherLaid.Line(up ? otherLaid.LineCount() - 1 : 0);
        return Place{other->start, target.isValid() ? otherLaid.IndexAt(target, x) : TextIndex()};
    }
    return std::nullopt;  // no line there: the caret and the selection stay
}

enum class NoteView::Move {
    Left,
    Right,
    WordLeft,
    WordRight,
    Up,
    Down,
    LineStart,
    LineEnd,
    BlockStart,
    BlockEnd,
    Start,
    End,
    PageUp,
    PageDown,
};

namespace {

using Move = NoteView::Move;

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

NoteView::Place NoteView::Stepped(Place place, bool forward, QTextLayout::CursorMode mode) {
    const NoteBlock block = Blocks().At(place.block);
    const LaidBlock& laid = Layout(block);
    if (forward && place.index < laid.End()) {
        return Place{place.block, laid.Next(place.index, mode)};
    }
    if (!forward && place.index > TextIndex()) {
        return Place{place.block, laid.Previous(place.index, mode)};
    }
    // Past the block's edge, to the next block's start or the previous one's end.
    if (const auto other = forward ? Blocks().Next(block) : Blocks().Previous(block)) {
        return Place{other->start, forward ? TextIndex() : EndOf(Decoded(*other))};
    }
    return place;
}

std::optional<NoteView::Place> NoteView::Moved(Place place, Move move, qreal x) {
    const NoteBlock block = Blocks().At(place.block);
    const LaidBlock& laid = Layout(block);
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
            return Place{place.block, line.isValid() ? laid.LineStart(line) : TextIndex()};
        case Move::LineEnd:
            return Place{place.block, line.isValid() ? laid.CaretLineEnd(line) : place.index};
        case Move::BlockStart:
            return Place{place.block, TextIndex()};
        case Move::BlockEnd:
            return Place{place.block, laid.End()};
        case Move::Start:
            return Place{};
        case Move::End: {
            const NoteBlock last = Blocks().Last();
            return Place{last.start, EndOf(Decoded(last))};
        }
        case Move::PageUp:
        case Move::PageDown:
            return PageFrom(place, move == Move::PageDown, x);
    }
    return place;
}

std::optional<NoteView::Place> NoteView::Collapsed(Move move, bool extend) const {
    // An arrow without Shift ends a selection at its edge on the arrow's side, and goes no
    // further.
    if (extend || anchor_ == cursor_ || (move != Move::Left && move != Move::Right)) {
        return std::nullopt;
    }
    const bool rightToLeft = Layout(Blocks().At(cursor_.block)).RightToLeft();
    const auto [first, last] = std::minmax(anchor_, cursor_);
    return Logical(move, rightToLeft) == Move::Left ? first : last;
}

bool NoteView::MoveCursor(QKeyEvent* event) {
    const auto found = std::find_if(std::begin(kKeyMoves), std::end(kKeyMoves), [&](auto& k) {
        return event->matches(k.select) || event->matches(k.move);
    });
    if (found == std::end(kKeyMoves)) {
        return false;
    }
    MoveCaret(found->to, event->matches(found->select));
    return true;
}

void NoteView::MoveCaret(Move move, bool extend) {
    // Up and Down keep the caret's distance from the left that the last other move left.
    const bool paging = move == Move::PageUp || move == Move::PageDown;
    const bool vertical = paging || move == Move::Up || move == Move::Down;
    const qreal x = vertical && caretX_ ? *caretX_ : CaretX(cursor_);
    std::optional<Place> place = Collapsed(move, extend);
    if (!place) {
        place = Moved(cursor_, move, x);
    }
    // Selecting up from the note's first line, or down from its last, takes in the rest of
    // that line's block; the caret then keeps no distance from the left for Up and Down.
    const bool toEdge = !place && extend && (move == Move::Up || move == Move::Down);
    if (toEdge) {
        place = Moved(cursor_, move == Move::Up ? Move::BlockStart : Move::BlockEnd, x);
    }
    if (!place) {
        // Nothing moves, but the caret is brought into view, as a text box brings it.
        if (!paging) {
            EnsureVisible(cursor_);
        }
        return;
    }
    // A run of pages keeps the caret's place on the screen from where the run began, until
    // the caret moves otherwise.
    const std::optional<int> pageY = pageY_;
    Select(extend ? anchor_ : *place, *place);
    if (vertical && !toEdge) {
        caretX_ = x;
    }
    if (paging) {
        pageY_ = pageY;
    }
    if (move == Move::Start) {
        // The note's very start, margin and all.
        verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMinimum);
    } else {
        EnsureVisible(*place);
    }
}

void NoteView::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        copy();
        return;
    }
    if (event->matches(QKeySequence::SelectAll)) {
        selectAll();
        return;
    }
    // The keys move the caret, as in a read-only text box, and select with Shift.
    if (MoveCursor(event)) {
        event->accept();
        return;
    }
    // Space pages, as in a read-only text box; other keys (Ctrl+Up and Ctrl+Down among them)
    // scroll the box as a scroll area does, leaving the caret.
    if (event->key() == Qt::Key_Space &&
        (event->modifiers() & ~Qt::ShiftModifier & ~Qt::KeypadModifier) == 0) {
        verticalScrollBar()->triggerAction(event->modifiers() & Qt::ShiftModifier
                                               ? QAbstractSlider::SliderPageStepSub
                                               : QAbstractSlider::SliderPageStepAdd);
        event->accept();
        return;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

}  // namespace lintrel
