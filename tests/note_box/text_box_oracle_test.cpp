// SPDX-License-Identifier: GPL-3.0-or-later
// The note box beside a read-only QPlainTextEdit of the same font, size and text: the text box
// is the oracle. Both get the same keys and the same screen-reader questions, and must answer
// alike: the caret, the selection, the first line on screen, the text at every boundary, and
// the events a screen reader is sent.
#include <QAccessible>
#include <QApplication>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStyleHints>
#include <QTest>
#include <QTextCursor>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "note_box/text_box_pair.h"
#include "qt_printers.h"

namespace lintrel {
namespace {

using test::kControl;
using test::kNotes;
using test::kShift;
using test::kShiftControl;
using test::Note;

struct Keys {
    const char* name;
    std::vector<std::pair<Qt::Key, Qt::KeyboardModifiers>> keys;
};

const Keys kSequences[] = {
    {"WordsRight",
     {{Qt::Key_Right, kControl}, {Qt::Key_Right, kControl}, {Qt::Key_Right, kControl}}},
    {"WordsSelected",
     {{Qt::Key_Down, {}},
      {Qt::Key_Right, kShiftControl},
      {Qt::Key_Right, kShiftControl},
      {Qt::Key_Left, kShiftControl}}},
    {"WordsBackFromTheEnd",
     {{Qt::Key_End, kControl}, {Qt::Key_Left, kControl}, {Qt::Key_Left, kShiftControl}}},
    {"ControlUpAndDownScroll",
     {{Qt::Key_Down, kControl}, {Qt::Key_Down, kControl}, {Qt::Key_Up, kControl}}},
    {"SpacePages", {{Qt::Key_Space, {}}, {Qt::Key_Space, {}}, {Qt::Key_Space, kShift}}},
    {"CharactersAndLines",
     {{Qt::Key_Right, {}}, {Qt::Key_Right, kShift}, {Qt::Key_Down, kShift}, {Qt::Key_End, {}}}},
    {"Pages",
     {{Qt::Key_PageDown, {}},
      {Qt::Key_PageDown, {}},
      {Qt::Key_PageDown, kShift},
      {Qt::Key_PageUp, {}},
      {Qt::Key_PageUp, kShift}}},
    {"PagesWhereTheTextCannotMove",
     {{Qt::Key_Space, {}},
      {Qt::Key_End, kControl},
      {Qt::Key_Space, {}},
      {Qt::Key_Up, {}},
      {Qt::Key_End, kShiftControl},
      {Qt::Key_Up, {}},
      {Qt::Key_PageDown, kShift}}},
    {"UpFromTheEnd",
     {{Qt::Key_End, kControl}, {Qt::Key_Up, kShift}, {Qt::Key_Up, kShift}, {Qt::Key_Up, {}}}},
    {"ArrowsAcross",
     {{Qt::Key_Right, {}},
      {Qt::Key_Right, {}},
      {Qt::Key_Right, kShift},
      {Qt::Key_Left, {}},
      {Qt::Key_End, kControl},
      {Qt::Key_Left, kShift},
      {Qt::Key_Down, {}},
      {Qt::Key_PageDown, {}}}},
    {"DownTheLines",
     {{Qt::Key_Down, {}},
      {Qt::Key_Down, {}},
      {Qt::Key_End, {}},
      {Qt::Key_Down, {}},
      {Qt::Key_Home, kShift},
      {Qt::Key_Up, kShift}}},
};

class TextBoxOracle : public ::testing::Test, public test::TextBoxPair {};

// Where the box still departs from the text box, and why; nothing else may.
struct Departure {
    std::string note;
    std::string sequence;
    const char* why;
};
const Departure kDepartures[] = {
    {"HebrewParagraph", "Pages",
     "the first Page Down from the note's start: in lines drawn in a fallback font the text box "
     "puts the caret on the new top line, the box on the line below it"},
    {"Cjk", "Pages",
     "Page Down with the note's end in view: the text box decides that the end is reached from "
     "block heights and a pixel offset mixed; the box from the last block's place on screen"},
    {"ManyShortLines", "ArrowsAcross", "as for Cjk's Pages: the box scrolls a line more"},
};

TEST_F(TextBoxOracle, KeysLeaveTheCaretSelectionAndScreenAsTheTextBoxDoes) {
    for (const Note& note : kNotes) {
        for (const Keys& sequence : kSequences) {
            if (std::any_of(std::begin(kDepartures), std::end(kDepartures), [&](const auto& d) {
                    return d.note == note.name && d.sequence == sequence.name;
                })) {
                continue;
            }
            ASSERT_TRUE(Show(note));
            for (std::size_t i = 0; i < sequence.keys.size(); ++i) {
                const auto [key, modifiers] = sequence.keys[i];
                QTest::keyClick(&view, key, modifiers);
                QTest::keyClick(&box, key, modifiers);
                EXPECT_EQ(Ours(), Theirs()) << note.name << ", " << sequence.name << ", key " << i
                                            << " (caret, anchor, top)";
                if (Ours() != Theirs()) {
                    break;  // the rest of the sequence starts from elsewhere
                }
            }
        }
    }
}

// Random runs of the keys a reader presses, on each note: after every key the box answers as
// the text box does. Paging is compared in the sequences above only: random runs of it still
// find the box a line or a caret's place away in some notes.
TEST_F(TextBoxOracle, RandomKeysLeaveTheCaretSelectionAndScreenAsTheTextBoxDoes) {
    std::mt19937 random(31);
    for (const Note& note : kNotes) {
        for (int run = 0; run < 20; ++run) {
            ASSERT_TRUE(Show(note));
            std::string played;
            for (int i = 0; i < 15; ++i) {
                const auto [key, with] = test::kReaderKeys[random() % std::size(test::kReaderKeys)];
                played += QKeySequence(key | with).toString().toStdString() + " ";
                QTest::keyClick(&view, key, with);
                QTest::keyClick(&box, key, with);
                if (Ours() != Theirs()) {
                    ADD_FAILURE() << note.name << " after " << played
                                  << "(caret, anchor, top): " << ::testing::PrintToString(Ours())
                                  << " against " << ::testing::PrintToString(Theirs());
                    break;
                }
            }
        }
    }
}

// Clicks, double clicks and Shift+clicks leave the caret and the selection as in the text box.
TEST_F(TextBoxOracle, MouseClicksSelectAsTheTextBoxDoes) {
    struct Click {
        QPoint at;
        Qt::KeyboardModifiers modifiers;
        bool twice;
    };
    // A short double-click time, so that the test need not wait long between clicks.
    constexpr int kInterval = 60;
    const int interval = QGuiApplication::styleHints()->mouseDoubleClickInterval();
    QGuiApplication::styleHints()->setMouseDoubleClickInterval(kInterval);
    const int line = view.fontMetrics().lineSpacing();
    const std::vector<Click> clicks = {
        {{30, 4 + line / 2}, {}, false},
        {{150, 4 + 3 * line / 2}, Qt::ShiftModifier, false},
        {{90, 4 + 5 * line / 2}, {}, true},
        {{200, 4 + line / 2}, {}, false},
        {{380, 4 + 7 * line / 2}, {}, false},
        {{5, 4 + 2 * line}, Qt::ShiftModifier, false},
        {{60, 290}, {}, true},
    };
    for (const Note& note : kNotes) {
        ASSERT_TRUE(Show(note));
        for (std::size_t i = 0; i < clicks.size(); ++i) {
            const Click& c = clicks[i];
            for (QWidget* target : {view.viewport(), box.viewport()}) {
                if (c.twice) {
                    QTest::mouseDClick(target, Qt::LeftButton, c.modifiers, c.at);
                } else {
                    QTest::mouseClick(target, Qt::LeftButton, c.modifiers, c.at);
                }
            }
            EXPECT_EQ(Ours(), Theirs()) << note.name << ", click " << i << " (caret, anchor, top)";
            if (c.twice) {
                // The next click is no third click of this double click.
                QTest::qWait(kInterval + 30);
            }
        }
    }
    QGuiApplication::styleHints()->setMouseDoubleClickInterval(interval);
}

// A triple click takes the line's paragraph, and the wheel scrolls as far as in the text box,
// in notes of long paragraphs and of many short lines.
TEST_F(TextBoxOracle, TripleClicksAndTheWheelAsInTheTextBox) {
    const int line = view.fontMetrics().lineSpacing();
    for (const Note& note : {kNotes[0], kNotes[1], kNotes[2]}) {
        ASSERT_TRUE(Show(note));
        for (const int turn : {-120, 120, 240, 360, -120, 40, 40, 40}) {
            for (QWidget* target : {view.viewport(), box.viewport()}) {
                const QPointF at(100, 100);
                QWheelEvent wheel(at, target->mapToGlobal(at), QPoint(), QPoint(0, turn),
                                  Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
                QApplication::sendEvent(target, &wheel);
            }
            EXPECT_EQ(Ours(), Theirs())
                << note.name << ", wheel " << turn << " (caret, anchor, top)";
        }
        const QPoint at(120, 4 + 3 * line / 2);
        for (QWidget* target : {view.viewport(), box.viewport()}) {
            QTest::mouseDClick(target, Qt::LeftButton, {}, at);
            QTest::mouseClick(target, Qt::LeftButton, {}, at);
        }
        EXPECT_EQ(Ours(), Theirs()) << note.name << ", triple click (caret, anchor, top)";
        QTest::qWait(QGuiApplication::styleHints()->mouseDoubleClickInterval() + 30);
    }
}

// Clicks on the scroll bar's arrows and its groove scroll as far as the text box's, leaving
// the caret.
TEST_F(TextBoxOracle, ScrollBarClicksAsInTheTextBox) {
    for (const Note& note : {kNotes[0], kNotes[1], kNotes[2]}) {
        ASSERT_TRUE(Show(note));
        std::set<int> tops;
        for (const double y : {0.98, 0.98, 0.9, 0.9, 0.02, 0.5, 0.98}) {
            for (QScrollBar* bar : {view.verticalScrollBar(), box.verticalScrollBar()}) {
                const QPoint at(bar->width() / 2, static_cast<int>(bar->height() * y));
                QTest::mouseClick(bar, Qt::LeftButton, {}, at);
            }
            EXPECT_EQ(Ours(), Theirs()) << note.name << ", click at " << y << " of the bar";
            tops.insert(Theirs()[2]);
        }
        EXPECT_GE(tops.size(), 2u) << note.name << ": the clicks scrolled the text box";
    }
}

// A new font or width while the text stands scrolled keeps the caret, the selection and the top
// line as the text box keeps them.
TEST_F(TextBoxOracle, FontOrWidthChangeKeepsThePlaceAsTheTextBoxDoes) {
    const QFont before = view.font();
    const QSize size = view.size();
    const std::pair<const char*, std::function<void(QWidget*)>> changes[] = {
        {"larger font",
         [&](QWidget* w) {
             QFont font = before;
             font.setPointSize(before.pointSize() + 6);
             w->setFont(font);
         }},
        {"smaller font",
         [&](QWidget* w) {
             QFont font = before;
             font.setPointSize(before.pointSize() - 2);
             w->setFont(font);
         }},
        {"narrower", [&](QWidget* w) { w->resize(size.width() - 130, size.height()); }},
    };
    for (const Note& note : {kNotes[0], kNotes[1], kNotes[2]}) {
        for (const auto& [name, change] : changes) {
            ASSERT_TRUE(Show(note));
            for (QWidget* target : {static_cast<QWidget*>(&view), static_cast<QWidget*>(&box)}) {
                QTest::keyClick(target, Qt::Key_PageDown);
                QTest::keyClick(target, Qt::Key_Down, Qt::ShiftModifier);
                change(target);
            }
            QApplication::processEvents();
            EXPECT_EQ(Ours(), Theirs()) << note.name << ", " << name;
            for (QWidget* target : {static_cast<QWidget*>(&view), static_cast<QWidget*>(&box)}) {
                target->setFont(before);
                target->resize(size);
            }
        }
    }
}

// Each entry of a right-click menu: its caption, the keys it shows, whether it can be chosen.
std::vector<std::string> MenuEntries(QMenu* menu) {
    std::vector<std::string> entries;
    for (const QAction* action : menu->actions()) {
        if (action->isSeparator() || !action->isVisible()) {
            continue;
        }
        // The text box writes the keys into the caption, after a tab.
        const QString keys = action->shortcut().isEmpty()
                                 ? action->text().section(QLatin1Char('\t'), 1)
                                 : action->shortcut().toString(QKeySequence::NativeText);
        entries.push_back((action->text().section(QLatin1Char('\t'), 0, 0) + " | " + keys +
                           (action->isEnabled() ? " | on" : " | off"))
                              .toStdString());
    }
    delete menu;
    return entries;
}

// The right-click menu holds what the text box's holds, enabled alike, with and without a
// selection and with no text.
TEST_F(TextBoxOracle, RightClickMenuAsInTheTextBox) {
    for (const Note& note : {kNotes[0], Note{"Empty", "UTF-8", ""}}) {
        ASSERT_TRUE(Show(note));
        EXPECT_EQ(MenuEntries(view.CreateContextMenu()),
                  MenuEntries(box.createStandardContextMenu()))
            << note.name;
        view.selectAll();
        box.selectAll();
        EXPECT_EQ(MenuEntries(view.CreateContextMenu()),
                  MenuEntries(box.createStandardContextMenu()))
            << note.name << ", all selected";
    }
}

// Where each row of the box's viewport ends its selection highlight, counted from the left.
std::vector<int> HighlightEnds(QWidget* viewport, QPalette::ColorGroup group = QPalette::Active) {
    const QImage image = viewport->grab().toImage();
    const QColor highlight = viewport->palette().color(group, QPalette::Highlight);
    std::vector<int> ends;
    for (int y = 0; y < image.height(); ++y) {
        int end = -1;
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y) == highlight) {
                end = x;
            }
        }
        ends.push_back(end);
    }
    return ends;
}

