// SPDX-License-Identifier: GPL-3.0-or-later
// The note box's scroll bar, which counts a small note's lines and a large one's bytes, and the
// wheel.
#include <QApplication>
#include <QScrollBar>
#include <QTextLayout>
#include <QWheelEvent>

#include <algorithm>

#include "note_box/note_view.h"

namespace lintrel {

int NoteView::ValueOf(const Top& top) const {
    if (ByLines()) {
        return lines_.LineOf(top, laid_);
    }
    return static_cast<int>(laid_.ByteOf(top) / unit_);
}

void NoteView::SyncScrollBar(const std::optional<Top>& last) {
    QScrollBar* bar = verticalScrollBar();
    const QSignalBlocker blocker(bar);
    if (ByLines()) {
        // As a text box's: up to the line at the top of the last screenful, a page being the
        // lines of that screenful.
        const Top end = last ? *last : laid_.LastTop(viewport()->height());
        bar->setRange(0, ValueOf(end));
        bar->setPageStep(std::max(1, laid_.LinesToEnd(end)));
        bar->setSingleStep(1);
        if (!bar->isSliderDown()) {
            bar->setValue(ValueOf(scroll_.Top()));
        }
        return;
    }
    // A page is the bytes on screen, from the top of the box to its bottom, each end counted
    // by its height in its block, so that the slider's share of the groove is the share of the
    // note on screen.
    const Top& top = scroll_.Top();
    const Top bottom = laid_.Normalised(Top{top.block, top.y + viewport()->height()});
    const std::size_t topByte = laid_.ByteOf(top);
    const std::size_t shown = std::max(laid_.ByteOf(bottom), topByte) - topByte;
    // Far from the end, the last screenful starts a page before the note's end.
    bar->setRange(0, last ? ValueOf(*last) : static_cast<int>((NoteSize() - shown) / unit_));
    bar->setPageStep(std::max(1, static_cast<int>(shown / unit_)));
    bar->setSingleStep(std::max(1, bar->pageStep() / 10));
    // While the slider is dragged it stays where the mouse puts it.
    if (!bar->isSliderDown()) {
        bar->setValue(ValueOf(top));
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
                         .value_or(laid_.LastTop(viewport()->height())));
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
    verticalScrollBar()->setSliderPosition(ValueOf(scroll_.Top()));
}

void NoteView::ScrollBarMoved(int value) {
    if (value != ValueOf(scroll_.Top())) {
        const QSignalBlocker blocker(verticalScrollBar());
        if (ByLines()) {
            ScrollTo(lines_.TopOf(value, laid_));
        } else {
            JumpToByte(static_cast<std::size_t>(value) * unit_);
        }
    }
}

void NoteView::scrollContentsBy(int, int) {
    // Scrolling is done by ScrollBy; the scroll bar only reports and moves.
}

void NoteView::wheelEvent(QWheelEvent* event) {
    // The wheel's turn in notches, as a text box reads it: a touchpad's events carry their
    // angle too, which is what counts.
    const qreal notches = (event->inverted() ? -1 : 1) * event->angleDelta().y() / 120.0;
    event->accept();
    if (event->modifiers() & Qt::ControlModifier) {
        // Zooms, a point a notch, as a read-only text box does.
        QFont zoomed = font();
        if (const qreal size = zoomed.pointSizeF() + notches; size > 0 && notches != 0) {
            zoomed.setPointSizeF(size);
            setFont(zoomed);
        }
        return;
    }
    // A page of lines a notch with Shift, else the desktop's lines a notch, what is left of a
    // line waiting for the next turn, so that a touchpad's small steps add up; never more
    // than a page at once.
    const int page = std::max(1, laid_.LinesToEnd(laid_.LastTop(viewport()->height())));
    int lines = 0;
    if (event->modifiers() & Qt::ShiftModifier) {
        lines = static_cast<int>(notches * page);
        wheelRest_ = 0;
    } else {
        if (wheelRest_ * notches < 0) {
            wheelRest_ = 0;  // turned the other way
        }
        wheelRest_ += notches * QApplication::wheelScrollLines();
        lines = static_cast<int>(wheelRest_);
        wheelRest_ -= lines;
    }
    ScrollLines(-std::clamp(lines, -page, page));
}

}  // namespace lintrel
