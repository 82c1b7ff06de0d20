// SPDX-License-Identifier: GPL-3.0-or-later
// The note box: blocks decoded and laid out as they come on screen, and scrolling.
#include "note_box/note_view.h"

#include <QAccessible>
#include <QPainter>
#include <QScrollBar>
#include <QTextLayout>
#include <QTimerEvent>

#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/code_page.h"

namespace lintrel {

NoteView::NoteView(QWidget* parent) : QAbstractScrollArea(parent) {
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Qt::IBeamCursor);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(verticalScrollBar(), &QAbstractSlider::actionTriggered, this,
            &NoteView::ScrollBarAction);
    connect(verticalScrollBar(), &QAbstractSlider::valueChanged, this, &NoteView::ScrollBarMoved);
    scroll_.Reset(Blocks().First());
    laid_.Reshape(Shape());
    InstallAccessibility();
}

NoteView::~NoteView() = default;

void NoteView::SetNote(const QByteArray& codePage, NoteText note) {
    // A screen reader listening is told that the text changed, as a text box tells it: the old
    // text went (its length), the new text came, and the caret stands at its start.
    QAccessibleInterface* box =
        QAccessible::isActive() ? QAccessible::queryAccessibleInterface(this) : nullptr;
    QAccessibleTextInterface* text = box ? box->textInterface() : nullptr;
    const int removed = text ? text->characterCount() : 0;
    laid_.Reset(DecodedNote(codePage, std::move(note)));
    offsets_.reset();
    ++serial_;
    unit_ = NoteSize() / std::numeric_limits<int>::max() + 1;
    lines_.Forget();
    scroll_.Reset(Blocks().First());
    wheelRest_ = 0;
    caret_.Reset();
    if (isVisible()) {
        Settle();
    }
    if (text) {
        QAccessibleTextRemoveEvent gone(this, 0, QString(removed, u' '));
        QAccessible::updateAccessibility(&gone);
        QAccessibleTextInsertEvent came(this, 0, text->text(0, text->characterCount()));
        QAccessible::updateAccessibility(&came);
        TellReader(false);
    }
}

void NoteView::setPlainText(const QString& text) {
    SetNote(QByteArray(kUtf8), NoteText::Own(text.toStdString()));
}

QString NoteView::toPlainText() const {
    return Note().Whole();
}

const BlockOffsets& NoteView::Offsets() const {
    if (!offsets_) {
        offsets_.emplace(Note());
    }
    return *offsets_;
}

QString NoteView::TextBetweenOffsets(TextOffset from, TextOffset to) const {
    return Note().Between(PlaceOf(from), PlaceOf(to));
}

LaidBlock& NoteView::Layout(const NoteBlock& block) const {
    return laid_.Layout(block);
}

std::optional<NoteView::Top> NoteView::PagedTop(bool down) {
    laid_.Trim();
    return laid_.PagedTop(scroll_.Top(), scroll_.verticalOffset(), viewport()->height(), down);
}

void NoteView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    // The right margin stays clear of a selected line's end, but for the caret's width, as a
    // text box keeps it.
    painter.setClipRect(QRect(0, 0, viewport()->width() - kMargin + 2, viewport()->height()));
    painter.setPen(palette().color(QPalette::Text));
    const auto group = hasFocus() ? QPalette::Active : QPalette::Inactive;
    QTextCharFormat selected;
    selected.setBackground(palette().color(group, QPalette::Highlight));
    selected.setForeground(palette().color(group, QPalette::HighlightedText));
    const PlaceSpan span = caret_.Span();
    const Place& from = span.start;
    const Place& to = span.end;

    VisitShown([&](const NoteBlock& block, const LaidBlock& laid, int y) {
        std::optional<std::pair<TextIndex, TextIndex>> selection;
        if (from != to && block.start >= from.block && block.start <= to.block) {
            // A selection from an earlier block starts before this one's text, and a selected
            // line break is drawn past the line's end, as a text box draws them (the start
            // decides how a right-to-left line's edge is drawn).
            selection = std::pair(
                block.start == from.block ? from.index : TextIndex(-1),
                block.start == to.block ? to.index : laid.End() + (block.breakAfter ? 1 : 0));
        }
        const Place cursor = caret_.Cursor();
        const bool caret = CaretShown() && block.start == cursor.block;
        laid.Draw(painter, QPointF(0, y), selection, selected,
                  caret ? std::optional(cursor.index) : std::nullopt);
        return true;
    });
}

void NoteView::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
}

void NoteView::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

void NoteView::timerEvent(QTimerEvent* event) {
    if (event->timerId() == drag_.timerId()) {
        DragScroll();
    } else if (event->timerId() == tripleClick_.timerId()) {
        tripleClick_.stop();
    } else {
        QAbstractScrollArea::timerEvent(event);
    }
}

QString NoteView::VisibleText() const {
    QString text;
    VisitShown([&](const NoteBlock& block, const LaidBlock& laid, int) {
        text += laid.Text() + Note().BreakText(block);
        return true;
    });
    return text;
}

void NoteView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    Relayout();
}

void NoteView::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        Relayout();
    }
}

void NoteView::Relayout() {
    // The top block stays at the top, from the line of the same number, as a text box keeps
    // its top line when the width or the font changes.
    scroll_.Unsettle(laid_);
    if (laid_.Reshape(Shape())) {
        lines_.Forget();
    }
    // A hidden box is laid out when it shows, at the size it shows at.
    if (isVisible()) {
        Settle();
    }
}

void NoteView::Settle() {
    scroll_.Settle(laid_);
    ScrollBy(0);
}

void NoteView::showEvent(QShowEvent* event) {
    QAbstractScrollArea::showEvent(event);
    if (!scroll_.Settled()) {
        Settle();
    }
}

void NoteView::ScrollBy(int dy) {
    laid_.Trim();
    const Top& now = scroll_.Top();
    Top top = laid_.Normalised(Top{now.block, now.y + dy});
    // The box scrolls by lines, as a text box does: a whole line at the top.
    if (dy != 0) {
        top = laid_.Snapped(top, dy > 0);
    }
    ScrollTo(top);
}

void NoteView::ScrollLines(int lines) {
    laid_.Trim();
    ScrollTo(laid_.LinesFrom(scroll_.Top(), lines));
}

void NoteView::ScrollTo(Top top) {
    // The last screenful is found only near the note's end, so that a long line shows without
    // its last stretch laid out too.
    std::optional<Top> last;
    if (laid_.EndWithin(top, 2 * viewport()->height())) {
        last = laid_.LastTop(viewport()->height());
        top = std::min(top, *last);
    }
    scroll_.MoveTo(top, laid_);
    SyncScrollBar(last);
    viewport()->update();
}

void NoteView::RestoreView(const View& view, bool sameText) {
    const Top top{Blocks().At(std::min(view.topByte, NoteSize())), view.y};
    if (sameText) {
        Select(view.anchor, view.cursor);
    }
    if (!scroll_.Settled()) {
        scroll_.Wait(top.block);
    } else if (sameText) {
        scroll_.Restore(top, view.lag);
        ScrollTo(top);
    } else {
        ScrollTo(laid_.Snapped(laid_.Normalised(top), false));
    }
}

void NoteView::JumpToByte(std::size_t byte) {
    ScrollTo(laid_.TopOf(byte));
}

}  // namespace lintrel
