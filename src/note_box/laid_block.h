// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QString>
#include <QTextCharFormat>
#include <QTextLayout>

#include <optional>
#include <utility>

#include "core/text_units.h"

class QPainter;

namespace lintrel {

// A block of the note decoded and laid out at a width, as the note box shows it. A stretch of a
// long line is laid out behind the embedding controls still open where it starts (see
// LineDirections::OpenAt); those are this class's own: every index it takes and gives counts
// the characters of Text(), so lines are asked through it, never through their own indices.
class LaidBlock {
  public:
    // Lays out `text` behind `open` in `font`, `width` wide, its lines from `top` down and
    // `left` across, `bottom` pixels left below them; the direction of its line when it is a
    // stretch, or none for a block that finds its own.
    LaidBlock(QString text, const QString& open, const QFont& font,
              std::optional<Qt::LayoutDirection> direction, qreal left, qreal width, qreal top,
              int bottom);

    const QString& Text() const { return text_; }
    int Height() const { return height_; }
    // The line reads from right to left (its first strong character's direction).
    bool RightToLeft() const { return rightToLeft_; }
    int LineCount() const { return layout_.lineCount(); }
    // A line by its number, for its place and size.
    QTextLine Line(int number) const { return layout_.lineAt(number); }
    QTextLine LineOf(TextIndex index) const;
    // The number of the last line whose top is at or above `y` (0 when there is none).
    int LineAt(qreal y) const;
    qreal XOf(const QTextLine& line, TextIndex index) const;
    TextIndex IndexAt(const QTextLine& line, qreal x) const;
    TextIndex LineStart(const QTextLine& line) const;
    TextIndex LineEnd(const QTextLine& line) const;
    // Where End puts the caret on `line`: a wrapped line ends before the space it broke at, as
    // in a text box.
    TextIndex CaretLineEnd(const QTextLine& line) const;
    TextIndex Next(TextIndex index,
                   QTextLayout::CursorMode mode = QTextLayout::SkipCharacters) const;
    TextIndex Previous(TextIndex index,
                       QTextLayout::CursorMode mode = QTextLayout::SkipCharacters) const;
    // The index past the text's last character.
    TextIndex End() const { return EndOf(text_); }
    // Draws the block with its top left at `at`: the characters [first, last) of `selected` in
    // `format` (first -1 for a selection from an earlier block, last past the text for the line
    // break after it), and the caret before `caret`.
    void Draw(QPainter& painter, QPointF at,
              std::optional<std::pair<TextIndex, TextIndex>> selected,
              const QTextCharFormat& format, std::optional<TextIndex> caret) const;

  private:
    TextIndex Unshifted(int layoutIndex) const {
        return TextIndex(std::max(0, layoutIndex - shift_));
    }

    QString text_;
    QTextLayout layout_;
    // How many controls come before the text in the layout.
    int shift_ = 0;
    int height_ = 0;
    bool rightToLeft_ = false;
};

}  // namespace lintrel
