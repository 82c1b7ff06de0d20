// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <QByteArray>
#include <QString>
#include <QTextLayout>

#include <compare>
#include <cstddef>
#include <optional>
#include <utility>

#include "core/block_offsets.h"
#include "core/block_text.h"
#include "core/note_blocks.h"
#include "core/note_list.h"
#include "note_box/caret_control.h"
#include "note_box/laid_block.h"
#include "note_box/laid_note.h"
#include "note_box/note_lines.h"
#include "note_box/scroll_position.h"

class QMenu;

namespace lintrel {

// The note box: a read-only, wrapping view of a note's bytes in a code page. Only the blocks
// on screen (see NoteBlock) are decoded and laid out, so a note of any size and shape shows
// at once; the bytes are not copied. The scroll bar counts the lines of a small note, as a
// text box's does; of a larger one it counts bytes: its value is the byte at the top of the
// box, its page the bytes on screen. A caret shows while the box has the
// focus; text is selected with the mouse (a double click takes a word, a triple click the
// line and its break) and with the keys, copied with Ctrl+C; what is copied is the note's text,
// each CR LF, CR and LF one "\n" (see BreakText). The selection is offered to middle-click
// pasting as it changes.
class NoteView : public QAbstractScrollArea, private CaretView {
    Q_OBJECT

  public:
    explicit NoteView(QWidget* parent = nullptr);
    ~NoteView() override;

    // Shows `note`, bytes in `codePage`; its keeper keeps them alive while they are shown.
    void SetNote(const QByteArray& codePage, NoteText note);
    // Shows a text of its own.
    void setPlainText(const QString& text);
    void clear() { setPlainText(QString()); }

    // The note shown.
    const DecodedNote& Note() const { return laid_.Note(); }
    // The whole note as shown.
    QString toPlainText() const;
    QString SelectedText() const;
    bool HasSelection() const { return caret_.HasSelection(); }
    // Whether the caret is drawn: while the box has the focus, steady, as a read-only text
    // box's.
    bool CaretShown() const { return hasFocus(); }
    void selectAll();
    // The right-click menu, as a read-only text box's: Copy and Select All. The caller owns it.
    QMenu* CreateContextMenu();
    void copy() const;
    // The text of the blocks on screen, top to bottom.
    QString VisibleText() const;
    // The byte at the top of the box, and the note's size in bytes.
    std::size_t TopByte() const { return scroll_.Top().block.start; }
    std::size_t NoteSize() const { return Note().Bytes().size(); }

    // Of a note up to this size the scroll bar counts lines, as a text box's does; of a larger
    // one, bytes, so that it scrolls at once whatever its size.
    static constexpr std::size_t kCountLinesBytes = std::size_t{128} << 10;
    // A note up to this size is offered to screen readers whole; of a larger one, the part on
    // screen.
    static constexpr std::size_t kReadWholeBytes = std::size_t{1} << 20;

    // A place in the note: a block (by its first byte) and a character of its decoded text.
    using Place = BlockPlace;
    // The character at a point of the viewport.
    Place PlaceAt(QPoint point);
    // A place as an offset into toPlainText(), and back: for screen readers, which are given
    // notes up to kReadWholeBytes whole. The first asks decode the note once, to index where
    // each block's text starts.
    TextOffset OffsetOf(Place place) const { return Offsets().OffsetOf(place); }
    Place PlaceOf(TextOffset offset) const { return Offsets().PlaceOf(offset); }
    // The length of toPlainText(), from the same index.
    TextOffset TextSize() const { return Offsets().Size(); }
    // toPlainText() from `from` to `to`, decoding only the blocks between.
    QString TextBetweenOffsets(TextOffset from, TextOffset to) const;
    // The text of the block that holds `offset`, with the stretches of its line just before and
    // after it when it is a stretch of a long line, and the offset where that text starts.
    std::pair<QString, TextOffset> TextAround(TextOffset offset) const;
    // Where the line of the note that holds `offset` starts and ends when it is a long line cut
    // into stretches; none for a line of one block.
    std::optional<std::pair<TextOffset, TextOffset>> LongLineAround(TextOffset offset) const;
    // Where the line on screen that holds `offset` starts and ends, as Home and End find them.
    std::pair<TextOffset, TextOffset> LineAround(TextOffset offset) const;
    // Counts the notes shown, so that what was learnt of one is known to be of it.
    std::size_t NoteSerial() const { return serial_; }
    void Select(Place anchor, Place cursor);
    std::pair<Place, Place> Selection() const { return {caret_.Anchor(), caret_.Cursor()}; }
    // Where the box stands and what it selects, to come back to when its note is shown again:
    // the same text stands as it stood, selection and all; another text keeps the place of the
    // top as far as the text reaches.
    struct View {
        std::size_t topByte = 0;
        int y = 0;
        int lag = 0;
        Place anchor;
        Place cursor;
    };
    View SavedView() const {
        return {scroll_.Top().block.start, scroll_.Top().y, scroll_.Lag(), caret_.Anchor(),
                caret_.Cursor()};
    }
    void RestoreView(const View& view, bool sameText);
    // Where the character at `place` is drawn in the viewport; null when it is off the screen.
    QRect CharacterRect(Place place) const;
    // The block that holds byte `byte`, laid out as the box shows it.
    const LaidBlock& BlockAt(std::size_t byte) { return Layout(Blocks().At(byte)); }
    // Selects the first match of `text` (ignoring case) in the note shown, at or after byte
    // `near` (where the search of the note found it), and scrolls it into view; false when
    // there is none there.
    bool SelectMatch(const QString& text, std::size_t near);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    // Where the caret stands, for input methods and for the Menu key's menu, which opens there.
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

