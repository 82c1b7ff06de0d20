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
#include <random>
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
        {"wider", [&](QWidget* w) { w->resize(size.width() + 170, size.height()); }},
    };
    // The paragraph at the top of the text box.
    const auto theirTopBlock = [&] { return box.cursorForPosition(Middle()).block().position(); };
    // Each note with the caret a page down and a line selected; and paragraphs of two lines
    // that a wider box or smaller font lays out in one, scrolled a line down, so that the top
    // line is the second of its paragraph: the text box then moves on to the next paragraph,
    // with no departure.
    const struct {
        Note note;
        std::vector<Qt::Key> keys;
    } starts[] = {
        {kNotes[0], {Qt::Key_PageDown}},
        {kNotes[1], {Qt::Key_PageDown}},
        {kNotes[2], {Qt::Key_PageDown}},
        {Note{"TwoLineParagraphs", "UTF-8", test::Words(6000, test::kLatin, 12)}, {}},
    };
    for (const auto& [note, keys] : starts) {
        for (const auto& [name, change] : changes) {
            ASSERT_TRUE(Show(note));
            for (QWidget* target : {static_cast<QWidget*>(&view), static_cast<QWidget*>(&box)}) {
                if (keys.empty()) {
                    QTest::keyClick(target, Qt::Key_Down, Qt::ControlModifier);
                }
                for (const Qt::Key key : keys) {
                    QTest::keyClick(target, key);
                    QTest::keyClick(target, Qt::Key_Down, Qt::ShiftModifier);
                }
            }
            const std::size_t ourTop = view.TopByte();
            const int theirTop = theirTopBlock();
            change(&view);
            change(&box);
            QApplication::processEvents();
            if (keys.empty()) {
                EXPECT_EQ(Ours(), Theirs()) << note.name << ", " << name;
            } else if (Ours() != Theirs()) {
                // Kept departure (README): re-wrapped, the text box counts each paragraph it
                // has not laid out again as one line, and its scroll value, now past the
                // end, moves it to another paragraph; the note box keeps its top paragraph, or
                // comes back to its last screenful, never further down.
                EXPECT_NE(theirTopBlock(), theirTop) << note.name << ", " << name;
                EXPECT_EQ(Ours()[0], Theirs()[0]) << note.name << ", " << name << " (caret)";
                EXPECT_EQ(Ours()[1], Theirs()[1]) << note.name << ", " << name << " (anchor)";
                EXPECT_LE(view.TopByte(), ourTop) << note.name << ", " << name;
            }
            for (QWidget* target : {static_cast<QWidget*>(&view), static_cast<QWidget*>(&box)}) {
                target->setFont(before);
                target->resize(size);
            }
        }
    }
}

// The faces a desktop may give the note box (the default first; the URW faces have negative
// leading, the CJK face taller lines), the sizes Settings offers up to 36 points, and box
// heights around where one line more fits.
const char* const kFaces[] = {"",
                              "DejaVu Sans",
                              "Nimbus Sans",
                              "Nimbus Roman",
                              "Nimbus Mono PS",
                              "URW Bookman",
                              "Droid Sans Fallback"};
const int kSizes[] = {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36};
const int kHeights[] = {200, 230, 231, 232, 233, 300, 411};

struct Shape {
    const char* face;
    int size;
    int height;
};

// Every face at every size at two heights, and at every height at two sizes.
std::vector<Shape> Shapes() {
    std::vector<Shape> shapes;
    for (const char* face : kFaces) {
        for (const int size : kSizes) {
            shapes.push_back({face, size, 231});
            shapes.push_back({face, size, 300});
        }
        for (const int height : kHeights) {
            shapes.push_back({face, 10, height});
            shapes.push_back({face, 14, height});
        }
    }
    return shapes;
}

using KeyList = std::vector<std::pair<Qt::Key, Qt::KeyboardModifiers>>;

class TextBoxOracleFaces : public TextBoxOracleFonts {
  protected:
    // Gives both boxes the face, size and height; false when the face is not installed.
    bool Use(const Shape& shape) {
        QFont font = base_;
        if (*shape.face != 0) {
            font.setFamily(QString::fromLatin1(shape.face));
        }
        font.setPointSize(shape.size);
        for (QWidget* w : {static_cast<QWidget*>(&view), static_cast<QWidget*>(&box)}) {
            w->setFont(font);
            w->resize(400, shape.height);
        }
        return *shape.face == 0 ||
               QFontInfo(font).family().startsWith(QString::fromLatin1(shape.face));
    }
    static std::string Name(const Shape& shape, const Note& note) {
        return std::string(*shape.face != 0 ? shape.face : "default") + " " +
               std::to_string(shape.size) + " pt, " + std::to_string(shape.height) + " px, " +
               note.name;
    }
    // Presses `keys` in both boxes; after each the caret, the selection, the top line and the
    // screen agree, or the failure names the keys pressed.
    void Press(const KeyList& keys, const std::string& name) {
        std::string played;
        for (const auto& [key, with] : keys) {
            played += QKeySequence(key | with).toString().toStdString() + " ";
            QTest::keyClick(&view, key, with);
            QTest::keyClick(&box, key, with);
            if (Ours() != Theirs() || !SameScreen()) {
                ADD_FAILURE() << name << " after " << played
                              << "(caret, anchor, top): " << ::testing::PrintToString(Ours())
                              << " against " << ::testing::PrintToString(Theirs());
                return;
            }
        }
    }

  private:
    const QFont base_ = view.font();
};

// Pages, a page at a time and to the end, in every face, size and height: the line that was
// partly shown comes to the top, and the last line shows whole above the margin.
TEST_F(TextBoxOracleFaces, PagesAsTheTextBoxInEveryFaceSizeAndHeight) {
    const KeyList sequences[] = {
        {{Qt::Key_PageDown, {}},
         {Qt::Key_PageDown, {}},
         {Qt::Key_PageDown, test::kShift},
         {Qt::Key_PageUp, {}},
         {Qt::Key_Space, {}},
         {Qt::Key_Space, {}},
         {Qt::Key_Space, test::kShift}},
        {{Qt::Key_End, test::kControl}, {Qt::Key_Up, {}}, {Qt::Key_PageUp, test::kShift}},
    };
    for (const Shape& shape : Shapes()) {
        ASSERT_TRUE(Use(shape)) << shape.face << " is not installed (scripts/install-deps.sh "
                                << "--test), the box got "
                                << QFontInfo(view.font()).family().toStdString();
        for (const Note& note : {kNotes[0], kNotes[1], kNotes[2]}) {
            for (const KeyList& keys : sequences) {
                ASSERT_TRUE(Show(note));
                Press(keys, Name(shape, note));
            }
        }
    }
}

// Random runs of the keys a reader presses, pages among them, on every note in each face at a
// small and a large size.
TEST_F(TextBoxOracleFaces, RandomKeysAgreeInEveryFace) {
    std::mt19937 random(41);
    for (const char* face : kFaces) {
        for (const Shape& shape : {Shape{face, 9, 231}, Shape{face, 20, 300}}) {
            ASSERT_TRUE(Use(shape)) << face << " is not installed";
            for (const Note& note : kNotes) {
                for (int run = 0; run < test::RandomRuns(2); ++run) {
                    ASSERT_TRUE(Show(note));
                    KeyList keys;
                    for (int i = 0; i < 15; ++i) {
                        keys.push_back(test::kReaderKeys[random() % std::size(test::kReaderKeys)]);
                    }
                    Press(keys, Name(shape, note));
                }
            }
        }
    }
}

}  // namespace
}  // namespace lintrel
