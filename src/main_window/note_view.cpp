// SPDX-License-Identifier: GPL-3.0-or-later
// The note box: blocks decoded and laid out as they come on screen, and scrolling.
#include "main_window/note_view.h"

#include <QPainter>
#include <QScrollBar>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/code_page.h"

namespace lintrel {

namespace {

// The space between the text and the box's edges, as a text box leaves it.
constexpr int kMargin = 4;
// More laid-out blocks than this are dropped and laid out again when needed.
constexpr std::size_t kLaidBlocks = 512;

}  // namespace

NoteView::NoteView(QWidget* parent) : QAbstractScrollArea(parent) {
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Qt::IBeamCursor);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(verticalScrollBar(), &QAbstractSlider::actionTriggered, this,
            &NoteView::ScrollBarAction);
    connect(verticalScrollBar(), &QAbstractSlider::valueChanged, this, &NoteView::ScrollBarMoved);
    top_.block = blocks_.First();
    InstallAccessibility();
}

NoteView::~NoteView() = default;

void NoteView::SetNote(const QByteArray& codePage, std::string_view note,
                       std::shared_ptr<const void> keeper) {
    laid_.clear();
    keeper_ = std::move(keeper);
    blocks_ = NoteBlocks(
        note, std::string_view(codePage.constData(), static_cast<std::size_t>(codePage.size())));
    codePage_ = codePage;
    unit_ = note.size() / std::numeric_limits<int>::max() + 1;
    top_ = Top{blocks_.First(), 0};
    anchor_ = cursor_ = Place{};
    ScrollBy(0);
}

void NoteView::setPlainText(const QString& text) {
    auto own = std::make_shared<std::string>(text.toStdString());
    const std::string_view bytes(*own);
    SetNote("UTF-8", bytes, std::move(own));
}

QString NoteView::toPlainText() const {
    return ShownText(codePage_, blocks_.Note());
}

QString NoteView::Decoded(const NoteBlock& block) const {
    const auto found = laid_.find(block.start);
    if (found != laid_.end()) {
        return found->second->text;
    }
    return DecodeText(codePage_, blocks_.Bytes(block));
}

NoteView::Laid& NoteView::Layout(const NoteBlock& block) const {
    auto& slot = laid_[block.start];
    if (slot) {
        return *slot;
    }
    if (laid_.size() > kLaidBlocks) {
        laid_.clear();
        return Layout(block);
    }
    slot = std::make_unique<Laid>();
    slot->text = DecodeText(codePage_, blocks_.Bytes(block));
    slot->layout = std::make_unique<QTextLayout>(slot->text, font());
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    slot->layout->setTextOption(option);
    slot->layout->setCacheEnabled(true);
    // The note's first block carries the top margin, its last the bottom margin.
    const qreal width = std::max(1, viewport()->width() - 2 * kMargin);
    qreal y = block.start == 0 ? kMargin : 0;
    slot->layout->beginLayout();
    for (QTextLine line = slot->layout->createLine(); line.isValid();
         line = slot->layout->createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(kMargin, y));
        y += line.height();
    }
    slot->layout->endLayout();
    slot->height = std::max(1, static_cast<int>(std::ceil(y)) + (block.next ? 0 : kMargin));
    return *slot;
}

int NoteView::LineHeight() const {
    return fontMetrics().lineSpacing();
}

void NoteView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    painter.setPen(palette().color(QPalette::Text));
    const auto group = hasFocus() ? QPalette::Active : QPalette::Inactive;
    QTextCharFormat selected;
    selected.setBackground(palette().color(group, QPalette::Highlight));
    selected.setForeground(palette().color(group, QPalette::HighlightedText));
    const Place from = std::min(anchor_, cursor_);
    const Place to = std::max(anchor_, cursor_);

    VisitShown([&](const NoteBlock& block, Laid& laid, int y) {
        QList<QTextLayout::FormatRange> ranges;
        if (from != to && block.start >= from.block && block.start <= to.block) {
            const int start = block.start == from.block ? from.index : 0;
            const int end = block.start == to.block ? to.index : static_cast<int>(laid.text.size());
            ranges.append({start, end - start, selected});
        }
        laid.layout->draw(&painter, QPointF(0, y), ranges);
        return true;
    });
}

