// SPDX-License-Identifier: GPL-3.0-or-later
// The caret control's mouse: a press, a double and a triple click, and a drag extending the
// selection by characters, words or lines.
#include <QTextCursor>
#include <QTextDocument>

#include "note_box/caret_control.h"

namespace lintrel {

void CaretControl::Press(BlockPlace place, qreal x, bool extend) {
    const Ends before = Now();
    if (extend) {
        Extend(place, x);  // Shift extends as a drag does
    } else {
        clickedWord_.reset();
        clickedLine_.reset();
        Set(place, place);
    }
    Tell(before, Telling::Changes);
}

void CaretControl::DragTo(BlockPlace place, qreal x) {
    // Every step of a drag tells the selection, as a text box's does.
    const Ends before = Now();
    Extend(place, x);
    Tell(before, Telling::Selection);
}

void CaretControl::Extend(BlockPlace place, qreal x) {
    if (clickedLine_) {
        ExtendByLines(place);
    } else if (clickedWord_) {
        ExtendByWords(place, x);
    } else {
        Set(anchor_, place);
    }
}

void CaretControl::SelectWord(BlockPlace place) {
    // A line a triple click took is kept, as a text box keeps it, until a press elsewhere.
    PlaceSpan word{place, place};
    // On a line with text, the word the text cursor finds there, or the space between two.
    const LaidBlock& laid = view_.Layout(view_.Blocks().At(place.block));
    if (const QTextLine line = laid.LineOf(place.index); line.isValid() && line.textLength() > 0) {
        QTextCursor cursor = WordCursor(place);
        cursor.select(QTextCursor::WordUnderCursor);
        word = {BlockPlace{place.block, TextIndex(cursor.anchor())},
                BlockPlace{place.block, TextIndex(cursor.position())}};
    }
    const Ends before = Now();
    Set(word.start, word.end);
    Tell(before, Telling::Word);
    clickedWord_ = word.start != word.end ? std::optional(word) : std::nullopt;
}

void CaretControl::SelectLine() {
    const PlaceSpan line = LineSpan(cursor_);
    clickedLine_ = line;
    const Ends before = Now();
    Set(line.start, line.end);
    Tell(before, Telling::Changes);
}

void CaretControl::Restore(const PlaceSpan& span) {
    // Put back as a text box puts back a cursor it kept: the caret scrolled into view.
    const Ends before = Now();
    Set(span.start, span.end);
    Tell(before, Telling::SelectionFirst);
    view_.EnsureVisible(span.end);
}

PlaceSpan CaretControl::LineSpan(BlockPlace place) const {
    const NoteBlock block = view_.Blocks().At(place.block);
    const BlockPlace start{block.start, TextIndex()};
    if (block.breakAfter && block.next) {
        return {start, BlockPlace{*block.next, TextIndex()}};
    }
    return {start, BlockPlace{block.start, view_.Layout(block).End()}};
}

void CaretControl::ExtendByLines(BlockPlace place) {
    // Within the clicked line the selection is that line; before it, it runs from the line's
    // end back to the start of the line under the mouse; after it, from the line's start to the
    // end of the line under the mouse and its break.
    if (clickedLine_->Holds(place)) {
        Restore(*clickedLine_);
    } else if (place < clickedLine_->end) {
        Set(clickedLine_->end, BlockPlace{place.block, TextIndex()});
        TellSelection(true);
    } else {
        Set(clickedLine_->start, LineSpan(place).end);
        TellSelection(true);
    }
}

void CaretControl::ExtendByWords(BlockPlace place, qreal x) {
    if (clickedWord_->Holds(place)) {
        Restore(*clickedWord_);
        return;
    }
    // The word under the mouse, found as a text cursor moves to a word's start and end; a
    // pointer over no word of that line leaves the selection as it is.
    QTextCursor cursor = WordCursor(place);
    if (!cursor.movePosition(QTextCursor::StartOfWord)) {
        return;
    }
    const TextIndex start(cursor.position());
    if (!cursor.movePosition(QTextCursor::EndOfWord)) {
        return;
    }
    const TextIndex end(cursor.position());
    const LaidBlock& laid = view_.Layout(view_.Blocks().At(place.block));
    const QTextLine line = laid.LineOf(start);
    if (!line.isValid() || laid.LineOf(end).lineNumber() != line.lineNumber() || start == end) {
        return;
    }
    const qreal startX = laid.XOf(line, start);
    const qreal endX = laid.XOf(line, end);
    if (x < startX || x > endX) {
        return;
    }
    // The clicked word stays selected whole on whichever side the mouse goes.
    const BlockPlace anchor = place < clickedWord_->end ? clickedWord_->end : clickedWord_->start;
    Set(anchor, BlockPlace{place.block, x - startX < endX - x ? start : end});
    TellSelection(true);
}

QTextCursor CaretControl::WordCursor(BlockPlace place) {
    if (wordsBlock_ != place.block) {
        words_->setPlainText(view_.Layout(view_.Blocks().At(place.block)).Text());
        wordsBlock_ = place.block;
    }
    QTextCursor cursor(words_.get());
    cursor.setPosition(place.index.value);
    return cursor;
}

}  // namespace lintrel
