// SPDX-License-Identifier: GPL-3.0-or-later
// The note box: selecting with the mouse and the keyboard, copying, and the keys that scroll.
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDrag>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTextLayout>

#include <new>

#include "core/code_point.h"
#include "core/note_search.h"
#include "desktop/busy_cursor.h"
#include "note_box/note_view.h"

namespace lintrel {

namespace {

// A selection offered to the clipboard: its text is made only when a program asks for it, so
// selecting or copying a note of any size costs nothing until it is pasted, and nothing more
// than the note is held meanwhile.
class SelectionData : public QMimeData {
  public:
    SelectionData(DecodedNote note, BlockPlace from, BlockPlace to)
        : note_(std::move(note)), from_(from), to_(to) {}

    QStringList formats() const override { return {QStringLiteral("text/plain")}; }
    bool hasFormat(const QString& type) const override {
        return type == QLatin1String("text/plain");
    }

  protected:
    QVariant retrieveData(const QString& type, QMetaType wanted) const override {
        if (type != QLatin1String("text/plain")) {
            return {};
        }
        // A program pasting asks for bytes: they are made here too, so that a text too large
        // for the memory left fails this paste alone, not the program.
        try {
            const BusyCursor busy;
            if (wanted.id() == QMetaType::QByteArray) {
                return note_.Between(from_, to_).toUtf8();
            }
            return note_.Between(from_, to_);
        } catch (const std::bad_alloc&) {
            return {};  // nothing is pasted
        }
    }

