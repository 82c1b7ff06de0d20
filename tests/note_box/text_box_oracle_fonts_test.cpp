// SPDX-License-Identifier: GPL-3.0-or-later
// The oracle's fonts: every note the note box and the text box are compared on is drawn in real
// glyphs (a missing font would compare boxes with boxes), and a new font or width leaves both
// boxes alike.
#include <QApplication>
#include <QFontInfo>
#include <QGlyphRun>
#include <QRawFont>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextLayout>

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>

#include "note_box/text_box_pair.h"
#include "qt_printers.h"

namespace lintrel {
namespace {

using test::kNotes;
using test::Note;

class TextBoxOracleFonts : public ::testing::Test, public test::TextBoxPair {};

// Each note's characters have glyphs in the fonts the box's font falls back to; the test says
// which fonts those are, so a run on a machine without them fails by name.
TEST_F(TextBoxOracleFonts, EveryNoteIsDrawnInRealFonts) {
    for (const Note& note : kNotes) {
        QTextLayout layout(ShownText(note.codePage, note.bytes).left(20000), view.font());
        layout.beginLayout();
        while (layout.createLine().isValid()) {
        }
        layout.endLayout();
        std::set<std::string> fonts;
        int missing = 0;
        for (const QGlyphRun& run : layout.glyphRuns()) {
            fonts.insert(run.rawFont().familyName().toStdString());
            missing += static_cast<int>(run.glyphIndexes().count(0));
        }
        EXPECT_EQ(missing, 0) << note.name << " has characters without a glyph in "
                              << ::testing::PrintToString(fonts)
                              << ": install the fonts of scripts/install-deps.sh --test";
        RecordProperty(note.name, ::testing::PrintToString(fonts));
    }
}

// A new font or width while the text stands scrolled keeps the caret, the selection and the top
// line as the text box keeps them.
TEST_F(TextBoxOracleFonts, FontOrWidthChangeKeepsThePlaceAsTheTextBoxDoes) {
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
    // The paragraph at the top of the text box.
    const auto theirTopBlock = [&] { return box.cursorForPosition(Middle()).block().position(); };
    for (const Note& note : {kNotes[0], kNotes[1], kNotes[2]}) {
        for (const auto& [name, change] : changes) {
            ASSERT_TRUE(Show(note));
            QTest::keyClick(&view, Qt::Key_PageDown);
            QTest::keyClick(&view, Qt::Key_Down, Qt::ShiftModifier);
            QTest::keyClick(&box, Qt::Key_PageDown);
            QTest::keyClick(&box, Qt::Key_Down, Qt::ShiftModifier);
            const std::size_t ourTop = view.TopByte();
            const int theirTop = theirTopBlock();
            change(&view);
            change(&box);
            QApplication::processEvents();
            if (theirTopBlock() != theirTop) {
                // Kept departure (README): re-wrapped, the text box counts each paragraph it
                // has not laid out again as one line, and its scroll value, now past the
                // end, moves it to another paragraph; the note box keeps its top paragraph, or
                // comes back to its last screenful, never further down.
                EXPECT_EQ(Ours()[0], Theirs()[0]) << note.name << ", " << name << " (caret)";
                EXPECT_EQ(Ours()[1], Theirs()[1]) << note.name << ", " << name << " (anchor)";
                EXPECT_LE(view.TopByte(), ourTop) << note.name << ", " << name;
            } else {
                EXPECT_EQ(Ours(), Theirs()) << note.name << ", " << name;
            }
            for (QWidget* target : {static_cast<QWidget*>(&view), static_cast<QWidget*>(&box)}) {
                target->setFont(before);
                target->resize(size);
            }
        }
    }
}

}  // namespace
}  // namespace lintrel
