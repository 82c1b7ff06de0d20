// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>

namespace lintrel {

// The main window's design frame: the outer size is the client size plus this.
constexpr int kFrameWidthTwips = 120;
constexpr int kFrameHeightTwips = 480;
constexpr int kMinOuterWidthTwips = 8670;
constexpr int kMinOuterHeightTwips = 4215;
constexpr int kInitialClientWidthTwips = 8550;
constexpr int kInitialClientHeightTwips = 3735;
// Where the client area's top-left corner stands when the window is created.
constexpr int kInitialClientLeftTwips = 2595;
constexpr int kInitialClientTopTwips = 3285;

// The places of the main window's controls, in twips within the client area.
struct Form1Layout {
    QRect file_name, line_shown, Command9, Text1;
    QRect Command1, Command2, Command7, Command8;  // left group
    QRect Command5, Command6, Command3, Command4;  // right group
};

// The layout for an outer size of `width` by `height` twips, each first raised to the
// minimum outer size.
Form1Layout LayoutForm1(int width, int height);

}  // namespace lintrel