  private:
    DecodedNote note_;
    BlockPlace from_;
    BlockPlace to_;
};

}  // namespace

NoteView::Place NoteView::PlaceAt(QPoint point) {
    std::optional<NoteBlock> block = scroll_.Top().block;
    int y = -scroll_.verticalOffset();
    // A point above the box finds the lines above it.
    for (auto previous = Blocks().Previous(*block); point.y() < y && previous;
         previous = Blocks().Previous(*block)) {
        block = previous;
        y -= Layout(*block).Height();
    }
    while (true) {
        const LaidBlock& laid = Layout(*block);
        const auto next = Blocks().Next(*block);
        if (point.y() < y + laid.Height() || !next) {
            const int local = point.y() - y;
            const QTextLine line = laid.Line(laid.LineAt(local));
            return Place{block->start,
                         line.isValid() ? laid.IndexAt(line, point.x()) : TextIndex()};
        }
        y += laid.Height();
        block = next;
    }
}

void NoteView::Select(Place anchor, Place cursor) {
    caret_.Select(anchor, cursor);
}

void NoteView::Selected(bool selection) {
    viewport()->update();
    if (selection) {
        OfferSelection();
    }
}

void NoteView::TellReader(bool selection) {
    // Offsets count the text from the note's start: a screen reader is told them for a note
    // it reads whole (up to a megabyte), as it is given the text.
    if (!QAccessible::isActive() || NoteSize() > kReadWholeBytes) {
        return;
    }
    const int caret = OffsetOf(caret_.Cursor()).value;
    if (selection) {
        // The anchor, then the caret, as a text box gives them.
        QAccessibleTextSelectionEvent selected(this, OffsetOf(caret_.Anchor()).value, caret);
        QAccessible::updateAccessibility(&selected);
    } else {
        QAccessibleTextCursorEvent moved(this, caret);
        QAccessible::updateAccessibility(&moved);
    }
}

void NoteView::OfferSelection() {
    const auto [from, to] = caret_.Span();
    QClipboard* clipboard = QApplication::clipboard();
    // A mouse drag offers its selection once, when the button is released.
    if (from != to && !selecting_ && clipboard->supportsSelection()) {
        clipboard->setMimeData(new SelectionData(Note(), from, to), QClipboard::Selection);
    }
}

void NoteView::selectAll() {
    const NoteBlock last = Blocks().Last();
    Select(Place{}, Place{last.start, EndOf(Decoded(last))});
}

QString NoteView::SelectedText() const {
    const auto [from, to] = caret_.Span();
    return Note().Between(from, to);
}

void NoteView::copy() const {
    if (!HasSelection()) {
        return;
    }
    const auto [from, to] = caret_.Span();
    QApplication::clipboard()->setMimeData(new SelectionData(Note(), from, to));
}

bool NoteView::SelectMatch(const QString& text, std::size_t near) {
    const BusyCursor busy;
    const QString folded = FoldCase(text);
    // The blocks from `near` on are searched to select the match in the text as shown. A
    // match across two stretches of a very long line, or across a line break, is not
    // selected: the search stops a few pieces on.
    const std::size_t stop = near + (std::size_t{1} << 20);
    for (std::optional<NoteBlock> block = Blocks().At(near); block && block->start <= stop;
         block = Blocks().Next(*block)) {
        const QString decoded = Decoded(*block);
        // The block folded a character at a time, with where each folded character came from.
        QString blockFolded;
        std::vector<int> source;
        for (qsizetype i = 0; i < decoded.size();) {
            const qsizetype length = CodePointAt(decoded, i).units;
            const qsizetype before = blockFolded.size();
            FoldInto(QStringView(decoded).mid(i, length), blockFolded);
            source.insert(source.end(), static_cast<std::size_t>(blockFolded.size() - before),
                          static_cast<int>(i));
            i += length;
        }
        const qsizetype at = blockFolded.indexOf(folded);
        if (at < 0) {
            continue;
        }
        const TextIndex start(source[static_cast<std::size_t>(at)]);
        const TextIndex last(source[static_cast<std::size_t>(at + folded.size() - 1)]);
        const TextIndex end = last + static_cast<int>(CodePointAt(decoded, last.value).units);
        EnsureVisible(Place{block->start, end});
        EnsureVisible(Place{block->start, start});
        Select(Place{block->start, start}, Place{block->start, end});
        return true;
    }
    return false;
}

std::pair<QString, TextOffset> NoteView::TextAround(TextOffset offset) const {
    const Place place = PlaceOf(offset);
    const NoteBlock block = Blocks().At(place.block);
    QString text = Decoded(block);
    TextOffset start = offset - place.index.value;
    // A stretch of a long line comes with its neighbours in the line, so that a word or a
    // sentence across a cut is found whole.
    if (const auto previous = Blocks().Previous(block); previous && !previous->breakAfter) {
        const QString before = Decoded(*previous);
        text.prepend(before);
        start = start - static_cast<int>(before.size());
    }
    if (const auto next = Blocks().Next(block); next && !block.breakAfter) {
        text += Decoded(*next);
    }
    return {text, start};
}

std::optional<std::pair<TextOffset, TextOffset>> NoteView::LongLineAround(TextOffset offset) const {
    NoteBlock first = Blocks().At(PlaceOf(offset).block);
    NoteBlock last = first;
    for (auto previous = Blocks().Previous(first); previous && !previous->breakAfter;
         previous = Blocks().Previous(first)) {
        first = *previous;
    }
    for (auto next = Blocks().Next(last); next && !last.breakAfter; next = Blocks().Next(last)) {
        last = *next;
    }
    if (first == last) {
        return std::nullopt;
    }
    return std::pair(OffsetOf(Place{first.start, TextIndex()}),
                     OffsetOf(Place{last.start, EndOf(Decoded(last))}));
}

std::pair<TextOffset, TextOffset> NoteView::LineAround(TextOffset offset) const {
    const Place place = PlaceOf(offset);
    const LaidBlock& laid = Layout(Blocks().At(place.block));
    const QTextLine line = laid.LineOf(place.index);
    const TextOffset start = offset - place.index.value;
    if (!line.isValid()) {
        return {offset, offset};
    }
    return {start + laid.LineStart(line).value, start + laid.CaretLineEnd(line).value};
}

void NoteView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const QPoint point = event->position().toPoint();
    mightDrag_ = false;
    selecting_ = true;
    // A third click soon after a double click, and near it, selects the line and its break.
    if (tripleClick_.isActive() &&
        (point - tripleClickPoint_).manhattanLength() < QApplication::startDragDistance()) {
        tripleClick_.stop();
        caret_.SelectLine();
        return;
    }
    const bool extend = event->modifiers() == Qt::ShiftModifier;
    const Place place = PlaceAt(point);
    // A press on the selection (the character nearest the mouse selected) may begin dragging
    // the selected text out of the box.
    const auto [from, to] = caret_.Span();
    if (!extend && from != to && from <= place && place <= to) {
        mightDrag_ = true;
        pressPoint_ = point;
        return;
    }
    caret_.Press(place, point.x(), extend);
}

