// SPDX-License-Identifier: GPL-3.0-or-later
// The note box beside a read-only QPlainTextEdit of the same font, size and text, the oracle
// of the tests and the fuzz target that compare them; the notes they are tried on, and the keys
// a reader presses.
#pragma once

#include <QAccessible>
#include <QApplication>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <QTextCursor>

#include <random>
#include <string>
#include <utility>
#include <vector>

#include "note_box/note_view.h"
#include "platform/code_page.h"

namespace lintrel::test {

struct Note {
    const char* name;
    const char* codePage;
    std::string bytes;
};

// Words of a few letters from `letters` (UTF-8 pieces), with `lineBreak` every `perLine` words
// when it is not 0, and a full stop now and then.
inline std::string Words(std::size_t size, std::vector<std::string> letters, int perLine = 0,
                         const char* lineBreak = "\r\n") {
    std::mt19937 random(5);
    std::string text;
    for (int word = 1; text.size() < size; ++word) {
        const int length = std::uniform_int_distribution<int>(1, 9)(random);
        for (int i = 0; i < length; ++i) {
            text += letters[random() % letters.size()];
        }
        text += word % 11 == 0 ? ". " : " ";
        if (perLine != 0 && word % perLine == 0) {
            text += lineBreak;
        }
    }
    return text;
}

inline const std::vector<std::string> kLatin = {"a", "b", "e", "o", "r", "s", "t", "n", "l"};
inline const std::vector<std::string> kHebrew = {"\xd7\x90", "\xd7\x91", "\xd7\x92", "\xd7\xa9"};
inline const std::vector<std::string> kArabic = {"\xd8\xa7", "\xd8\xa8", "\xd8\xaa",
                                                 "\xd8\xb3", "\xd9\x85", "\xd9\x84"};
inline const std::vector<std::string> kCjk = {"\xe4\xb8\x80", "\xe4\xba\x8c", "\xe6\x96\x87",
                                              "\xe5\xad\x97"};

inline const Note kNotes[] = {
    {"LatinParagraph", "UTF-8", Words(5000, kLatin)},
    {"ManyShortLines", "UTF-8", Words(60000, kLatin, 3)},
    {"Cjk", "UTF-8", Words(3000, kCjk, 40)},
    {"HebrewParagraph", "UTF-8", Words(3000, kHebrew)},
    {"ArabicLines", "UTF-8", Words(4000, kArabic, 12)},
    {"MixedAndMarks", "UTF-8", Words(3000, {"a", "e\xcc\x81", "\xf0\x9f\x98\x80", " x"}, 20)},
    {"ParagraphSeparators", "UTF-8", Words(4000, kLatin, 14, "\xe2\x80\xa9")},
    {"CjkInGbk", "GBK", EncodeText("GBK", DecodeText(kUtf8, Words(3000, kCjk, 40)))},
    // Lines near the sizes where a block's layout changes: wrapping by words from 4 KiB on,
    // and stretches past 128 KiB (this one stays whole).
    {"LineNear64KiB", "UTF-8", Words(65000, kLatin)},
    {"LineNear128KiB", "UTF-8", Words(130000, kLatin)},
};

constexpr Qt::KeyboardModifiers kShift = Qt::ShiftModifier;
constexpr Qt::KeyboardModifiers kControl = Qt::ControlModifier;
constexpr Qt::KeyboardModifiers kShiftControl = Qt::ShiftModifier | Qt::ControlModifier;

// The keys that move the caret, select and page.
inline const std::pair<Qt::Key, Qt::KeyboardModifiers> kReaderKeys[] = {
    {Qt::Key_Left, {}},
    {Qt::Key_Right, {}},
    {Qt::Key_Up, {}},
    {Qt::Key_Down, {}},
    {Qt::Key_Home, {}},
    {Qt::Key_End, {}},
    {Qt::Key_Left, kShift},
    {Qt::Key_Right, kShift},
    {Qt::Key_Up, kShift},
    {Qt::Key_Down, kShift},
    {Qt::Key_Home, kShift},
    {Qt::Key_End, kShift},
    {Qt::Key_Left, kControl},
    {Qt::Key_Right, kControl},
    {Qt::Key_Home, kControl},
    {Qt::Key_End, kControl},
    {Qt::Key_Left, kShiftControl},
    {Qt::Key_Right, kShiftControl},
    {Qt::Key_Home, kShiftControl},
    {Qt::Key_End, kShiftControl},
    {Qt::Key_Up, kControl},
    {Qt::Key_Down, kControl},
    {Qt::Key_PageUp, {}},
    {Qt::Key_PageDown, {}},
    {Qt::Key_PageUp, kShift},
    {Qt::Key_PageDown, kShift},
    {Qt::Key_Space, {}},
    {Qt::Key_Space, kShift},
};

// How many random runs of keys to play per note and configuration: `usual` in the suite, or
// LINTREL_RANDOM_RUNS when it is set, for a longer search.
inline int RandomRuns(int usual) {
    const int asked = qEnvironmentVariableIntValue("LINTREL_RANDOM_RUNS");
    return asked > 0 ? asked : usual;
}

// What a box told a screen reader, in order: each event's type and offsets (the caret's; the
// selection's start and end; where text went; or where text came and how much).
using Told = std::vector<std::vector<int>>;

// Records what the boxes tell a screen reader while one listens (QAccessible::isActive()); the
// tests run under Xvfb with an accessibility bus (tests/with_screen_reader.sh), and on the
// offscreen platform where none listens and nothing is told.
class ScreenReaderEar {
  public:
    ScreenReaderEar() : before_(QAccessible::installUpdateHandler(&Hear)) {
        Heard().clear();
        // Where the tests are run to compare what they tell, they must be heard.
        if (qEnvironmentVariableIsSet("LINTREL_TEST_SCREEN_READER") &&
            !QTest::qWaitFor([] { return QAccessible::isActive(); })) {
            qFatal("No screen reader listens on the accessibility bus");
        }
    }
    ~ScreenReaderEar() { QAccessible::installUpdateHandler(before_); }
    ScreenReaderEar(const ScreenReaderEar&) = delete;
    ScreenReaderEar& operator=(const ScreenReaderEar&) = delete;

