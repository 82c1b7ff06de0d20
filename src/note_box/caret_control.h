// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTextLayout>

#include <algorithm>
#include <memory>
#include <optional>

#include "core/block_text.h"
#include "core/note_blocks.h"
#include "note_box/laid_block.h"
#include "note_box/laid_note.h"

class QKeyEvent;
class QTextCursor;
class QTextDocument;

namespace lintrel {

// The caret's moves, as a text box names them.
enum class CaretMove {
    Left,
    Right,
    WordLeft,
    WordRight,
    Up,
    Down,
    LineStart,
    LineEnd,
    BlockStart,
    BlockEnd,
    Start,
    End,
    PageUp,
    PageDown,
};

// What a caret control asks of the box it moves the caret in.
class CaretView {
  public:
    virtual const NoteBlocks& Blocks() const = 0;
    // The block laid out as the box shows it.
    virtual const LaidBlock& Layout(const NoteBlock& block) const = 0;
    // Scrolls `place` into view, as a text box scrolls to its caret.
    virtual void EnsureVisible(BlockPlace place) = 0;
    // How far below the box's top the line of `place` stands.
    virtual int LineTopOnScreen(BlockPlace place) const = 0;
    // Scrolls a page down or up, and gives the line that then stands `from` pixels below the
    // box's top: the line a page takes the caret to.
    virtual ViewLine PagedLine(bool down, int from) = 0;
    // Shows the note's very start, margin and all.
    virtual void ShowStart() = 0;
    // The caret moved, or the selection changed (`selection`): the box is drawn again.
    virtual void Selected(bool selection) = 0;
    // Tells a screen reader where the caret is, or with `selection` what is selected.
    virtual void TellReader(bool selection) = 0;

  protected:
    ~CaretView() = default;
};

// Text from `start` to `end`.
struct PlaceSpan {
    BlockPlace start;
    BlockPlace end;

    bool Holds(const BlockPlace& place) const { return start <= place && place <= end; }
};

// The caret and the selection of a note box, and the keys' and the mouse's moves, as a
// read-only text box has them: the caret's distance from the left that Up and Down keep, where
// a run of pages began on the screen, and the word or line a double or triple click took.
// Places are a block's first byte and an index of its text; `x` is a distance from the box's
// left edge.
class CaretControl {
  public:
    explicit CaretControl(CaretView& view);
    ~CaretControl();
    CaretControl(const CaretControl&) = delete;
    CaretControl& operator=(const CaretControl&) = delete;

    const BlockPlace& Cursor() const { return cursor_; }
    const BlockPlace& Anchor() const { return anchor_; }
    bool HasSelection() const { return anchor_ != cursor_; }
    // The selection from its first place to its last, whichever end the caret is at.
    PlaceSpan Span() const {
        const auto [first, last] = std::minmax(anchor_, cursor_);
        return {first, last};
    }
    // A new text: the caret at its start, keeping the box's left edge for Up and Down.
    void Reset();
    // Selects from `anchor` to `cursor`; the caret's kept distance from the left goes.
    void Select(BlockPlace anchor, BlockPlace cursor);
    // Moves the caret for a key, extending the selection with Shift; false for other keys.
    bool KeyPress(const QKeyEvent& event);
    // Moves the caret, or with `extend` the selection's end, and brings it into view.
    void MoveCaret(CaretMove move, bool extend);
    // Where a move takes the caret from `place`, `x` being the distance from the left that Up
    // and Down keep; none for a move that cannot be made.
    std::optional<BlockPlace> Moved(BlockPlace place, CaretMove move, qreal x);

