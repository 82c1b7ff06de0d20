// SPDX-License-Identifier: GPL-3.0-or-later
// The note box: selecting with the mouse and the keyboard, copying, and the keys that scroll.
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDateTime>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyleHints>
#include <QTextBoundaryFinder>
#include <QTextLayout>
#include <QTimer>

#include <new>

#include "core/note_search.h"
#include "desktop/busy_cursor.h"
#include "main_window/note_view.h"

namespace lintrel {

namespace {

// A selection offered to the clipboard: its text is made only when a program asks for it, so
// selecting or copying a note of any size costs nothing until it is pasted, and nothing more
// than the note is held meanwhile.
class SelectionData : public QMimeData {
  public:
    SelectionData(NoteText note, const QByteArray& codePage, NoteBlocks blocks, BlockPlace from,
                  BlockPlace to)
        : note_(std::move(note)),
          codePage_(codePage),
          blocks_(std::move(blocks)),
          from_(from),
          to_(to) {}

    QStringList formats() const override { return {QStringLiteral("text/plain")}; }
    bool hasFormat(const QString& type) const override {
        return type == QLatin1String("text/plain");
    }

  protected:
    QVariant retrieveData(const QString& type, QMetaType) const override {
        if (type != QLatin1String("text/plain")) {
            return {};
        }
        try {
            const BusyCursor busy;
            return TextBetween(codePage_, blocks_, from_, to_);
        } catch (const std::bad_alloc&) {
            return {};  // too large for the memory left: nothing is pasted
        }
    }

