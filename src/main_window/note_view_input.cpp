// SPDX-License-Identifier: GPL-3.0-or-later
// The note box: selecting with the mouse and the keyboard, copying, and the keys that scroll.
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTextBoundaryFinder>
#include <QTextLayout>

#include <new>

#include "main_window/note_view.h"

namespace lintrel {

namespace {

// The mouse selection is offered to middle-click pasting up to this many bytes.
constexpr std::size_t kPrimarySelectionBytes = std::size_t{1} << 24;

}  // namespace

NoteView::Place NoteView::PlaceAt(QPoint point) {
    std::optional<NoteBlock> block = top_.block;
    int y = -top_.y;
    while (true) {
        const Laid& laid = Layout(*block);
        const auto next = blocks_.Next(*block);
        if (point.y() < y + laid.height || !next) {
            const int local = point.y() - y;
            const QTextLayout& layout = *laid.layout;
            QTextLine line = layout.lineAt(0);
            for (int i = 1; i < layout.lineCount() && layout.lineAt(i).y() <= local; ++i) {
                line = layout.lineAt(i);
            }
            return Place{block->start, line.isValid() ? line.xToCursor(point.x()) : 0};
        }
        y += laid.height;
        block = next;
    }
}

void NoteView::Select(Place anchor, Place cursor) {
    anchor_ = anchor;
    cursor_ = cursor;
    viewport()->update();
}

void NoteView::selectAll() {
    const NoteBlock last = blocks_.Last();
    Select(Place{}, Place{last.start, static_cast<int>(Decoded(last).size())});
}

QString NoteView::SelectedText() const {
    const Place from = std::min(anchor_, cursor_);
    const Place to = std::max(anchor_, cursor_);
    QString text;
    for (std::optional<NoteBlock> block = blocks_.At(from.block); block && block->start <= to.block;
         block = blocks_.Next(*block)) {
        const QString decoded = Decoded(*block);
        const int start = block->start == from.block ? from.index : 0;
        const int end = block->start == to.block ? to.index : static_cast<int>(decoded.size());
        text += decoded.mid(start, end - start);
        if (block->breakAfter && block->start != to.block) {
            text += QLatin1Char('\n');
        }
    }
    return text;
}

void NoteView::copy() const {
    if (!HasSelection()) {
        return;
    }
    try {
        QApplication::clipboard()->setText(SelectedText());
    } catch (const std::bad_alloc&) {
        // A selection too large for the memory left is not copied; the clipboard keeps
        // what it held.
    }
}

int NoteView::OffsetOf(Place place) const {
    int offset = 0;
    for (std::optional<NoteBlock> block = blocks_.First(); block; block = blocks_.Next(*block)) {
        if (block->start == place.block) {
            return offset + place.index;
        }
        offset += static_cast<int>(Decoded(*block).size()) + (block->breakAfter ? 1 : 0);
    }
    return offset;
}

NoteView::Place NoteView::PlaceOf(int offset) const {
    for (std::optional<NoteBlock> block = blocks_.First(); block; block = blocks_.Next(*block)) {
        const int size = static_cast<int>(Decoded(*block).size());
        if (offset <= size || !block->next) {
            return Place{block->start, std::clamp(offset, 0, size)};
        }
        offset -= size + (block->breakAfter ? 1 : 0);
    }
    return Place{};
}

void NoteView::EnsureVisible(Place place) {
    const NoteBlock block = blocks_.At(place.block);
    const QTextLayout& layout = *Layout(block).layout;
    const QTextLine line = layout.lineForTextPosition(place.index);
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

void NoteView::MoveCursor(QKeyEvent* event) {
    NoteBlock block = blocks_.At(cursor_.block);
    const QTextLayout* layout = Layout(block).layout.get();
    Place place = cursor_;
    const bool control = event->modifiers() & Qt::ControlModifier;
    const QTextLine line = layout->lineForTextPosition(place.index);
    switch (event->key()) {
        case Qt::Key_Left:
            if (place.index > 0) {
                place.index = layout->previousCursorPosition(place.index);
            } else if (const auto previous = blocks_.Previous(block)) {
                place = Place{previous->start, static_cast<int>(Decoded(*previous).size())};
            }
            break;
        case Qt::Key_Right:
            if (place.index < layout->text().size()) {
                place.index = layout->nextCursorPosition(place.index);
            } else if (const auto next = blocks_.Next(block)) {
                place = Place{next->start, 0};
            }
            break;
        case Qt::Key_Up:
        case Qt::Key_Down: {
            const bool up = event->key() == Qt::Key_Up;
            const qreal x = line.isValid() ? line.cursorToX(place.index) : 0;
            const int number = (line.isValid() ? line.lineNumber() : 0) + (up ? -1 : 1);
            if (number >= 0 && number < layout->lineCount()) {
                place.index = layout->lineAt(number).xToCursor(x);
            } else if (const auto other = up ? blocks_.Previous(block) : blocks_.Next(block)) {
                const QTextLayout& otherLayout = *Layout(*other).layout;
                const QTextLine target = otherLayout.lineAt(up ? otherLayout.lineCount() - 1 : 0);
                place = Place{other->start, target.isValid() ? target.xToCursor(x) : 0};
            }
            break;
        }
        case Qt::Key_Home:
            place = control ? Place{} : Place{place.block, line.isValid() ? line.textStart() : 0};
            break;
        case Qt::Key_End:
            if (control) {
                const NoteBlock last = blocks_.Last();
                place = Place{last.start, static_cast<int>(Decoded(last).size())};
            } else if (line.isValid()) {
                place.index = line.textStart() + line.textLength();
            }
            break;
        default:
            return;
    }
    Select(anchor_, place);
    EnsureVisible(place);
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
    const int key = event->key();
    const bool cursorKey = key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up ||
                           key == Qt::Key_Down || key == Qt::Key_Home || key == Qt::Key_End;
    if ((event->modifiers() & Qt::ShiftModifier) && cursorKey) {
        MoveCursor(event);
        event->accept();
        return;
    }
    // Ctrl+Home and Ctrl+End as the scroll bar's ends; the box scrolls the bar for the
    // arrows and the page keys.
    if ((event->modifiers() & Qt::ControlModifier) && (key == Qt::Key_Home || key == Qt::Key_End)) {
        verticalScrollBar()->triggerAction(key == Qt::Key_Home ? QAbstractSlider::SliderToMinimum
                                                               : QAbstractSlider::SliderToMaximum);
        event->accept();
        return;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

void NoteView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const Place place = PlaceAt(event->position().toPoint());
    Select(event->modifiers() & Qt::ShiftModifier ? anchor_ : place, place);
    selecting_ = true;
}

void NoteView::mouseMoveEvent(QMouseEvent* event) {
    if (!selecting_) {
        return;
    }
    QPoint point = event->position().toPoint();
    // Dragging past the box's edge scrolls a line at a time.
    if (point.y() < 0) {
        ScrollBy(-LineHeight());
        point.setY(0);
    } else if (point.y() >= viewport()->height()) {
        ScrollBy(LineHeight());
        point.setY(viewport()->height() - 1);
    }
    Select(anchor_, PlaceAt(point));
}

void NoteView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !selecting_) {
        return;
    }
    selecting_ = false;
    QClipboard* clipboard = QApplication::clipboard();
    const auto [from, to] = std::minmax(anchor_, cursor_);
    if (HasSelection() && clipboard->supportsSelection() &&
        to.block - from.block <= kPrimarySelectionBytes) {
        clipboard->setText(SelectedText(), QClipboard::Selection);
    }
}

void NoteView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    // A double click selects the word under the mouse.
    const Place place = PlaceAt(event->position().toPoint());
    const QString text = Decoded(blocks_.At(place.block));
    QTextBoundaryFinder finder(QTextBoundaryFinder::Word, text);
    finder.setPosition(place.index);
    const bool atStart =
        finder.isAtBoundary() && (finder.boundaryReasons() & QTextBoundaryFinder::StartOfItem);
    const auto start = atStart ? place.index : std::max<qsizetype>(0, finder.toPreviousBoundary());
    finder.setPosition(place.index);
    const qsizetype next = finder.toNextBoundary();
    const auto end = next < 0 ? text.size() : std::max<qsizetype>(start, next);
    Select(Place{place.block, static_cast<int>(start)}, Place{place.block, static_cast<int>(end)});
}

void NoteView::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    QAction* copyAction = menu.addAction(tr("&Copy"), this, &NoteView::copy);
    copyAction->setShortcut(QKeySequence::Copy);
    copyAction->setEnabled(HasSelection());
    menu.addSeparator();
    QAction* all = menu.addAction(tr("Select &All"), this, &NoteView::selectAll);
    all->setShortcut(QKeySequence::SelectAll);
    menu.exec(event->globalPos());
}

}  // namespace lintrel
