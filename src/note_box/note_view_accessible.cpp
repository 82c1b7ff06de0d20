// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader learns of the note box: a read-only text. A note up to a megabyte is
// offered whole, with its selection; of a larger one the part on screen. The character, word,
// sentence and paragraph around an offset are found by a text box's own cursor in a document
// of the block that holds the offset, with its neighbours when it is a stretch of a long line
// (or of the part on screen), and the line on screen from the block's layout: no search runs
// beyond those. Offsets themselves still count the text
// from the note's start, through an index of where each block's text starts that the first
// question builds (a note read whole is at most a megabyte).
#include <QAccessibleWidget>
#include <QTextBoundaryFinder>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

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
    // As a text box's cursor takes them: a place out of the text leaves the cursor where it
    // was (at the start, or at `start`), and either may come first.
    QString text(int start, int end) const override {
        const int count = characterCount();
        const auto within = [count](int at) { return at >= 0 && at <= count; };
        start = within(start) ? start : 0;
        end = within(end) ? end : start;
        if (start > end) {
            std::swap(start, end);
        }
        return Whole() ? Shown(View()->TextBetweenOffsets(TextOffset(start), TextOffset(end)))
                       : Text().mid(start, end - start);
    }
    int characterCount() const override {
        return Whole() ? View()->TextSize().value : static_cast<int>(Text().size());
    }
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
            View()->Select(View()->PlaceOf(TextOffset(start)), View()->PlaceOf(TextOffset(end)));
        }
    }
    int cursorPosition() const override {
        return Whole() ? View()->OffsetOf(View()->Selection().second).value : 0;
    }
    void setCursorPosition(int position) override { setSelection(0, position, position); }
    // On the screen, in global coordinates; nothing for a character off the screen.
    QRect characterRect(int offset) const override {
        if (!Whole()) {
            return {};
        }
        const QRect rect = View()->CharacterRect(View()->PlaceOf(TextOffset(offset)));
        return rect.isNull() ? rect
                             : QRect(View()->viewport()->mapToGlobal(rect.topLeft()), rect.size());
    }
    int offsetAtPoint(const QPoint& point) const override {
        const QPoint local = View()->viewport()->mapFromGlobal(point);
        if (!Whole() || !View()->viewport()->rect().contains(local)) {
            return -1;
        }
        return View()->OffsetOf(View()->PlaceAt(local)).value;
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
        // Most answers lie within the block just asked about, whose text is at hand.
        const int from = range.first - kept_.base;
        if (Whole() && kept_.serial == View()->NoteSerial() && from >= 0 &&
            range.second - kept_.base <= kept_.text.size()) {
            return Shown(kept_.text.mid(from, range.second - range.first));
        }
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
        if ((type == QAccessible::SentenceBoundary || type == QAccessible::ParagraphBoundary) &&
            Whole()) {
            if (const auto line = View()->LongLineAround(TextOffset(offset))) {
                return InLongLine(offset, type, line->first.value, line->second.value);
            }
        }
        const int base = KeepAround(offset);
        QTextCursor cursor(&kept_.document);
        cursor.setPosition(offset - base);
        auto [from, to] = QAccessible::qAccessibleTextBoundaryHelper(cursor, type);
        // A character at a block's end is the line break after it.
        if (type == QAccessible::CharBoundary && from == to && base + to < count) {
            ++to;
        }
        return {base + from, base + to};
    }
    // The sentence or paragraph around `offset` in a long line from `start` to `end`: the whole
    // line, as a text box's cursor takes its block, and its sentences found in all of it.
    std::pair<int, int> InLongLine(int offset, QAccessible::TextBoundaryType type, int start,
                                   int end) const {
        if (type == QAccessible::ParagraphBoundary) {
            return {start, end};
        }
        const std::size_t serial = View()->NoteSerial();
        if (line_.serial != serial || line_.start != start) {
            line_.finder = QTextBoundaryFinder(
                QTextBoundaryFinder::Sentence,
                Shown(View()->TextBetweenOffsets(TextOffset(start), TextOffset(end))));
            line_.serial = serial;
            line_.start = start;
        }
        QTextBoundaryFinder& finder = line_.finder;
        finder.setPosition(offset - start);
        // A note read whole is at most a megabyte: its offsets are ints.
        int previous = offset - start;
        if (!(finder.boundaryReasons() & QTextBoundaryFinder::StartOfItem)) {
            previous = static_cast<int>(finder.toPreviousBoundary());
        }
        const int next = static_cast<int>(finder.toNextBoundary());
        return {previous != -1 ? start + previous : start, next != -1 ? start + next : end};
    }
    // Keeps the block that holds `offset` as a document (of a note not read whole, the part
    // on screen) while the questions stay in it; the offset where it starts.
    int KeepAround(int offset) const {
        const std::size_t serial = View()->NoteSerial();
        if (!Whole()) {
            if (const QString shown = View()->VisibleText();
                kept_.serial != serial || kept_.base != 0 || shown != kept_.text) {
                Keep(shown, serial, 0);
            }
            return 0;
        }
        const TextOffset at(offset);
        const int block = (at - View()->PlaceOf(at).index.value).value;
        if (kept_.serial != serial || kept_.block != block) {
            const auto [text, start] = View()->TextAround(at);
            Keep(text, serial, start.value);
            kept_.block = block;
        }
        return kept_.base;
    }
    void Keep(const QString& text, std::size_t serial, int base) const {
        kept_.text = text;
        kept_.document.setPlainText(text);
        kept_.serial = serial;
        kept_.base = base;
        kept_.block = -1;
    }

    bool Whole() const { return View()->NoteSize() <= NoteView::kReadWholeBytes; }
    // The text as a text box gives it: every paragraph break a line feed, though a copy keeps
    // a separator that ends one as itself.
    QString Text() const { return Shown(Whole() ? View()->toPlainText() : View()->VisibleText()); }
    static QString Shown(QString text) {
        for (const char16_t separator : {u'\u2029', u'\ufdd0', u'\ufdd1'}) {
            text.replace(QChar(separator), QLatin1Char('\n'));
        }
        return text;
    }
    // The block last asked about (where its text starts) with its neighbours in a long line,
    // of the note shown `serial`; `base` is where the kept text starts.
    mutable struct {
        QString text;
        QTextDocument document;
        std::size_t serial = 0;
        int base = -1;
        int block = -1;
    } kept_;
    // The sentences of the long line last asked about, which starts at `start`.
    mutable struct {
        QTextBoundaryFinder finder;
        std::size_t serial = 0;
        int start = -1;
    } line_;
    std::pair<int, int> Offsets() const {
        const auto [anchor, cursor] = View()->Selection();
        return {View()->OffsetOf(std::min(anchor, cursor)).value,
                View()->OffsetOf(std::max(anchor, cursor)).value};
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
