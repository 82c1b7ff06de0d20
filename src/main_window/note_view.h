// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractScrollArea>
#include <QByteArray>
#include <QString>

#include <compare>
#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "core/note_blocks.h"

class QTextLayout;

namespace lintrel {

// The note box: a read-only, wrapping view of a note's bytes in a code page. Only the blocks
// on screen (see NoteBlock) are decoded and laid out, so a note of any size and shape shows
// at once; the bytes are not copied. The scroll bar counts bytes: its value is the byte at
// the top of the box. Text is selected with the mouse and with Shift and the arrow keys,
// copied with Ctrl+C; what is copied is the note's text with each line break one "\n".
class NoteView : public QAbstractScrollArea {
    Q_OBJECT

  public:
    explicit NoteView(QWidget* parent = nullptr);
    ~NoteView() override;

    // Shows `note`, bytes in `codePage`; `keeper` keeps them alive while they are shown.
    void SetNote(const QByteArray& codePage, std::string_view note,
                 std::shared_ptr<const void> keeper);
    // Shows a text of its own.
    void setPlainText(const QString& text);
    void clear() { setPlainText(QString()); }
    bool isReadOnly() const { return true; }

    // The whole note as shown.
    QString toPlainText() const;
    QString SelectedText() const;
    bool HasSelection() const { return anchor_ != cursor_; }
    void selectAll();
    void copy() const;
    // The text of the blocks on screen, top to bottom.
    QString VisibleText() const;
    // The byte at the top of the box, and the note's size in bytes.
    std::size_t TopByte() const { return top_.block.start; }
    std::size_t NoteSize() const { return blocks_.Note().size(); }

    // A place in the note: a block (by its first byte) and a character of its decoded text.
    struct Place {
        std::size_t block = 0;
        int index = 0;
        friend auto operator<=>(const Place&, const Place&) = default;
    };
    // The character at a point of the viewport.
    Place PlaceAt(QPoint point);
    // A place as an offset into toPlainText(), and back (counted from the note's start).
    int OffsetOf(Place place) const;
    Place PlaceOf(int offset) const;
    void Select(Place anchor, Place cursor);
    std::pair<Place, Place> Selection() const { return {anchor_, cursor_}; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

  private:
    // A block decoded and laid out at the box's width.
    struct Laid {
        QString text;
        std::unique_ptr<QTextLayout> layout;
        int height = 0;
    };
    // A place of the top of the box: a block and how far its top is above the box.
    struct Top {
        NoteBlock block;
        int y = 0;
    };

    Laid& Layout(const NoteBlock& block) const;
    // Calls `visit(block, laid, y)` for the blocks on screen from the top, `y` being the
    // block's top in the viewport, for as long as it returns true.
    template <typename Visit>
    void VisitShown(Visit visit) const {
        std::optional<NoteBlock> block = top_.block;
        for (int y = -top_.y; block && y < viewport()->height(); block = blocks_.Next(*block)) {
            Laid& laid = Layout(*block);
            if (!visit(*block, laid, y)) {
                return;
            }
            y += laid.height;
        }
    }
    QString Decoded(const NoteBlock& block) const;
    void Relayout();
    // Scrolls by `dy` pixels, held between the note's start and its last screenful.
    void ScrollBy(int dy);
    Top Normalised(Top top) const;
    Top LastTop() const;
    void JumpToByte(std::size_t byte);
    // The bar's range, page and value, `last` being the top of the last screenful.
    void SyncScrollBar(const Top& last);
    void ScrollBarAction(int action);
    void ScrollBarMoved(int value);
    int ValueOf(const Top& top) const;
    int LineHeight() const;
    void MoveCursor(QKeyEvent* event);
    void EnsureVisible(Place place);
    // Lets screen readers read the note box as a text.
    static void InstallAccessibility();

    std::shared_ptr<const void> keeper_;
    NoteBlocks blocks_;
    QByteArray codePage_;
    // Laid-out blocks by their first byte; emptied when it grows large.
    mutable std::map<std::size_t, std::unique_ptr<Laid>> laid_;
    Top top_;
    Place anchor_;
    Place cursor_;
    bool selecting_ = false;
    // Bytes per scroll bar step, so that any note fits the bar's range.
    std::size_t unit_ = 1;
};

}  // namespace lintrel
