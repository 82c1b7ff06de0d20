// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/form1_layout.h"

#include <gtest/gtest.h>

namespace lintrel {
namespace {

TEST(LayoutForm1Test, MinimumSizeGivesTheDesign) {
    const Form1Layout l = LayoutForm1(8670, 4215);
    EXPECT_EQ(l.Text1, QRect(120, 600, 8280, 2515));
    EXPECT_EQ(l.Command4.topLeft(), QPoint(7560, 3240));
    EXPECT_EQ(l.Command9, QRect(7560, 120, 855, 375));
    EXPECT_EQ(l.file_name.right() + 1, 8670 - 270);
    EXPECT_EQ(l.Command5.left(), 8670 - 3990);
}

TEST(LayoutForm1Test, BelowTheMinimumEachDimensionSpringsBackAlone) {
    const Form1Layout narrow = LayoutForm1(5000, 6000);
    EXPECT_EQ(narrow.Text1.width(), 8280);
    EXPECT_EQ(narrow.Text1.height(), 6000 - 1700);
    const Form1Layout low = LayoutForm1(10000, 1000);
    EXPECT_EQ(low.Text1.width(), 10000 - 390);
    EXPECT_EQ(low.Text1.height(), 2515);
}

TEST(LayoutForm1Test, GrowingMovesTheRightGroupAndTheRow) {
    const Form1Layout small = LayoutForm1(8670, 4215);
    const Form1Layout big = LayoutForm1(8670 + 1500, 4215 + 900);
    for (auto member : {&Form1Layout::Command5, &Form1Layout::Command6, &Form1Layout::Command3,
                        &Form1Layout::Command4}) {
        EXPECT_EQ((big.*member).left(), (small.*member).left() + 1500);
        EXPECT_EQ((big.*member).top(), (small.*member).top() + 900);
    }
    for (auto member : {&Form1Layout::Command1, &Form1Layout::Command2, &Form1Layout::Command7,
                        &Form1Layout::Command8}) {
        EXPECT_EQ((big.*member).left(), (small.*member).left());
        EXPECT_EQ((big.*member).top(), (small.*member).top() + 900);
    }
    EXPECT_EQ(big.Command9.left(), small.Command9.left() + 1500);
    EXPECT_EQ(big.Command9.top(), small.Command9.top());
    EXPECT_EQ(big.line_shown.width(), small.line_shown.width() + 1500);
    EXPECT_EQ(big.Text1.height(), small.Text1.height() + 900);
    EXPECT_EQ(big.file_name.top(), small.file_name.top());
}

TEST(LayoutForm1Test, ButtonsStand960Apart) {
    const Form1Layout l = LayoutForm1(9000, 5000);
    EXPECT_EQ(l.Command2.left() - l.Command1.left(), 960);
    EXPECT_EQ(l.Command7.left() - l.Command2.left(), 960);
    EXPECT_EQ(l.Command8.left() - l.Command7.left(), 960);
    EXPECT_EQ(l.Command6.left() - l.Command5.left(), 960);
    EXPECT_EQ(l.Command3.left() - l.Command6.left(), 960);
    EXPECT_EQ(l.Command4.left() - l.Command3.left(), 960);
}

}  // namespace
}  // namespace lintrel
