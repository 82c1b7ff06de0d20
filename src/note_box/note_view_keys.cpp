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
        ScrollTo(laid_.Snapped(Top{block, lineTop}, false));
    } else if (below) {
        ScrollTo(laid_.Above(Top{block, lineBottom}, viewport()->height()));
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

void NoteView::ShowStart() {
    verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMinimum);
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
    if (caret_.KeyPress(*event)) {
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