QString NoteView::VisibleText() const {
    QString text;
    VisitShown([&](const NoteBlock& block, const Laid& laid, int) {
        text += laid.text;
        if (block.breakAfter) {
            text += QLatin1Char('\n');
        }
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
    // The line at the top stays at the top.
    int index = 0;
    if (const auto found = laid_.find(top_.block.start); found != laid_.end()) {
        const QTextLayout& layout = *found->second->layout;
        for (int i = 0; i < layout.lineCount(); ++i) {
            if (layout.lineAt(i).y() + layout.lineAt(i).height() > top_.y) {
                index = layout.lineAt(i).textStart();
                break;
            }
        }
    }
    laid_.clear();
    const QTextLayout& layout = *Layout(top_.block).layout;
    const QTextLine line = layout.lineForTextPosition(index);
    top_.y = line.isValid() && line.lineNumber() > 0 ? static_cast<int>(line.y()) : 0;
    ScrollBy(0);
}

NoteView::Top NoteView::Normalised(Top top) const {
    while (top.y < 0) {
        const auto previous = blocks_.Previous(top.block);
        if (!previous) {
            top.y = 0;
            break;
        }
        top.block = *previous;
        top.y += Layout(top.block).height;
    }
    while (top.y >= Layout(top.block).height) {
        const auto next = blocks_.Next(top.block);
        if (!next) {
            top.y = Layout(top.block).height - 1;
            break;
        }
        top.y -= Layout(top.block).height;
        top.block = *next;
    }
    return top;
}

NoteView::Top NoteView::LastTop() const {
    // The last screenful: the note's end at the bottom of the box, or the note's start at
    // the top when the note is shorter than the box.
    Top top{blocks_.Last(), 0};
    top.y = Layout(top.block).height - viewport()->height();
    return Normalised(top);
}

void NoteView::ScrollBy(int dy) {
    Top top = Normalised(Top{top_.block, top_.y + dy});
    const Top last = LastTop();
    if (std::pair(top.block.start, top.y) > std::pair(last.block.start, last.y)) {
        top = last;
    }
    top_ = top;
    SyncScrollBar(last);
    viewport()->update();
}

void NoteView::JumpToByte(std::size_t byte) {
    const NoteBlock block = blocks_.At(byte);
    const Laid& laid = Layout(block);
    const std::size_t span = blocks_.Span(block);
    int y = 0;
    if (span > 0) {
        const double share = static_cast<double>(byte - block.start) / static_cast<double>(span);
        const int target = static_cast<int>(share * laid.height);
        // The top of the line the byte falls in.
        for (int i = 0; i < laid.layout->lineCount(); ++i) {
            const QTextLine line = laid.layout->lineAt(i);
            if (line.y() <= target) {
                y = static_cast<int>(line.y());
            }
        }
    }
    top_ = Top{block, y};
    ScrollBy(0);
}

int NoteView::ValueOf(const Top& top) const {
    const std::size_t span = blocks_.Span(top.block);
    const double share = static_cast<double>(top.y) / Layout(top.block).height;
    const auto byte = top.block.start + static_cast<std::size_t>(share * static_cast<double>(span));
    return static_cast<int>(byte / unit_);
}

void NoteView::SyncScrollBar(const Top& last) {
    QScrollBar* bar = verticalScrollBar();
    const QSignalBlocker blocker(bar);
    // A page is the bytes on screen.
    std::size_t shown = 0;
    VisitShown([&](const NoteBlock& block, const Laid&, int) {
        shown = block.start + blocks_.Span(block) - top_.block.start;
        return true;
    });
    bar->setRange(0, ValueOf(last));
    bar->setPageStep(std::max(1, static_cast<int>(shown / unit_)));
    bar->setSingleStep(std::max(1, bar->pageStep() / 10));
    // While the slider is dragged it stays where the mouse puts it.
    if (!bar->isSliderDown()) {
        bar->setValue(ValueOf(top_));
    }
}

void NoteView::ScrollBarAction(int action) {
    const int page = std::max(LineHeight(), viewport()->height() - LineHeight());
    switch (action) {
        case QAbstractSlider::SliderSingleStepAdd:
            ScrollBy(LineHeight());
            break;
        case QAbstractSlider::SliderSingleStepSub:
            ScrollBy(-LineHeight());
            break;
        case QAbstractSlider::SliderPageStepAdd:
            ScrollBy(page);
            break;
        case QAbstractSlider::SliderPageStepSub:
            ScrollBy(-page);
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
    const int dy =
        !pixels.isNull() ? -pixels.y() : -event->angleDelta().y() * 3 * LineHeight() / 120;
    ScrollBy(dy);
    event->accept();
}

}  // namespace lintrel
