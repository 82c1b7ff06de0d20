// SPDX-License-Identifier: GPL-3.0-or-later
#include "note_box/note_view.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <random>
#include <string>

#include "core/note_search.h"
#include "note_box/note_view_fixture.h"
#include "platform/code_page.h"
#include "qt_printers.h"

namespace lintrel {
namespace {

using test::NoteBoxTest;
using test::NoteViewTest;
using test::ViewCase;
using test::Words;

// Whether the primary selection can be checked here: Qt's offscreen platform has none; the
// ui_tests_primary_selection test runs these tests under Xvfb, where it must be there.
bool PrimarySelectionHere() {
    if (QGuiApplication::platformName() == QLatin1String("offscreen")) {
        return false;
    }
    EXPECT_TRUE(QApplication::clipboard()->supportsSelection())
        << "on " << QGuiApplication::platformName().toStdString();
    return true;
}

TEST_P(NoteViewTest, SelectsAndCopiesExactlyTheNotesText) {
    const ViewCase& c = GetParam();
    Show(c);
    const QString shown = ShownText(c.codePage, c.note);
    EXPECT_EQ(view.toPlainText(), shown);
    view.selectAll();
    EXPECT_EQ(view.SelectedText(), shown);
    view.copy();
    // The text is made when a program asks for it, from the note it was copied from, though
    // another note is shown by then.
    view.clear();
    if (!shown.isEmpty()) {
        EXPECT_EQ(QApplication::clipboard()->text(), shown);
        // What a program pasting it is given: the bytes of the text in UTF-8.
        EXPECT_EQ(QApplication::clipboard()->mimeData()->data("text/plain"), shown.toUtf8());
    }
    Show(c);
    // Any stretch of it, by offsets into the text.
    std::mt19937 random(11);
    std::uniform_int_distribution<int> offset(0, static_cast<int>(shown.size()));
    for (int i = 0; i < 20; ++i) {
        const int a = offset(random);
        const int b = offset(random);
        const int from = std::min(a, b);
        const int to = std::max(a, b);
        ASSERT_EQ(view.OffsetOf(view.PlaceOf(TextOffset(from))), TextOffset(from));
        view.Select(view.PlaceOf(TextOffset(from)), view.PlaceOf(TextOffset(to)));
        ASSERT_EQ(view.SelectedText(), shown.mid(from, to - from)) << from << " to " << to;
    }
}

TEST_P(NoteViewTest, ScrollsFromStartToEndAndBack) {
    const ViewCase& c = GetParam();
    Show(c);
    QScrollBar* bar = view.verticalScrollBar();
    QTest::keyClick(&view, Qt::Key_End, Qt::ControlModifier);
    // As in a text box, the note's end comes into view at the bottom, which may leave the
    // bar's end a line further.
    EXPECT_GE(bar->value(), bar->maximum() - bar->pageStep());
    const QString shown = ShownText(c.codePage, c.note);
    EXPECT_TRUE(shown.endsWith(view.VisibleText().right(20)));
    QTest::keyClick(&view, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(view.TopByte(), 0u);
    EXPECT_EQ(bar->value(), 0);
    EXPECT_TRUE(shown.startsWith(view.VisibleText().left(20)));
}

// "a" or "abc", then `count` two-byte characters of a double-byte page.
std::string Run(const char* prefix, int count, unsigned char lead, unsigned char trail) {
    std::string text = prefix;
    for (int i = 0; i < count; ++i) {
        text += static_cast<char>(lead + i % 20);
        text += static_cast<char>(trail + i % 30);
    }
    return text;
}

const ViewCase kCases[] = {
    {"GbkAfterOneLetter", "GBK", Run("a", 6000, 0xB0, 0xA1)},
    {"Windows949AfterThreeLetters", "windows-949", Run("abc", 6000, 0xB0, 0xA1)},
    {"Big5HighSecondBytes", "windows-950", Run("a", 6000, 0xA4, 0xA1)},
    {"ShiftJisAfterThreeLetters", "windows-932", Run("abc", 6000, 0x88, 0x9F)},
    {"GbkLongerThanALaidOutLine", "GBK", Run("a", 100000, 0xB0, 0xA1)},
    {"Empty", "UTF-8", ""},
    {"ShortLines", "UTF-8", "first\r\nsecond\rthird\nfourth\r\n"},
    {"OneHugeLine", "UTF-8", Words(300000)},
    {"ManyCrLfLines", "UTF-8", Words(200000, "\r\n")},
    {"LoneLfLines", "UTF-8", Words(200000, "\n")},
    {"ShiftJis", "windows-932",
     [] {
         std::string text;
         for (int i = 0; i < 20000; ++i) {
             text += i % 97 == 0 ? "\r\n" : i % 5 == 0 ? "\xB1" : "\x82\xA0";
         }
         return text;
     }()},
};

INSTANTIATE_TEST_SUITE_P(Notes, NoteViewTest, ::testing::ValuesIn(kCases),
                         [](const auto& p) { return std::string(p.param.name); });

TEST_F(NoteBoxTest, WrapsAtTheBoxsWidth) {
    Show({"", "UTF-8", Words(5000)});
    // Where the second line begins: earlier in a narrower box.
    auto secondLine = [&] {
        return view.PlaceAt(QPoint(1, view.fontMetrics().lineSpacing() * 3 / 2 + 4)).index.value;
    };
    const int wide = secondLine();
    view.resize(200, 300);
    QApplication::processEvents();
    const int narrow = secondLine();
    EXPECT_GT(narrow, 0);
    EXPECT_LT(narrow, wide);
}

// A line separator ends a line on screen; a paragraph separator, and the two characters a
// text box takes for one, end the paragraph, in UTF-8 only.
TEST_F(NoteBoxTest, SeparatorsEndLinesOrParagraphs) {
    const struct {
        const char* codePage;
        const char* separator;
        int lines;
        int blocks;
    } cases[] = {
        {"UTF-8", "\xe2\x80\xa8", 2, 1}, {"UTF-8", "\xe2\x80\xa9", 1, 2},
        {"UTF-8", "\xef\xb7\x90", 1, 2}, {"UTF-8", "\xef\xb7\x91", 1, 2},
        {"UTF-8", "\xef\xb7\x92", 1, 1}, {"windows-1252", "\xe2\x80\xa9", 1, 1},
    };
    for (const auto& c : cases) {
        const std::string note = std::string("one") + c.separator + "two";
        Show({"", c.codePage, note});
        EXPECT_EQ(view.BlockAt(0).LineCount(), c.lines) << c.separator;
        EXPECT_EQ(view.BlockAt(0).Text() == QStringLiteral("one"), c.blocks == 2) << c.separator;
        // Copied as the note holds it.
        view.selectAll();
        EXPECT_EQ(view.SelectedText(), ShownText(c.codePage, note)) << c.separator;
    }
}

TEST_F(NoteBoxTest, PageDownMovesAScreenAndKeysSelect) {
    Show({"", "UTF-8", Words(100000, "\r\n")});
    QTest::keyClick(&view, Qt::Key_PageDown);
    EXPECT_GT(view.TopByte(), 0u);
    QTest::keyClick(&view, Qt::Key_PageUp);
    EXPECT_EQ(view.TopByte(), 0u);
    view.Select({}, {});
    QTest::keyClick(&view, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(&view, Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(view.SelectedText(), view.toPlainText().left(2));
    QTest::keyClick(&view, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_GT(view.SelectedText().size(), 2);
    EXPECT_TRUE(view.toPlainText().startsWith(view.SelectedText()));
}

TEST_F(NoteBoxTest, MouseDragSelectsWhatItPassesOver) {
    Show({"", "UTF-8", "alpha beta gamma"});
    const int y = view.fontMetrics().lineSpacing() / 2 + 4;
    QTest::mousePress(view.viewport(), Qt::LeftButton, {}, QPoint(4, y));
    QTest::mouseMove(view.viewport(), QPoint(view.fontMetrics().horizontalAdvance("alpha") + 4, y));
    QTest::mouseRelease(view.viewport(), Qt::LeftButton, {},
                        QPoint(view.fontMetrics().horizontalAdvance("alpha") + 4, y));
    EXPECT_EQ(view.SelectedText(), QStringLiteral("alpha"));
    if (PrimarySelectionHere()) {
        EXPECT_EQ(QApplication::clipboard()->text(QClipboard::Selection), QStringLiteral("alpha"));
    }
}

TEST_F(NoteBoxTest, ScreenReaderReadsTheTextAndTheSelection) {
    Show({"", "UTF-8", "one\r\ntwo"});
    QAccessibleInterface* box = QAccessible::queryAccessibleInterface(&view);
    ASSERT_NE(box, nullptr);
    QAccessibleTextInterface* text = box->textInterface();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->characterCount(), 7);
    EXPECT_EQ(text->text(0, 7), QStringLiteral("one\ntwo"));
    EXPECT_TRUE(box->state().readOnly);
    text->setSelection(0, 4, 7);
    EXPECT_EQ(view.SelectedText(), QStringLiteral("two"));
    int start = -1;
    int end = -1;
    text->selection(0, &start, &end);
    EXPECT_EQ(std::pair(start, end), std::pair(4, 7));
    EXPECT_EQ(text->cursorPosition(), 7);
    // Characters have their places on the screen, and the places give the characters back.
    const QRect t = text->characterRect(4);
    ASSERT_FALSE(t.isNull());
    EXPECT_GT(text->characterRect(5).left(), t.left());
    EXPECT_EQ(text->offsetAtPoint(t.center()), 4);
    // Of a note over a megabyte, the part on screen.
    Show({"", "UTF-8", Words(2 << 20, "\r\n")});
    EXPECT_EQ(text->characterCount(), view.VisibleText().size());
    EXPECT_GT(text->characterCount(), 0);
}

// Paragraphs wrap line for line as in a read-only text box of the same font and width.
TEST_F(NoteBoxTest, WrapsAsATextBoxDoes) {
    QPlainTextEdit box;
    box.setReadOnly(true);
    box.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box.setFont(view.font());
    box.resize(view.size());
    view.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box.show();
    for (const std::size_t size : {5000, 10000, 65536}) {
        const std::string paragraph = Words(size);
        Show({"", "UTF-8", paragraph});
        box.setPlainText(QString::fromStdString(paragraph));
        QApplication::processEvents();
        ASSERT_EQ(box.viewport()->width(), view.viewport()->width());
        const LaidBlock& ours = view.BlockAt(0);
        const QTextLayout& theirs = *box.document()->firstBlock().layout();
        ASSERT_EQ(ours.LineCount(), theirs.lineCount()) << size << " bytes";
        // The slider's share of the groove is the share of the text on screen, as in the text
        // box, within a few percent.
        const auto share = [](const QScrollBar* bar) {
            return static_cast<double>(bar->pageStep()) / (bar->maximum() + bar->pageStep());
        };
        EXPECT_NEAR(share(view.verticalScrollBar()), share(box.verticalScrollBar()), 0.03)
            << size << " bytes";
        for (int i = 0; i < ours.LineCount(); ++i) {
            ASSERT_EQ(ours.LineStart(ours.Line(i)).value, theirs.lineAt(i).textStart())
                << "line " << i;
            ASSERT_EQ(ours.Line(i).height(), theirs.lineAt(i).height()) << "line " << i;
        }
    }
}

// The caret and the keys: where the caret goes, and what Shift selects from there.
TEST_F(NoteBoxTest, KeysMoveTheCaretAndSelectFromIt) {
    const std::string note = Words(60000, "\r\n");
    Show({"", "UTF-8", note});
    view.setFocus();
    const QString text = view.toPlainText();
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        bool selects;
    } keys[] = {
        {Qt::Key_PageDown, {}, false},
        {Qt::Key_PageDown, {}, false},
        {Qt::Key_PageDown, {}, false},
        {Qt::Key_Down, Qt::ShiftModifier, true},
        {Qt::Key_End, Qt::ShiftModifier, true},
        {Qt::Key_Home, {}, false},
        {Qt::Key_PageDown, Qt::ShiftModifier, true},
        {Qt::Key_Up, Qt::ShiftModifier, true},
        {Qt::Key_Right, {}, false},
        {Qt::Key_End, Qt::ControlModifier, false},
    };
    for (const auto& k : keys) {
        const int before = view.OffsetOf(view.Selection().second).value;
        const int anchorBefore = view.OffsetOf(view.Selection().first).value;
        const std::size_t top = view.TopByte();
        QTest::keyClick(&view, k.key, k.modifiers);
        const auto [anchor, caret] = view.Selection();
        const int after = view.OffsetOf(caret).value;
        const int anchorAfter = view.OffsetOf(anchor).value;
        EXPECT_EQ(view.HasSelection(), k.selects) << k.key;
        if (k.selects) {
            // Shift selects from where the caret was, and the box stays where it was or follows.
            EXPECT_EQ(anchorAfter, anchorBefore) << k.key;
            EXPECT_EQ(view.SelectedText(),
                      text.mid(std::min(anchorAfter, after), std::abs(after - anchorAfter)));
        }
        // The box scrolls by lines: the top line is whole (a pixel row of the line above may
        // show over it, as in a text box).
        EXPECT_GE(view.CharacterRect(view.PlaceAt(QPoint(5, 1))).top(), 0) << k.key;
        if (k.key == Qt::Key_PageDown && !k.modifiers) {
            EXPECT_GT(view.TopByte(), top);
            EXPECT_GT(after, before);  // the caret went down with the page
        }
    }
    EXPECT_EQ(view.OffsetOf(view.Selection().second).value, text.size());
    // Paging through the whole note lays out and drops far more blocks than are kept.
    QTest::keyClick(&view, Qt::Key_Home, Qt::ControlModifier);
    for (std::size_t top = 1; top != view.TopByte();) {
        top = view.TopByte();
        QTest::keyClick(&view, Qt::Key_PageDown);
        ASSERT_GE(view.CharacterRect(view.PlaceAt(QPoint(5, 1))).top(), 0) << top;
    }
    EXPECT_TRUE(text.endsWith(view.VisibleText().right(30)));
}

TEST_F(NoteBoxTest, TripleClickSelectsTheLineAndItsBreakAndThePrimarySelectionFollows) {
    Show({"", "UTF-8", "first line\r\nsecond line here\r\nthird"});
    const QPoint second(20, view.fontMetrics().lineSpacing() * 3 / 2 + 4);
    QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, second);
    EXPECT_EQ(view.SelectedText(), QStringLiteral("second"));
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, second);
    EXPECT_EQ(view.SelectedText(), QStringLiteral("second line here\n"));
    QClipboard* clipboard = QApplication::clipboard();
    if (PrimarySelectionHere()) {
        EXPECT_EQ(clipboard->text(QClipboard::Selection), QStringLiteral("second line here\n"));
        view.selectAll();
        EXPECT_EQ(clipboard->text(QClipboard::Selection), view.toPlainText());
    }
}

TEST_F(NoteBoxTest, FindSelectsTheMatchAndShowsIt) {
    const std::string note = Words(700000, "\r\n") +
                             " Stra\xc3\x9f"
                             "e " +
                             Words(1000);
    Show({"", "UTF-8", note});
    // Where the search of the note found the match, as Find hands it on.
    const auto near = NoteSearch(QStringLiteral("STRASSE")).FoundAt("UTF-8", note);
    ASSERT_TRUE(near.has_value());
    EXPECT_GT(*near, 0u);
    ASSERT_TRUE(view.SelectMatch(QStringLiteral("STRASSE"), *near));
    EXPECT_EQ(view.SelectedText(), QStringLiteral("Stra\u00dfe"));
    EXPECT_TRUE(view.VisibleText().contains(QStringLiteral("Stra\u00dfe")));
    EXPECT_FALSE(view.SelectMatch(QStringLiteral("no such words"), 0));
}

}  // namespace
}  // namespace lintrel