    void scrollContentsBy(int dx, int dy) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

  private:
    // The space between the text and the box's edges, as a text box leaves it.
    static constexpr int kMargin = 4;
    using Top = BoxTop;

    const NoteBlocks& Blocks() const override { return laid_.Blocks(); }
    const BlockOffsets& Offsets() const;
    // How the box lays the note out now.
    LaidShape Shape() const { return {font(), viewport()->width(), kMargin}; }
    // The block laid out at the box's width and font, kept until the next scroll or note.
    LaidBlock& Layout(const NoteBlock& block) const override;
    // Calls `visit(block, laid, y)` for the blocks on screen from the top, `y` being the
    // block's top in the viewport, for as long as it returns true.
    template <typename Visit>
    void VisitShown(Visit visit) const {
        std::optional<NoteBlock> block = scroll_.Top().block;
        for (int y = -scroll_.verticalOffset(); block && y < viewport()->height();
             block = Blocks().Next(*block)) {
            LaidBlock& laid = Layout(*block);
            if (!visit(*block, laid, y)) {
                return;
            }
            y += laid.Height();
        }
    }
    QString Decoded(const NoteBlock& block) const { return laid_.Decoded(block); }
    // Lays the note out anew (at a new width or font), keeping the top line.
    void Relayout();
    // Lays the top block out with the kept line at the top.
    void Settle();
    // Scrolls by `dy` pixels, held between the note's start and its last screenful.
    void ScrollBy(int dy);
    // Scrolls by whole lines, down or (negative) up, as a text box's scroll bar steps.
    void ScrollLines(int lines);
    // Puts `top` at the top, or the last screenful's when it is past that.
    void ScrollTo(Top top);
    void JumpToByte(std::size_t byte);
    // The bar's range, page and value, `last` being the top of the last screenful when it
    // was found.
    void SyncScrollBar(const std::optional<Top>& last);
    void ScrollBarAction(int action);
    void ScrollBarMoved(int value);
    int ValueOf(const Top& top) const;
    // Where a page down or up puts the top, as a text box pages; none with the note's end on
    // the screen going down.
    std::optional<Top> PagedTop(bool down);
    // The line a page up or down takes the caret to, the box scrolled by the page, `from` being
    // where the caret's line stood on the screen when the paging began.
    ViewLine PagedLine(bool down, int from) override;
    void EnsureVisible(Place place) override;
    int LineTopOnScreen(Place place) const override { return CharacterRect(place).top(); }
    void ShowStart() override;
    // Redraws and offers the selection to middle-click pasting; tells screen readers.
    void Selected(bool selection) override;
    void TellReader(bool selection) override;
    // Where a place is drawn in the viewport, when its block is on screen.
    std::optional<QPointF> PointOf(Place place) const;
    // Offers the selection to middle-click pasting.
    void OfferSelection();
    // Scrolls while the mouse, dragging, is held beyond the box's edge.
    void DragScroll();
    // Drags the selected text out of the box, as a copy.
    void DragOut();
    // Lets screen readers read the note box as a text.
    static void InstallAccessibility();

    // The note's blocks, laid out as they come on screen.
    mutable LaidNote laid_;
    // Where the box stands; a hidden box is laid out when it shows.
    ScrollPosition scroll_;
    CaretControl caret_{*this};
    bool selecting_ = false;
    QPoint dragPoint_;
    QBasicTimer drag_;
    // A press on the selection, which a move drags out and a release ends as a click.
    bool mightDrag_ = false;
    QPoint pressPoint_;
    // Runs for a double-click time after a double click, for a third click to take the line.
    QBasicTimer tripleClick_;
    QPoint tripleClickPoint_;
    // What the wheel turned that does not yet make a line.
    qreal wheelRest_ = 0;
    // Bytes per scroll bar step, so that any note fits the bar's range; or, for a small note,
    // its lines, which the bar counts.
    std::size_t unit_ = 1;
    bool ByLines() const { return NoteSize() <= kCountLinesBytes; }
    mutable NoteLines lines_;
    // Where each block's text starts, once a screen reader asked; and the note's count.
    mutable std::optional<BlockOffsets> offsets_;
    std::size_t serial_ = 0;
};

}  // namespace lintrel
