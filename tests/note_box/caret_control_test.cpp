// SPDX-License-Identifier: GPL-3.0-or-later
// The caret control without a window: its moves over a note laid out at a fixed width, through
// a box that records what it is asked to scroll.
#include <QFont>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "note_box/caret_control.h"
#include "platform/code_page.h"

namespace lintrel {
namespace {

using Place = BlockPlace;

// A box 2000 pixels wide, so that no line wraps; a page down always lands on the note's last
// block, a page up on its first.
class FakeBox : public CaretView {
  public:
    explicit FakeBox(const std::string& note) {
        laid_.Reset(DecodedNote(QByteArray(kUtf8), NoteText::Own(note)));
        laid_.Reshape(LaidShape{QFont(), 2000, 4});
    }
    const NoteBlocks& Blocks() const override { return laid_.Blocks(); }
    const LaidBlock& Layout(const NoteBlock& block) const override { return laid_.Layout(block); }
    void EnsureVisible(Place place) override { shown.push_back(place); }
    int LineTopOnScreen(Place) const override { return 42 + static_cast<int>(shown.size()); }
    ViewLine PagedLine(bool down, int from) override {
        pagedFrom.push_back(from);
        return ViewLine{down ? Blocks().Last().start : 0, 0};
    }
    void ShowStart() override { shown.push_back(Place{}); }
    void Selected(bool selection) override { changed.push_back(selection); }
    void TellReader(bool selection) override { told.push_back(selection); }

    std::vector<Place> shown;
    std::vector<int> pagedFrom;
    std::vector<bool> changed;  // whether the selection changed
    std::vector<bool> told;     // the caret (false) or the selection (true)

  private:
    mutable LaidNote laid_;
};

const char* const kLines = "abcdefgh\r\nab\r\nabcdefgh";  // blocks at bytes 0, 10 and 14
const char* const kHebrew = "\xd7\x90\xd7\x91\xd7\x92 \xd7\x93";

Place At(std::size_t block, int index) {
    return Place{block, TextIndex(index)};
}

struct MoveCase {
    const char* name;
    const char* note;
    Place anchor;
    Place cursor;
    std::vector<std::pair<CaretMove, bool>> moves;  // each with whether it extends
    Place wantAnchor;
    Place wantCursor;
};

const MoveCase kMoveCases[] = {
    {"DownKeepsTheColumnPastAShortLine",
     kLines,
     At(0, 6),
     At(0, 6),
     {{CaretMove::Down, false}, {CaretMove::Down, false}},
     At(14, 6),
     At(14, 6)},
    {"LeftCrossesIntoTheBlockBefore",
     kLines,
     At(10, 1),
     At(10, 1),
     {{CaretMove::Left, false}, {CaretMove::Left, false}},
     At(0, 8),
     At(0, 8)},
    {"RightCrossesIntoTheNextBlock",
     kLines,
     At(0, 8),
     At(0, 8),
     {{CaretMove::Right, false}},
     At(10, 0),
     At(10, 0)},
    {"WordRightStopsAtTheNextWord",
     "one two three",
     At(0, 0),
     At(0, 0),
     {{CaretMove::WordRight, false}, {CaretMove::WordRight, true}},
     At(0, 4),
     At(0, 8)},
    {"EndAndStartOfTheNote",
     kLines,
     At(10, 1),
     At(10, 1),
     {{CaretMove::End, false}, {CaretMove::Start, true}},
     At(14, 8),
     At(0, 0)},
    {"LineEndAndBlockStart",
     kLines,
     At(14, 3),
     At(14, 3),
     {{CaretMove::LineEnd, true}, {CaretMove::BlockStart, true}},
     At(14, 3),
     At(14, 0)},
    {"ShiftDownOnTheLastLineTakesItsRest",
     kLines,
     At(14, 2),
     At(14, 2),
     {{CaretMove::Down, true}},
     At(14, 2),
     At(14, 8)},
    {"DownOnTheLastLineStays",
     kLines,
     At(14, 2),
     At(14, 2),
     {{CaretMove::Down, false}},
     At(14, 2),
     At(14, 2)},
    {"LeftEndsASelectionAtItsStart",
     kLines,
     At(0, 5),
     At(0, 2),
     {{CaretMove::Left, false}},
     At(0, 2),
     At(0, 2)},
    {"RightEndsASelectionAtItsEnd",
     kLines,
     At(0, 5),
     At(0, 2),
     {{CaretMove::Right, false}},
     At(0, 5),
     At(0, 5)},
    {"LeftStepsForwardInARightToLeftLine",
     kHebrew,
     At(0, 0),
     At(0, 0),
     {{CaretMove::Left, false}, {CaretMove::WordLeft, true}},
     At(0, 1),
     At(0, 4)},
    {"PagesGoToTheLinePagedTo",
     kLines,
     At(0, 3),
     At(0, 3),
     {{CaretMove::PageDown, false}},
     At(14, 3),
     At(14, 3)},
    {"PageUpSelectsBack",
     kLines,
     At(14, 5),
     At(14, 5),
     {{CaretMove::PageUp, true}},
     At(14, 5),
     At(0, 5)},
};

TEST(CaretControlTest, MovesAsATextBoxMovesItsCaret) {
    for (const MoveCase& c : kMoveCases) {
        FakeBox box(c.note);
        CaretControl caret(box);
        caret.Select(c.anchor, c.cursor);
        for (const auto& [move, extend] : c.moves) {
            caret.MoveCaret(move, extend);
        }
        EXPECT_EQ(std::pair(caret.Anchor(), caret.Cursor()), std::pair(c.wantAnchor, c.wantCursor))
            << c.name;
        ASSERT_FALSE(box.shown.empty()) << c.name << ": the caret was not brought into view";
        EXPECT_EQ(box.shown.back(), c.wantCursor) << c.name;
    }
}

// A run of pages keeps where the caret's line stood when the run began; another move ends the
// run; the box hears of a move and of a selection as a text box tells them.
TEST(CaretControlTest, ARunOfPagesKeepsWhereItBegan) {
    FakeBox box(std::string(kLines) + "\r\nmore\r\nand more");
    CaretControl caret(box);
    caret.MoveCaret(CaretMove::PageDown, false);
    caret.MoveCaret(CaretMove::PageUp, false);
    caret.MoveCaret(CaretMove::Right, false);
    caret.MoveCaret(CaretMove::PageDown, true);
    ASSERT_EQ(box.pagedFrom.size(), 3U);
    EXPECT_EQ(box.pagedFrom[0], box.pagedFrom[1]);
    EXPECT_NE(box.pagedFrom[2], box.pagedFrom[0]);
    EXPECT_EQ(box.changed, (std::vector<bool>{false, false, false, true}));
    // A page sets the caret as a text box sets it itself: the selection is told first.
    EXPECT_EQ(box.told, (std::vector<bool>{false, false, false, true, false}));
}

}  // namespace
}  // namespace lintrel
