// SPDX-License-Identifier: GPL-3.0-or-later
// The note box beside a read-only QPlainTextEdit, the oracle, under the mouse: clicks, double and
// triple clicks, the wheel, the scroll bar, and the right-click menu.
#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QCursor>
#include <QDrag>
#include <QMenu>
#include <QMimeData>
#include <QScrollBar>
#include <QStyleHints>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "note_box/text_box_pair.h"
#include "qt_printers.h"

namespace lintrel {
namespace {

using test::kNotes;
using test::Note;

class TextBoxOracleMouse : public ::testing::Test, public test::TextBoxPair {};

// Clicks, double clicks and Shift+clicks leave the caret and the selection as in the text box.
TEST_F(TextBoxOracleMouse, MouseClicksSelectAsTheTextBoxDoes) {
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
// in notes of long paragraphs and of many short lines: by notches, by a touchpad's small turns
// (with the pixels they carry), a page with Shift, and Ctrl zooms.
TEST_F(TextBoxOracleMouse, TripleClicksAndTheWheelAsInTheTextBox) {
    const int line = view.fontMetrics().lineSpacing();
    const struct {
        int angle;
        int pixels;
        Qt::KeyboardModifiers modifiers;
    } turns[] = {
        {-120, 0, {}},
        {120, 0, {}},
        {240, 0, {}},
        {360, 0, {}},
        {-120, 0, {}},
        {40, 0, {}},
        {40, 0, {}},
        {40, 0, {}},
        {-120, 10, {}},
        {-15, 2, {}},
        {-15, 2, {}},
        {-15, 2, {}},
        {-15, 2, {}},
        {-15, 2, {}},
        {15, 2, {}},
        {-120, 0, Qt::ShiftModifier},
        {-60, 0, Qt::ShiftModifier},
        {120, 0, Qt::ShiftModifier},
        {120, 0, Qt::ControlModifier},
        {-120, 0, {}},
        {-240, 0, Qt::ControlModifier},
        {120, 0, Qt::ControlModifier},
    };
    for (const Note& note : {kNotes[0], kNotes[1], kNotes[2]}) {
        ASSERT_TRUE(Show(note));
        for (const auto& turn : turns) {
            for (QWidget* target : {view.viewport(), box.viewport()}) {
                const QPointF at(100, 100);
                QWheelEvent wheel(at, target->mapToGlobal(at), QPoint(0, turn.pixels),
                                  QPoint(0, turn.angle), Qt::NoButton, turn.modifiers,
                                  Qt::NoScrollPhase, false);
                QApplication::sendEvent(target, &wheel);
            }
            QApplication::processEvents();
            EXPECT_EQ(Ours(), Theirs()) << note.name << ", wheel " << turn.angle << " with "
                                        << turn.modifiers << " (caret, anchor, top)";
            EXPECT_EQ(view.font().pointSizeF(), box.font().pointSizeF()) << note.name;
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

// A press, release, double click or move of the left button (held on a move) at a point, in
// lines and pixels: `line` lines down the box, `x` pixels across.
struct MouseStep {
    QEvent::Type type;
    int x;
    double line;
    Qt::KeyboardModifiers modifiers = {};
};

void Send(QWidget* target, const MouseStep& step, int lineSpacing) {
    const QPointF at(step.x, 4 + step.line * lineSpacing);
    const Qt::MouseButton button = step.type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButtons held =
        step.type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(step.type, at, target->mapToGlobal(at), button, held, step.modifiers);
    QApplication::sendEvent(target, &event);
}

// Drags after a double click extend by words, after a triple click by lines; Shift+clicks after
// them extend alike; a press on the selection drags it out or, released, ends as a click.
TEST_F(TextBoxOracleMouse, DragsAndShiftClicksByWordsAndLinesAsInTheTextBox) {
    using E = QEvent;
    // As a desktop's windows get a double click: the second press comes as the double click
    // alone.
    const auto doubleClick = [](int x, double line) {
        return std::vector<MouseStep>{{E::MouseButtonPress, x, line},
                                      {E::MouseButtonRelease, x, line},
                                      {E::MouseButtonDblClick, x, line}};
    };
    const auto then = [](std::vector<MouseStep> steps, std::vector<MouseStep> more) {
        steps.insert(steps.end(), more.begin(), more.end());
        return steps;
    };
    const std::vector<MouseStep> triple =
        then(doubleClick(120, 2.5),
             {{E::MouseButtonRelease, 120, 2.5}, {E::MouseButtonPress, 121, 2.5}});
    // A click (ending any selection) and a drag along a line.
    const std::vector<MouseStep> dragged = {{E::MouseButtonPress, 5, 8.5},
                                            {E::MouseButtonRelease, 5, 8.5},
                                            {E::MouseButtonPress, 30, 2.5},
                                            {E::MouseMove, 250, 2.5},
                                            {E::MouseButtonRelease, 250, 2.5}};
    const std::pair<const char*, std::vector<MouseStep>> gestures[] = {
        {"word drag right and down",
         then(doubleClick(120, 2.5), {{E::MouseMove, 200, 2.5},
                                      {E::MouseMove, 263, 2.5},
                                      {E::MouseMove, 70, 4.5},
                                      {E::MouseButtonRelease, 70, 4.5}})},
        {"word drag left and up", then(doubleClick(200, 3.5), {{E::MouseMove, 150, 3.5},
                                                               {E::MouseMove, 31, 3.5},
                                                               {E::MouseMove, 333, 1.5},
                                                               {E::MouseMove, 205, 3.5},
                                                               {E::MouseButtonRelease, 205, 3.5}})},
        {"word drag after a double click that comes with its press",
         {{E::MouseButtonPress, 150, 1.5},
          {E::MouseButtonRelease, 150, 1.5},
          {E::MouseButtonPress, 150, 1.5},
          {E::MouseButtonDblClick, 150, 1.5},
          {E::MouseMove, 290, 3.5},
          {E::MouseButtonRelease, 290, 3.5}}},
        {"line drag down and up", then(triple, {{E::MouseMove, 90, 5.5},
                                                {E::MouseMove, 90, 0.5},
                                                {E::MouseMove, 100, 2.5},
                                                {E::MouseButtonRelease, 100, 2.5}})},
        {"Shift+clicks after a double click",
         then(doubleClick(120, 2.5), {{E::MouseButtonRelease, 120, 2.5},
                                      {E::MouseButtonPress, 260, 3.5, Qt::ShiftModifier},
                                      {E::MouseButtonRelease, 260, 3.5, Qt::ShiftModifier},
                                      {E::MouseButtonPress, 45, 0.5, Qt::ShiftModifier},
                                      {E::MouseButtonRelease, 45, 0.5, Qt::ShiftModifier}})},
        {"Shift+click after a triple click",
         then(triple, {{E::MouseButtonRelease, 121, 2.5},
                       {E::MouseButtonPress, 260, 6.5, Qt::ShiftModifier},
                       {E::MouseButtonRelease, 260, 6.5, Qt::ShiftModifier}})},
        {"a click on the selection",
         then(dragged, {{E::MouseButtonPress, 121, 2.5}, {E::MouseButtonRelease, 121, 2.5}})},
        {"the selection dragged out",
         then(dragged, {{E::MouseButtonPress, 121, 2.5}, {E::MouseMove, 180, 4.5}})},
    };
    // On a real display a drag waits for the real mouse's release: only offscreen is one tried.
    const std::size_t tried =
        std::size(gestures) -
        (QGuiApplication::platformName() == QLatin1String("offscreen") ? 0 : 1);
    constexpr int kInterval = 60;
    const int interval = QGuiApplication::styleHints()->mouseDoubleClickInterval();
    QGuiApplication::styleHints()->setMouseDoubleClickInterval(kInterval);
    const int line = view.fontMetrics().lineSpacing();
    for (const Note& note : {kNotes[0], kNotes[1], kNotes[2], kNotes[3]}) {
        ASSERT_TRUE(Show(note));
        for (std::size_t g = 0; g < tried; ++g) {
            const auto& [name, steps] = gestures[g];
            for (std::size_t i = 0; i < steps.size(); ++i) {
                for (QWidget* target : {view.viewport(), box.viewport()}) {
                    Send(target, steps[i], line);
                }
                EXPECT_EQ(Ours(), Theirs())
                    << note.name << ", " << name << ", step " << i << " (caret, anchor, top)";
            }
            if (steps.back().type == E::MouseMove) {
                // Dragged out: both offered the selected word, and the release ends the drag.
                const QDrag* ours = view.findChild<QDrag*>();
                const QDrag* theirs = box.findChild<QDrag*>();
                ASSERT_TRUE(ours && theirs) << note.name;
                EXPECT_EQ(ours->mimeData()->text(), theirs->mimeData()->text()) << note.name;
                EXPECT_FALSE(ours->mimeData()->text().isEmpty()) << note.name;
                for (QWidget* target : {view.viewport(), box.viewport()}) {
                    Send(target, {E::MouseButtonRelease, 180, 4.5}, line);
                }
                EXPECT_EQ(Ours(), Theirs()) << note.name << ", " << name << ", released";
            }
            // The next press is no third click.
            QTest::qWait(kInterval + 30);
        }
    }
    QGuiApplication::styleHints()->setMouseDoubleClickInterval(interval);
}

// A drag held beyond the box's bottom or top selects to the line out there at once, as in the
// text box, and scrolls only a moment later, a line at a time in both.
TEST_F(TextBoxOracleMouse, DragPastTheEdgeAsInTheTextBox) {
    const int line = view.fontMetrics().lineSpacing();
    const int height = view.viewport()->height();
    for (const Note& note : {kNotes[0], kNotes[1], kNotes[2]}) {
        ASSERT_TRUE(Show(note));
        const std::vector<int> top = Ours();
        for (QWidget* target : {view.viewport(), box.viewport()}) {
            QTest::mousePress(target, Qt::LeftButton, {}, QPoint(60, 4 + 3 * line / 2));
            QTest::mouseMove(target, QPoint(120, height + 2 * line));
        }
        EXPECT_EQ(Ours(), Theirs()) << note.name << " below, before scrolling";
        EXPECT_EQ(Ours()[2], top[2]) << note.name;
        // The text box scrolls to where the pointer is; the box to where the mouse last moved.
        QCursor::setPos(box.viewport()->mapToGlobal(QPoint(120, height + 2 * line)));
        QTest::qWait(400);
        const std::vector<int> ours = Ours();
        const std::vector<int> theirs = Theirs();
        EXPECT_GT(ours[2], top[2]) << note.name << " scrolled down";
        EXPECT_GT(theirs[2], top[2]) << note.name << " scrolled down";
        for (QWidget* target : {view.viewport(), box.viewport()}) {
            QTest::mouseMove(target, QPoint(40, -line));
        }
        QCursor::setPos(box.viewport()->mapToGlobal(QPoint(40, -line)));
        // Above the top, the caret goes to the line above the top line in each.
        EXPECT_LT(Ours()[0], Ours()[2]) << note.name;
        EXPECT_LT(Theirs()[0], Theirs()[2]) << note.name;
        for (QWidget* target : {view.viewport(), box.viewport()}) {
            QTest::mouseRelease(target, Qt::LeftButton, {}, QPoint(40, -line));
        }
    }
}

// Clicks on the scroll bar's arrows and its groove scroll as far as the text box's, leaving
// the caret.
TEST_F(TextBoxOracleMouse, ScrollBarClicksAsInTheTextBox) {
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

// Dragging the scroll bar's thumb shows the lines the text box's shows, its range and page as
// long, once the text box has laid every line out (before, it counts a paragraph it has not
// laid out as one line: a kept departure the README names).
TEST_F(TextBoxOracleMouse, ThumbDragsAsInTheTextBox) {
    const Note shortThenLong{
        "ShortLinesThenLongOnes", "UTF-8",
        test::Words(20000, test::kLatin, 3) + test::Words(90000, test::kLatin, 50)};
    for (const Note& note : {kNotes[0], kNotes[1], kNotes[2], shortThenLong}) {
        ASSERT_TRUE(Show(note));
        QTextDocument* document = box.document();
        for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
            document->documentLayout()->blockBoundingRect(block);
        }
        // A scroll to the end and back has the text box count its lines anew.
        box.verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMaximum);
        box.verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMinimum);
        QApplication::processEvents();
        QScrollBar* ours = view.verticalScrollBar();
        QScrollBar* theirs = box.verticalScrollBar();
        ASSERT_GT(theirs->maximum(), 0) << note.name;
        EXPECT_EQ(ours->maximum(), theirs->maximum()) << note.name;
        EXPECT_EQ(ours->pageStep(), theirs->pageStep()) << note.name;
        for (const double share : {0.07, 0.5, 0.31, 0.93, 1.0, 0.0}) {
            for (QScrollBar* bar : {ours, theirs}) {
                bar->setSliderDown(true);
                bar->setSliderPosition(static_cast<int>(share * bar->maximum()));
                bar->setSliderDown(false);
            }
            EXPECT_EQ(Ours(), Theirs()) << note.name << ", thumb at " << share;
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
TEST_F(TextBoxOracleMouse, RightClickMenuAsInTheTextBox) {
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

// The Menu key opens the menu where the box says its caret is: where the text box's caret is,
// after moves down, along and to the end of the note.
TEST_F(TextBoxOracleMouse, MenuKeyMenuOpensAtTheCaretAsInTheTextBox) {
    const auto caret = [](QWidget* w) {
        return w->inputMethodQuery(Qt::ImCursorRectangle).toRect().center();
    };
    for (const Note& note : {kNotes[0], kNotes[1], kNotes[3]}) {
        ASSERT_TRUE(Show(note));
        const std::pair<Qt::Key, Qt::KeyboardModifiers> keys[] = {{Qt::Key_Down, {}},
                                                                  {Qt::Key_End, {}},
                                                                  {Qt::Key_PageDown, {}},
                                                                  {Qt::Key_End, test::kControl}};
        for (const auto& [key, with] : keys) {
            QTest::keyClick(&view, key, with);
            QTest::keyClick(&box, key, with);
            EXPECT_EQ(caret(&view), caret(&box)) << note.name << ", key " << key;
        }
    }
}

}  // namespace
}  // namespace lintrel