    // A press of the mouse's button at `place`: the caret goes there, or with `extend` (Shift)
    // the selection's end, by words after a double click and by lines after a triple click.
    void Press(BlockPlace place, qreal x, bool extend);
    // A double click: selects the word at `place`; a drag then extends by words.
    void SelectWord(BlockPlace place);
    // A triple click: selects the caret's line and the break after it; a drag then extends by
    // lines.
    void SelectLine();
    // Whether a double or triple click took a word or a line that the mouse extends from.
    bool ExtendsByClick() const { return clickedWord_ || clickedLine_; }
    // The mouse, its button held, over `place`: extends the selection as the press began it.
    void DragTo(BlockPlace place, qreal x);
    // The mouse's button released after it selected.
    void Released() { TellSelection(true); }

  private:
    // What a text box tells a screen reader after it set its caret or selection, and in which
    // order: the caret's move, then the selection when it changed (Changes) or in any case, as
    // after a Shift key and as the mouse selects (Selection); the selection when it changed,
    // then the caret's move, as when the box sets its cursor itself (SelectionFirst), or the
    // caret in any case, after a double click (Word).
    enum class Telling { Changes, Selection, SelectionFirst, Word };
    // Sets the selection, telling nothing; the caret's kept distance from the left goes.
    void Set(BlockPlace anchor, BlockPlace cursor);
    // The selection's anchor and caret, to tell what changed since.
    using Ends = std::pair<BlockPlace, BlockPlace>;
    Ends Now() const { return {anchor_, cursor_}; }
    // Whether text came to be selected or stopped being, or what is selected changed, since
    // the selection was `was`; a caret moving with nothing selected changes no selection.
    bool SelectionChangedSince(const Ends& was) const;
    // Redraws and tells what changed since `before`.
    void Tell(const Ends& before, Telling telling);
    // Tells the caret when it moved from `from`.
    void TellCaret(BlockPlace from);
    // Tells the selection when it changed since it was last told, or `always`.
    void TellSelection(bool always);
    // Extends the selection to `place` as a drag does, telling nothing.
    void Extend(BlockPlace place, qreal x);
    // Where Left or Right without Shift puts the caret when something is selected.
    std::optional<BlockPlace> Collapsed(CaretMove move, bool extend) const;
    qreal CaretX(BlockPlace place) const;
    // The next or previous character or word from `place`, across blocks.
    BlockPlace Stepped(BlockPlace place, bool forward, QTextLayout::CursorMode mode) const;
    // A line up or down at `x`; none past the note's first or last line.
    std::optional<BlockPlace> LineStep(BlockPlace place, bool up, qreal x) const;
    std::optional<BlockPlace> LineStep(const NoteBlock& block, BlockPlace place, bool up,
                                       qreal x) const;
    // A page up or down at `x`, the box scrolled by the page.
    std::optional<BlockPlace> PageFrom(BlockPlace place, bool down, qreal x);
    // A text cursor at `place` in a document of its block's text alone, for its word moves.
    QTextCursor WordCursor(BlockPlace place);
    // The block from its start to past the break after it, or to its end.
    PlaceSpan LineSpan(BlockPlace place) const;
    // Extends the selection from the double-clicked word to the word under `place` and `x`,
    // to the word's edge nearer `x`; not past the end of that word's line.
    void ExtendByWords(BlockPlace place, qreal x);
    void ExtendByLines(BlockPlace place);
    // Selects the word or line a click took again.
    void Restore(const PlaceSpan& span);

    CaretView& view_;
    BlockPlace anchor_;
    BlockPlace cursor_;
    // The selection a screen reader was last told of, as a text box keeps it.
    Ends told_;
    // The caret's distance from the left that Up and Down keep, since the last other move.
    std::optional<qreal> caretX_;
    // Where on the screen the caret's line stood when the present run of pages began.
    std::optional<int> pageY_;
    // What the last double click and triple click took, until a press without Shift.
    std::optional<PlaceSpan> clickedWord_;
    std::optional<PlaceSpan> clickedLine_;
    // The block WordCursor last laid out, by its first byte.
    std::unique_ptr<QTextDocument> words_;
    std::optional<std::size_t> wordsBlock_;
};

}  // namespace lintrel
