// SPDX-License-Identifier: GPL-3.0-or-later
// The note box: the caret, the keys that move it and select, and where places are drawn.
#include <QKeyEvent>
#include <QScrollBar>
#include <QTextLayout>

#include <algorithm>

#include "main_window/note_view.h"

namespace lintrel {

void NoteView::EnsureVisible(Place place) {
    const NoteBlock block = blocks_.At(place.block);
    const QTextLine line = Layout(block).LineOf(place.index);
    const int lineTop = line.isValid() ? static_cast<int>(line.y()) : 0;
    const int lineBottom = lineTop + (line.isValid() ? static_cast<int>(line.height()) : 0);
    // Where the line stands on screen, when its block is on screen.
    std::optional<int> shownAt;
    VisitShown([&](const NoteBlock& shown, const Laid&, int y) {
        if (shown.start == block.start) {
            shownAt = y;
        }
        return !shownAt;
    });
    if (shownAt) {
        if (*shownAt + lineTop < 0) {
            ScrollBy(*shownAt + lineTop);
        } else if (*shownAt + lineBottom > viewport()->height()) {
            ScrollBy(*shownAt + lineBottom - viewport()->height());
        }
        return;
    }
    const bool above = block.start < top_.block.start;
    top_ = Top{block, above ? lineTop : lineBottom - viewport()->height()};
    ScrollBy(0);
}

std::optional<QPointF> NoteView::PointOf(Place place) const {
    std::optional<QPointF> point;
    VisitShown([&](const NoteBlock& block, const Laid& laid, int y) {
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
    VisitShown([&](const NoteBlock& block, const Laid& laid, int y) {
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

NoteView::Place NoteView::PageFrom(Place place, bool down) {
    // The caret keeps its place on the screen while the text moves a page under it; where it
    // was not on the screen, it starts from the top.
    const QPointF point = PointOf(place).value_or(QPointF(kMargin, 1));
    const std::size_t before = ByteOf(top_);
    const int beforeY = top_.y;
    const int page = std::max(LineHeight(), viewport()->height() - LineHeight());
    ScrollBy(down ? page : -page);
    if (ByteOf(top_) == before && top_.y == beforeY) {
        // Nothing left to scroll: the caret goes to the note's end or start.
        if (!down) {
            return Place{};
        }
        const NoteBlock last = blocks_.Last();
        return Place{last.start, static_cast<int>(Decoded(last).size())};
    }
    const int y = std::clamp(static_cast<int>(point.y()), 0, viewport()->height() - 1);
    return PlaceAt(QPoint(static_cast<int>(point.x()), y));
}

NoteView::Place NoteView::LineStep(Place place, bool up) {
    const NoteBlock block = blocks_.At(place.block);
    const Laid& laid = Layout(block);
    const QTextLine line = laid.LineOf(place.index);
    const qreal x = line.isValid() ? laid.XOf(line, place.index) : 0;
    const int number = (line.isValid() ? line.lineNumber() : 0) + (up ? -1 : 1);
    if (number >= 0 && number < laid.layout->lineCount()) {
        return Place{place.block, laid.IndexAt(laid.layout->lineAt(number), x)};
    }
    if (const auto other = up ? blocks_.Previous(block) : blocks_.Next(block)) {
        const Laid& otherLaid = Layout(*other);
        const QTextLine target =
            otherLaid.layout->lineAt(up ? otherLaid.layout->lineCount() - 1 : 0);
        return Place{other->start, target.isValid() ? otherLaid.IndexAt(target, x) : 0};
    }
    return place;
}

bool NoteView::MoveCursor(QKeyEvent* event) {
    NoteBlock block = blocks_.At(cursor_.block);
    const Laid& laid = Layout(block);
    Place place = cursor_;
    const bool control = event->modifiers() & Qt::ControlModifier;
    const QTextLine line = laid.LineOf(place.index);
    switch (event->key()) {
        case Qt::Key_Left:
            if (place.index > 0) {
                place.index = laid.Previous(place.index);
            } else if (const auto previous = blocks_.Previous(block)) {
                place = Place{previous->start, static_cast<int>(Decoded(*previous).size())};
            }
            break;
        case Qt::Key_Right:
            if (place.index < laid.text.size()) {
                place.index = laid.Next(place.index);
            } else if (const auto next = blocks_.Next(block)) {
                place = Place{next->start, 0};
            }
            break;
        case Qt::Key_Up:
        case Qt::Key_Down:
            place = LineStep(place, event->key() == Qt::Key_Up);
            break;
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            place = PageFrom(place, event->key() == Qt::Key_PageDown);
            break;
        case Qt::Key_Home:
            place =
                control ? Place{} : Place{place.block, line.isValid() ? laid.LineStart(line) : 0};
            break;
        case Qt::Key_End:
            if (control) {
                const NoteBlock last = blocks_.Last();
                place = Place{last.start, static_cast<int>(Decoded(last).size())};
            } else if (line.isValid()) {
                place.index = laid.LineEnd(line);
                // A wrapped line ends before the space it broke at, as in a text box.
                if (line.lineNumber() + 1 < laid.layout->lineCount() &&
                    place.index > laid.LineStart(line) && laid.text.at(place.index - 1).isSpace()) {
                    --place.index;
                }
            }
            break;
        default:
            return false;
    }
    const bool extend = event->modifiers() & Qt::ShiftModifier;
    Select(extend ? anchor_ : place, place);
    if (control && (event->key() == Qt::Key_Home || event->key() == Qt::Key_End)) {
        // The note's very start or end, margins and all.
        verticalScrollBar()->triggerAction(event->key() == Qt::Key_Home
                                               ? QAbstractSlider::SliderToMinimum
                                               : QAbstractSlider::SliderToMaximum);
    } else {
        EnsureVisible(place);
    }
    return true;
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
    // The keys move the caret, as in a read-only text box, and select with Shift; Ctrl+Home
    // and Ctrl+End go to the note's ends.
    if (!(event->modifiers() & (Qt::AltModifier | Qt::MetaModifier)) && MoveCursor(event)) {
        event->accept();
        return;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

}  // namespace lintrel