    // What `box` told since it was last asked.
    static Told Take(const QObject* box) {
        Told told;
        auto& heard = Heard();
        for (auto it = heard.begin(); it != heard.end();) {
            if (it->first == box) {
                told.push_back(it->second);
                it = heard.erase(it);
            } else {
                ++it;
            }
        }
        return told;
    }

  private:
    static std::vector<std::pair<const QObject*, std::vector<int>>>& Heard() {
        static std::vector<std::pair<const QObject*, std::vector<int>>> heard;
        return heard;
    }
    static void Hear(QAccessibleEvent* event) {
        const auto size = [](const QString& text) { return static_cast<int>(text.size()); };
        std::vector<int> told{event->type()};
        switch (event->type()) {
            case QAccessible::TextCaretMoved:
                told.push_back(static_cast<QAccessibleTextCursorEvent*>(event)->cursorPosition());
                break;
            case QAccessible::TextSelectionChanged: {
                const auto* selected = static_cast<QAccessibleTextSelectionEvent*>(event);
                if (selected->selectionStart() < 0) {
                    return;  // the text box's cursor of a text just replaced, no place at all
                }
                told.insert(told.end(), {selected->selectionStart(), selected->selectionEnd()});
                break;
            }
            case QAccessible::TextInserted: {
                const auto* inserted = static_cast<QAccessibleTextInsertEvent*>(event);
                told.insert(told.end(),
                            {inserted->changePosition(), size(inserted->textInserted())});
                break;
            }
            case QAccessible::TextRemoved:
                // Not how much: the text box counts its document's last paragraph end too.
                told.push_back(static_cast<QAccessibleTextRemoveEvent*>(event)->changePosition());
                break;
            default:
                return;
        }
        Heard().emplace_back(event->object(), told);
    }

    QAccessible::UpdateHandler before_;
};

class TextBoxPair {
  public:
    TextBoxPair() {
        // Read-only with a caret that the keys move, as the note box has.
        box.setReadOnly(true);
        box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        box.setFont(view.font());
        for (QAbstractScrollArea* area :
             {static_cast<QAbstractScrollArea*>(&view), static_cast<QAbstractScrollArea*>(&box)}) {
            area->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
            area->resize(400, 300);
            area->show();
        }
    }
    // Shows `note` in both; false when they are not of one width.
    bool Show(const Note& note) {
        view.SetNote(note.codePage, NoteText::Own(note.bytes));
        // The text box keeps the fraction of a pixel its last scroll left over into the next
        // text; scrolled while hidden, it starts whole, as a new one does.
        box.hide();
        box.setPlainText(ShownText(note.codePage, note.bytes));
        box.verticalScrollBar()->setValue(1);
        box.verticalScrollBar()->setValue(0);
        box.show();
        QApplication::processEvents();
        // What each told a screen reader of the new text, kept apart from what follows.
        toldOnShow = {ScreenReaderEar::Take(&view), ScreenReaderEar::Take(&box)};
        return box.viewport()->width() == view.viewport()->width();
    }
    // The middle of the top line, away from where two lines meet in either direction.
    QPoint Middle() const { return {view.viewport()->width() / 2, 6}; }
    // The caret, the anchor and the start of the line at the top, of each box, and what it told
    // a screen reader since it was last asked.
    std::vector<int> Ours() {
        const auto [anchor, caret] = view.Selection();
        return WithTold(&view,
                        {view.OffsetOf(caret).value, view.OffsetOf(anchor).value,
                         view.LineAround(view.OffsetOf(view.PlaceAt(Middle()))).first.value});
    }
    std::vector<int> Theirs() {
        QTextCursor top = box.cursorForPosition(Middle());
        top.movePosition(QTextCursor::StartOfLine);
        return WithTold(&box,
                        {box.textCursor().position(), box.textCursor().anchor(), top.position()});
    }

    // Whether both draw the same pixels; the text box's caret, which it draws without the
    // focus, is left out.
    bool SameScreen() {
        box.setTextInteractionFlags(Qt::TextSelectableByMouse);
        const bool same = view.viewport()->grab().toImage() == box.viewport()->grab().toImage();
        box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        return same;
    }

    ScreenReaderEar ear;
    NoteView view;
    QPlainTextEdit box;
    std::pair<Told, Told> toldOnShow;

  private:
    static std::vector<int> WithTold(const QObject* box, std::vector<int> places) {
        for (const auto& told : ScreenReaderEar::Take(box)) {
            places.insert(places.end(), told.begin(), told.end());
        }
        return places;
    }
};

}  // namespace lintrel::test
