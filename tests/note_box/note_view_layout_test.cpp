// SPDX-License-Identifier: GPL-3.0-or-later
// The note box laying its note out: by whole lines on the wheel, across the cuts of a long
// line, and when a hidden box shows.
#include <QApplication>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <string>

#include "note_box/note_view.h"
#include "note_box/note_view_fixture.h"
#include "qt_printers.h"

namespace lintrel {
namespace {

using test::NoteBoxTest;
using test::Words;

// Reversed or embedded text keeps its order across the cuts of a line too long to be laid out
// whole, and the caret steps over nothing at a stretch's start.
TEST_F(NoteBoxTest, EmbeddingsReachIntoEveryStretchOfALongLine) {
    std::string words;
    while (words.size() < 400000) {
        words += "abcdefgh ";
    }
    const struct {
        const char* name;
        std::string head;
        bool reversed;
    } cases[] = {
        {"override open", "\xe2\x80\xae", true},
        {"override closed", "\xe2\x80\xaexy\xe2\x80\xac", false},
        {"override in an isolate", "\xe2\x81\xa6\xe2\x80\xae", true},
        {"isolate closing the override", "\xe2\x81\xa6\xe2\x80\xaexy\xe2\x81\xa9", false},
    };
    for (const auto& c : cases) {
        Show({"", "UTF-8", c.head + words});
        view.verticalScrollBar()->setValue(300000);
        const std::size_t top = view.TopByte();
        ASSERT_GT(top, std::size_t{128 * 1024}) << c.name;
        const int at = static_cast<int>(view.VisibleText().indexOf(QStringLiteral("cd")));
        const QRect a = view.CharacterRect({top, TextIndex(at)});
        const QRect b = view.CharacterRect({top, TextIndex(at + 1)});
        ASSERT_FALSE(a.isNull() || b.isNull()) << c.name;
        EXPECT_EQ(b.x() < a.x(), c.reversed) << c.name;
        view.Select({top, TextIndex()}, {top, TextIndex()});
        QTest::keyClick(&view, Qt::Key_Right, Qt::ShiftModifier);
        EXPECT_EQ(view.SelectedText(), QStringLiteral("a")) << c.name;
    }
}

// A box resized or given a font while hidden lays out when it shows, at the size it shows at,
// with the top line it had, as one that stayed on screen does; far from the note's end the
// scroll bar reaches a page short of it, and at the end exactly.
TEST_F(NoteBoxTest, HiddenBoxLaysOutWhenItShowsAsAShownOneDoes) {
    NoteView shown;
    shown.resize(view.size());
    shown.show();
    for (NoteView* box : {&view, &shown}) {
        box->SetNote(kUtf8, NoteText::Own(Words(5000)));
        QApplication::processEvents();
        for (int i = 0; i < 3; ++i) {
            QTest::keyClick(box, Qt::Key_Down, Qt::ControlModifier);
        }
    }
    view.hide();
    for (NoteView* box : {&view, &shown}) {
        box->resize(box->width() - 120, box->height());
        QFont font = box->font();
        font.setPointSize(font.pointSize() + 2);
        box->setFont(font);
    }
    view.show();
    QApplication::processEvents();
    const auto top = [](NoteView& box) { return box.OffsetOf(box.PlaceAt(QPoint(5, 1))).value; };
    EXPECT_GT(top(shown), 0);
    EXPECT_EQ(top(view), top(shown));
    EXPECT_EQ(view.verticalScrollBar()->maximum(), shown.verticalScrollBar()->maximum());

    view.hide();
    view.SetNote(kUtf8, NoteText::Own(Words(1000000)));
    view.show();
    QApplication::processEvents();
    QScrollBar* bar = view.verticalScrollBar();
    const int estimated = bar->maximum();
    QTest::keyClick(&view, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(bar->value(), bar->maximum());
    EXPECT_NEAR(estimated, bar->maximum(), bar->pageStep());
    EXPECT_NE(estimated, bar->maximum());  // the estimate was one
}

}  // namespace
}  // namespace lintrel