  private:
    NoteText note_;  // keeps the bytes that blocks_ reads alive
    QByteArray codePage_;
    NoteBlocks blocks_;
    BlockPlace from_;
    BlockPlace to_;
};

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
    const bool changed = anchor != anchor_ || cursor != cursor_;
    anchor_ = anchor;
    cursor_ = cursor;
    viewport()->update();
    if (changed) {
        SelectionChanged();
    }
}

void NoteView::SelectionChanged() {
    const auto [from, to] = std::minmax(anchor_, cursor_);
    QClipboard* clipboard = QApplication::clipboard();
    if (from != to && clipboard->supportsSelection()) {
        clipboard->setMimeData(new SelectionData(note_, codePage_, blocks_, from, to),
                               QClipboard::Selection);
    }
    if (QAccessible::isActive()) {
        const int caret = OffsetOf(cursor_);
        QAccessibleTextCursorEvent moved(this, caret);
        QAccessible::updateAccessibility(&moved);
        QAccessibleTextSelectionEvent selected(this, OffsetOf(from), OffsetOf(to));
        selected.setCursorPosition(caret);
        QAccessible::updateAccessibility(&selected);
    }
}

void NoteView::selectAll() {
    const NoteBlock last = blocks_.Last();
    Select(Place{}, Place{last.start, static_cast<int>(Decoded(last).size())});
}

QString NoteView::SelectedText() const {
    const auto [from, to] = std::minmax(anchor_, cursor_);
    return TextBetween(codePage_, blocks_, from, to);
}

void NoteView::copy() const {
    if (!HasSelection()) {
        return;
    }
    const auto [from, to] = std::minmax(anchor_, cursor_);
    QApplication::clipboard()->setMimeData(new SelectionData(note_, codePage_, blocks_, from, to));
}

bool NoteView::SelectFirstMatch(const QString& text) {
    const BusyCursor busy;
    const QString folded = FoldCase(text);
    // The search of the whole note finds the piece; the blocks from there are searched again
    // to select the match in the text as shown.
    const std::optional<std::size_t> near = NoteSearch(text).FoundAt(codePage_, note_.bytes);
    if (!near) {
        return false;
    }
    // A match across two stretches of a very long line, or across a line break, is not
    // selected: the search stops a few pieces on.
    const std::size_t stop = *near + (std::size_t{1} << 20);
    for (std::optional<NoteBlock> block = blocks_.At(*near); block && block->start <= stop;
         block = blocks_.Next(*block)) {
        const QString decoded = Decoded(*block);
        // The block folded a character at a time, with where each folded character came from.
        QString blockFolded;
        std::vector<int> source;
        for (qsizetype i = 0; i < decoded.size();) {
            const qsizetype length = decoded[i].isHighSurrogate() && i + 1 < decoded.size() ? 2 : 1;
            const QString piece = FoldCase(decoded.mid(i, length));
            blockFolded += piece;
            source.insert(source.end(), static_cast<std::size_t>(piece.size()),
                          static_cast<int>(i));
            i += length;
        }
        const qsizetype at = blockFolded.indexOf(folded);
        if (at < 0) {
            continue;
        }
        const int start = source[static_cast<std::size_t>(at)];
        const int last = source[static_cast<std::size_t>(at + folded.size() - 1)];
        const int end = last + (decoded[last].isHighSurrogate() ? 2 : 1);
        EnsureVisible(Place{block->start, end});
        EnsureVisible(Place{block->start, start});
        Select(Place{block->start, start}, Place{block->start, end});
        return true;
    }
    return false;
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

std::optional<QPointF> NoteView::PointOf(Place place) const {
    std::optional<QPointF> point;
    VisitShown([&](const NoteBlock& block, const Laid& laid, int y) {
        if (block.start == place.block) {
            const QTextLine line = laid.layout->lineForTextPosition(place.index);
            if (line.isValid()) {
                point = QPointF(line.cursorToX(place.index), y + line.y() + line.height() / 2);
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
            const QTextLine line = laid.layout->lineForTextPosition(place.index);
            if (line.isValid()) {
                const qreal left = line.cursorToX(place.index);
                const qreal right = line.cursorToX(place.index + 1);
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

bool NoteView::MoveCursor(QKeyEvent* event) {
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
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            place = PageFrom(place, event->key() == Qt::Key_PageDown);
            break;
        case Qt::Key_Home:
            place = control ? Place{} : Place{place.block, line.isValid() ? line.textStart() : 0};
            break;
        case Qt::Key_End:
            if (control) {
                const NoteBlock last = blocks_.Last();
                place = Place{last.start, static_cast<int>(Decoded(last).size())};
            } else if (line.isValid()) {
                place.index = line.textStart() + line.textLength();
                // A wrapped line ends before the space it broke at, as in a text box.
                if (line.lineNumber() + 1 < layout->lineCount() && place.index > line.textStart() &&
                    layout->text().at(place.index - 1).isSpace()) {
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

void NoteView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const Place place = PlaceAt(event->position().toPoint());
    // A third click soon after a double click selects the line.
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (doubleClickAt_ >= 0 &&
        now - doubleClickAt_ <= QGuiApplication::styleHints()->mouseDoubleClickInterval()) {
        doubleClickAt_ = -1;
        const NoteBlock block = blocks_.At(place.block);
        Select(Place{block.start, 0}, Place{block.start, static_cast<int>(Decoded(block).size())});
        return;
    }
    Select(event->modifiers() & Qt::ShiftModifier ? anchor_ : place, place);
    selecting_ = true;
}

void NoteView::mouseMoveEvent(QMouseEvent* event) {
    if (!selecting_) {
        return;
    }
    dragPoint_ = event->position().toPoint();
    // Held beyond the box's top or bottom, the mouse keeps the text scrolling.
    const bool outside = dragPoint_.y() < 0 || dragPoint_.y() >= viewport()->height();
    if (outside && dragTimer_ == nullptr) {
        dragTimer_ = new QTimer(this);
        connect(dragTimer_, &QTimer::timeout, this, &NoteView::DragScroll);
        dragTimer_->start(50);
    } else if (!outside && dragTimer_ != nullptr) {
        delete dragTimer_;
        dragTimer_ = nullptr;
    }
    DragScroll();
}

void NoteView::DragScroll() {
    QPoint point = dragPoint_;
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
    delete dragTimer_;
    dragTimer_ = nullptr;
}

void NoteView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    doubleClickAt_ = QDateTime::currentMSecsSinceEpoch();
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
