// SPDX-License-Identifier: GPL-3.0-or-later
#include "note_box/laid_block.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <utility>

#include "core/block_text.h"

namespace lintrel {

LaidBlock::LaidBlock(QString text, const QString& open, const QFont& font,
                     std::optional<Qt::LayoutDirection> direction, qreal left, qreal width,
                     qreal top, int bottom)
    : text_(std::move(text)),
      layout_(open + text_, font),
      shift_(static_cast<int>(open.size())),
      rightToLeft_(direction ? *direction == Qt::RightToLeft : text_.isRightToLeft()) {
    QTextOption option;
    // A long text without a place to break wraps the same anywhere, and much faster so.
    constexpr qsizetype kLongText = 4096;
    option.setWrapMode(text_.size() < kLongText || HasLineBreakInside(text_)
                           ? QTextOption::WrapAtWordBoundaryOrAnywhere
                           : QTextOption::WrapAnywhere);
    if (direction) {
        option.setTextDirection(*direction);
    }
    layout_.setTextOption(option);
    layout_.setCacheEnabled(true);
    qreal y = top;
    // Where the last line ends: a text box counts its height rounded up.
    qreal end = top;
    layout_.beginLayout();
    for (QTextLine line = layout_.createLine(); line.isValid(); line = layout_.createLine()) {
        // Lines drawn in a fallback font are as far apart as in a text box, and a face with
        // negative leading draws them closer by that leading, rounded up, as a text box does.
        line.setLeadingIncluded(true);
        line.setLineWidth(width);
        line.setPosition(QPointF(left, y));
        end = y + std::ceil(line.height());
        y += line.height() + std::ceil(std::min(line.leading(), qreal(0)));
    }
    layout_.endLayout();
    height_ = std::max(1, static_cast<int>(std::ceil(end)) + bottom);
}

QTextLine LaidBlock::LineOf(TextIndex index) const {
    return layout_.lineForTextPosition(index.value + shift_);
}

int LaidBlock::LineAt(qreal y) const {
    int number = 0;
    while (number + 1 < layout_.lineCount() && layout_.lineAt(number + 1).y() <= y) {
        ++number;
    }
    return number;
}

qreal LaidBlock::XOf(const QTextLine& line, TextIndex index) const {
    return line.cursorToX(index.value + shift_);
}

TextIndex LaidBlock::IndexAt(const QTextLine& line, qreal x) const {
    return Unshifted(line.xToCursor(x));
}

TextIndex LaidBlock::LineStart(const QTextLine& line) const {
    return Unshifted(line.textStart());
}

TextIndex LaidBlock::LineEnd(const QTextLine& line) const {
    return Unshifted(line.textStart() + line.textLength());
}

TextIndex LaidBlock::CaretLineEnd(const QTextLine& line) const {
    const TextIndex end = LineEnd(line);
    const bool wrapped = line.lineNumber() + 1 < layout_.lineCount();
    return wrapped && end > LineStart(line) && text_.at(end.value - 1).isSpace() ? end - 1 : end;
}

TextIndex LaidBlock::Next(TextIndex index, QTextLayout::CursorMode mode) const {
    return Unshifted(layout_.nextCursorPosition(index.value + shift_, mode));
}

TextIndex LaidBlock::Previous(TextIndex index, QTextLayout::CursorMode mode) const {
    return Unshifted(layout_.previousCursorPosition(index.value + shift_, mode));
}

void LaidBlock::Draw(QPainter& painter, QPointF at,
                     std::optional<std::pair<TextIndex, TextIndex>> selected,
                     const QTextCharFormat& format, std::optional<TextIndex> caret) const {
    QList<QTextLayout::FormatRange> ranges;
    if (selected) {
        // A selection from before starts before the layout's text, as a text box gives it.
        const int first = selected->first.value < 0 ? -1 : selected->first.value + shift_;
        ranges.append({first, selected->second.value + shift_ - first, format});
    }
    layout_.draw(&painter, at, ranges, painter.clipBoundingRect());
    if (caret) {
        layout_.drawCursor(&painter, at, caret->value + shift_);
    }
}

}  // namespace lintrel