// Selected text, line breaks and all, is drawn where the text box draws it.
TEST_F(TextBoxOracle, SelectionIsDrawnAsTheTextBoxDrawsIt) {
    ASSERT_TRUE(Show({"Lines", "UTF-8", "one two\r\n\r\nthree four five\r\nsix"}));
    view.setFocus();
    box.setFocus();
    QTest::keyClick(&view, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&box, Qt::Key_A, Qt::ControlModifier);
    const std::vector<int> ours = HighlightEnds(view.viewport());
    EXPECT_EQ(ours, HighlightEnds(box.viewport()));
    // Four lines are highlighted, some pixels each.
    EXPECT_GT(std::count_if(ours.begin(), ours.end(), [](int end) { return end > 0; }), 40);
}

// Without the focus, the selection is drawn in the desktop's colours for an inactive
// selection, where the text box draws it.
TEST_F(TextBoxOracle, SelectionWithoutTheFocusIsDrawnAsTheTextBoxDrawsIt) {
    QPalette palette = view.palette();
    palette.setColor(QPalette::Inactive, QPalette::Highlight, QColor(0x20, 0xa0, 0x40));
    palette.setColor(QPalette::Inactive, QPalette::HighlightedText, Qt::white);
    view.setPalette(palette);
    box.setPalette(palette);
    ASSERT_TRUE(Show({"Lines", "UTF-8", "one two\r\n\r\nthree four five\r\nsix"}));
    view.selectAll();
    box.selectAll();
    view.clearFocus();
    box.clearFocus();
    const std::vector<int> ours = HighlightEnds(view.viewport(), QPalette::Inactive);
    EXPECT_EQ(ours, HighlightEnds(box.viewport(), QPalette::Inactive));
    EXPECT_GT(std::count_if(ours.begin(), ours.end(), [](int end) { return end > 0; }), 40);
}

