// SPDX-License-Identifier: GPL-3.0-or-later
// The note box's scroll bar, which counts bytes, and the wheel.
#include <QScrollBar>
#include <QTextLayout>
#include <QWheelEvent>

#include <algorithm>

#include "note_box/note_view.h"

namespace lintrel {

int NoteView::ValueOf(const Top& top) const {
    return static_cast<int>(laid_.ByteOf(top, Shape()) / unit_);
}

void NoteView::SyncScrollBar(const std::optional<Top>& last) {
    QScrollBar* bar = verticalScrollBar();
    const QSignalBlocker blocker(bar);
    // A page is the bytes on screen, from the top of the box to its bottom, each end counted
    // by its height in its block, so that the slider's share of the groove is the share of the
    // note on screen.
    const Top bottom = laid_.Normalised(Top{top_.block, top_.y + viewport()->height()}, Shape());
    const std::size_t topByte = laid_.ByteOf(top_, Shape());
    const std::size_t shown = std::max(laid_.ByteOf(bottom, Shape()), topByte) - topByte;
    // Far from the end, the last screenful starts a page before the note's end.
    bar->setRange(0, last ? ValueOf(*last) : static_cast<int>((NoteSize() - shown) / unit_));
    bar->setPageStep(std::max(1, static_cast<int>(shown / unit_)));
    bar->setSingleStep(std::max(1, bar->pageStep() / 10));
    // While the slider is dragged it stays where the mouse puts it.
    if (!bar->isSliderDown()) {
        bar->setValue(ValueOf(top_));
    }
}

void NoteView::ScrollBarAction(int action) {
    // A text box steps by lines, and pages as Page Down and Page Up page, leaving the caret;
    // with the note's end on the screen, its scroll bar's own page step takes it to the last
    // screenful.
    switch (action) {
        case QAbstractSlider::SliderSingleStepAdd:
            ScrollLines(1);
            break;
        case QAbstractSlider::SliderSingleStepSub:
            ScrollLines(-1);
            break;
        case QAbstractSlider::SliderPageStepAdd:
        case QAbstractSlider::SliderPageStepSub:
            ScrollTo(PagedTop(action == QAbstractSlider::SliderPageStepAdd)
                         .value_or(laid_.LastTop(viewport()->height(), Shape())));
            break;
        case QAbstractSlider::SliderToMinimum:
            JumpToByte(0);
            break;
        case QAbstractSlider::SliderToMaximum:
            JumpToByte(NoteSize());
            break;
        default:
            return;
    }
    // The slider then takes the place scrolled to, not a step of its own.
    verticalScrollBar()->setSliderPosition(ValueOf(top_));
}

void NoteView::ScrollBarMoved(int value) {
    if (value != ValueOf(top_)) {
        const QSignalBlocker blocker(verticalScrollBar());
        JumpToByte(static_cast<std::size_t>(value) * unit_);
    }
}

void NoteView::scrollContentsBy(int, int) {
    // Scrolling is done by ScrollBy; the scroll bar only reports and moves.
}

void NoteView::wheelEvent(QWheelEvent* event) {
    const QPoint pixels = event->pixelDelta();
    wheelRest_ +=
        !pixels.isNull() ? -pixels.y() : -event->angleDelta().y() * 3 * LineHeight() / 120;
    // Whole lines, as a text box scrolls; what is left of a line waits for the next turn, so
    // that a touchpad's small steps add up.
    const int lines = wheelRest_ / LineHeight();
    if (lines != 0) {
        wheelRest_ -= lines * LineHeight();
        ScrollLines(lines);
    }
    event->accept();
}

}  // namespace lintrel
