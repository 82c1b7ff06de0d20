// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader learns of the note box: a read-only text. A note up to a megabyte is
// offered whole, with its selection; of a larger one the part on screen. The character, word,
// sentence and paragraph around an offset are found by a text box's own cursor in a document
// of the block that holds the offset (or of the part on screen), and the line on screen from
// the block's layout: no search runs beyond a block. Offsets themselves still count the text
// from the note's start (a note read whole is at most a megabyte).
#include <QAccessibleWidget>
#include <QTextCursor>
#include <QTextDocument>

#include "note_box/note_view.h"

namespace lintrel {

namespace {

class NoteViewAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
  public:
    explicit NoteViewAccessible(NoteView* view)
        : QAccessibleWidget(view, QAccessible::EditableText) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::TextInterface ? static_cast<QAccessibleTextInterface*>(this)
                                                  : QAccessibleWidget::interface_cast(type);
    }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = true;
        state.multiLine = true;
        state.selectableText = true;
        return state;
    }

    QString text(QAccessible::Text type) const override {
        return type == QAccessible::Value ? Text() : QAccessibleWidget::text(type);
    }
    QString text(int start, int end) const override { return Text().mid(start, end - start); }
    int characterCount() const override { return static_cast<int>(Text().size()); }
    int selectionCount() const override { return Whole() && View()->HasSelection() ? 1 : 0; }
    void selection(int index, int* start, int* end) const override {
        *start = *end = 0;
        if (index == 0 && selectionCount() == 1) {
            const auto [from, to] = Offsets();
            *start = from;
            *end = to;
        }
    }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int) override { View()->Select({}, {}); }
    void setSelection(int, int start, int end) override {
        if (Whole()) {
            View()->Select(View()->PlaceByWalkingFromStart(TextOffset(start)),
                           View()->PlaceByWalkingFromStart(TextOffset(end)));
        }
    }
    int cursorPosition() const override {
        return Whole() ? View()->OffsetByWalkingFromStart(View()->Selection().second).value : 0;
    }
    void setCursorPosition(int position) override { setSelection(0, position, position); }
    // On the screen, in global coordinates; nothing for a character off the screen.
    QRect characterRect(int offset) const override {
        if (!Whole()) {
            return {};
        }
        const QRect rect =
            View()->CharacterRect(View()->PlaceByWalkingFromStart(TextOffset(offset)));
        return rect.isNull() ? rect
                             : QRect(View()->viewport()->mapToGlobal(rect.topLeft()), rect.size());
    }
    int offsetAtPoint(const QPoint& point) const override {
        const QPoint local = View()->viewport()->mapFromGlobal(point);
        if (!Whole() || !View()->viewport()->rect().contains(local)) {
            return -1;
        }
        return View()->OffsetByWalkingFromStart(View()->PlaceAt(local)).value;
    }
    QString textAtOffset(int offset, QAccessible::TextBoundaryType type, int* start,
                         int* end) const override {
        return Answer(Boundary(offset, type), start, end);
    }
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType type, int* start,
                             int* end) const override {
        const auto at = Boundary(offset, type);
        return Answer(at.first > 0 ? Boundary(at.first - 1, type) : at, start, end);
    }
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType type, int* start,
                            int* end) const override {
        return Answer(Boundary(Boundary(offset, type).second, type), start, end);
    }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* start, int* end) const override {
        *start = *end = offset;
        return {};
    }

  private:
    NoteView* View() const { return static_cast<NoteView*>(widget()); }
    QString Answer(std::pair<int, int> range, int* start, int* end) const {
        *start = range.first;
        *end = range.second;
        return text(range.first, range.second);
    }
    // The stretch of `type` around `offset`, as a text box's cursor finds it.
    std::pair<int, int> Boundary(int offset, QAccessible::TextBoundaryType type) const {
        const int count = characterCount();
        offset = std::clamp(offset, 0, count);
        if (type == QAccessible::NoBoundary) {
            return {0, count};
        }
        if (type == QAccessible::LineBoundary && Whole()) {
            const auto [start, end] = View()->LineAround(TextOffset(offset));
            return {start.value, end.value};
        }
        const auto [around, base] = Whole() ? View()->TextAround(TextOffset(offset))
                                            : std::pair(View()->VisibleText(), TextOffset());
        QTextDocument& document = Document(around);
        QTextCursor cursor(&document);
        cursor.setPosition(offset - base.value);
        auto [from, to] = QAccessible::qAccessibleTextBoundaryHelper(cursor, type);
        // A character at a block's end is the line break after it.
        if (type == QAccessible::CharBoundary && from == to && base.value + to < count) {
            ++to;
        }
        return {base.value + from, base.value + to};
    }
    // `text` as a document, kept while the questions stay in one block.
    QTextDocument& Document(const QString& text) const {
        if (text != document_.toRawText()) {
            document_.setPlainText(text);
        }
        return document_;
    }

    bool Whole() const { return View()->NoteSize() <= NoteView::kReadWholeBytes; }
    // The text as a text box gives it: every paragraph break a line feed, though a copy keeps
    // a separator that ends one as itself.
    QString Text() const {
        QString text = Whole() ? View()->toPlainText() : View()->VisibleText();
        for (const char16_t separator : {u'\u2029', u'\ufdd0', u'\ufdd1'}) {
            text.replace(QChar(separator), QLatin1Char('\n'));
        }
        return text;
    }
    mutable QTextDocument document_;
    std::pair<int, int> Offsets() const {
        const auto [anchor, cursor] = View()->Selection();
        return {View()->OffsetByWalkingFromStart(std::min(anchor, cursor)).value,
                View()->OffsetByWalkingFromStart(std::max(anchor, cursor)).value};
    }
};

QAccessibleInterface* NoteViewInterface(const QString& className, QObject* object) {
    auto* view = qobject_cast<NoteView*>(object);
    return view != nullptr && className == QLatin1String("lintrel::NoteView")
               ? new NoteViewAccessible(view)
               : nullptr;
}

}  // namespace

void NoteView::InstallAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(NoteViewInterface);
        return true;
    }();
    (void)installed;
}

}  // namespace lintrel