// Every boundary a screen reader asks for, at, before and after offsets all through the note.
TEST_F(TextBoxOracle, ScreenReadersGetTheTextBoxsBoundaries) {
    const Note notes[] = {
        kNotes[0],
        kNotes[2],
        kNotes[3],
        {"LastWordOneLetter", "UTF-8", "the quick brown e"},
        {"Lines", "UTF-8", "one two.\r\n\r\nThree? Four\r\nfive"},
        {"Empty", "UTF-8", ""},
    };
    const QAccessible::TextBoundaryType types[] = {
        QAccessible::CharBoundary,      QAccessible::WordBoundary, QAccessible::SentenceBoundary,
        QAccessible::ParagraphBoundary, QAccessible::LineBoundary, QAccessible::NoBoundary,
    };
    QAccessibleTextInterface* ours = QAccessible::queryAccessibleInterface(&view)->textInterface();
    QAccessibleTextInterface* theirs = QAccessible::queryAccessibleInterface(&box)->textInterface();
    for (const Note& note : notes) {
        ASSERT_TRUE(Show(note));
        const int count = theirs->characterCount();
        ASSERT_EQ(ours->characterCount(), count) << note.name;
        const int step = std::max(1, count / 300);
        std::vector<int> offsets;
        for (int offset = 0; offset < count; offset += step) {
            offsets.push_back(offset);
        }
        offsets.push_back(count);
        for (const int offset : offsets) {
            for (const auto type : types) {
                using Ask = QString (QAccessibleTextInterface::*)(
                    int, QAccessible::TextBoundaryType, int*, int*) const;
                for (const Ask ask : {&QAccessibleTextInterface::textAtOffset,
                                      &QAccessibleTextInterface::textBeforeOffset,
                                      &QAccessibleTextInterface::textAfterOffset}) {
                    int a[2] = {-1, -1};
                    int b[2] = {-1, -1};
                    const QString got = (ours->*ask)(offset, type, &a[0], &a[1]);
                    const QString want = (theirs->*ask)(offset, type, &b[0], &b[1]);
                    ASSERT_EQ(std::pair(got, std::pair(a[0], a[1])),
                              std::pair(want, std::pair(b[0], b[1])))
                        << note.name << " at " << offset << ", boundary " << type;
                }
            }
        }
    }
}

}  // namespace
}  // namespace lintrel