void NoteView::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & Qt::LeftButton)) {
        return;
    }
    if (mightDrag_) {
        if ((event->position().toPoint() - pressPoint_).manhattanLength() >
            QApplication::startDragDistance()) {
            DragOut();
        }
        return;
    }
    // A drag extends from a press, or by words or lines from a double or triple click (whose
    // second press may come as the double click alone).
    if (!selecting_ && !caret_.ExtendsByClick()) {
        return;
    }
    dragPoint_ = event->position().toPoint();
    caret_.DragTo(PlaceAt(dragPoint_), dragPoint_.x());
    // Held beyond the box's edge, the mouse starts the text scrolling a moment later.
    if (!viewport()->rect().contains(dragPoint_)) {
        if (!drag_.isActive()) {
            drag_.start(100, this);
        }
    } else {
        drag_.stop();
    }
}

void NoteView::DragOut() {
    // The selected text goes as a copy: the box is read-only, and drops nothing in.
    selecting_ = false;
    const auto [from, to] = caret_.Span();
    auto* drag = new QDrag(viewport());  // deleted when the drag is over
    drag->setMimeData(new SelectionData(Note(), from, to));
    drag->exec(Qt::CopyAction, Qt::CopyAction);
}

void NoteView::DragScroll() {
    // As a text box scrolls while the mouse is held beyond it: a line a tick, the ticks the
    // faster the farther the mouse is, selecting to where it is.
    const QRect visible = viewport()->rect();
    caret_.DragTo(PlaceAt(dragPoint_), dragPoint_.x());
    const int deltaY = std::max(dragPoint_.y() - visible.top(), visible.bottom() - dragPoint_.y()) -
                       visible.height();
    const int deltaX = std::max(dragPoint_.x() - visible.left(), visible.right() - dragPoint_.x()) -
                       visible.width();
    const int delta = std::max({deltaX, deltaY, 7});
    if (std::max(deltaX, deltaY) < 0) {
        drag_.stop();
        return;
    }
    drag_.start(4900 / (delta * delta), this);
    if (deltaY > 0) {
        ScrollLines(dragPoint_.y() < visible.center().y() ? -1 : 1);
    }
}

void NoteView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    drag_.stop();
    if (mightDrag_) {
        // A click on the selection, not dragged: the caret goes where it was clicked, the word
        // or line a click took kept for Shift+clicks, as in a text box.
        mightDrag_ = false;
        selecting_ = false;
        const Place place = PlaceAt(event->position().toPoint());
        caret_.Select(place, place);
        return;
    }
    if (!selecting_) {
        return;
    }
    selecting_ = false;
    OfferSelection();
    caret_.Released();
}

void NoteView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    mightDrag_ = false;
    // A double click selects the word under the mouse, as a text box's cursor finds it in the
    // line (the block) that holds it; a third click soon after, near it, takes the line.
    const QPoint point = event->position().toPoint();
    caret_.SelectWord(PlaceAt(point));
    tripleClickPoint_ = point;
    tripleClick_.start(QApplication::doubleClickInterval(), this);
}

QMenu* NoteView::CreateContextMenu() {
    auto* menu = new QMenu(this);
    QAction* copyAction = menu->addAction(tr("&Copy"), this, &NoteView::copy);
    copyAction->setShortcut(QKeySequence::Copy);
    copyAction->setEnabled(HasSelection());
    menu->addSeparator();
    QAction* all = menu->addAction(tr("Select All"), this, &NoteView::selectAll);
    all->setShortcut(QKeySequence::SelectAll);
    all->setEnabled(NoteSize() > 0);
    return menu;
}

QVariant NoteView::inputMethodQuery(Qt::InputMethodQuery query) const {
    if (query == Qt::ImCursorRectangle) {
        // The caret's line, a caret wide, in the viewport, as a text box answers.
        QRectF caret;
        const Place cursor = caret_.Cursor();
        VisitShown([&](const NoteBlock& block, const LaidBlock& laid, int y) {
            if (block.start == cursor.block) {
                const QTextLine line = laid.LineOf(cursor.index);
                if (line.isValid()) {
                    caret = QRectF(laid.XOf(line, cursor.index), y + line.y(), 1, line.height());
                }
            }
            return caret.isNull() && block.start < cursor.block;
        });
        if (!caret.isNull()) {
            return caret.toRect();
        }
    }
    return QAbstractScrollArea::inputMethodQuery(query);
}

void NoteView::contextMenuEvent(QContextMenuEvent* event) {
    const std::unique_ptr<QMenu> menu(CreateContextMenu());
    menu->exec(event->globalPos());
}

}  // namespace lintrel
