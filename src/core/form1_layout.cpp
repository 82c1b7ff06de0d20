// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/form1_layout.h"

#include <algorithm>

namespace lintrel {

Form1Layout LayoutForm1(int width, int height) {
    const int w = std::max(width, kMinOuterWidthTwips);
    const int h = std::max(height, kMinOuterHeightTwips);
    constexpr int kButtonWidth = 855;
    constexpr int kButtonHeight = 375;
    constexpr int kLabelHeight = 255;
    const int row = h - 975;
    auto button = [&](int left, int top) { return QRect(left, top, kButtonWidth, kButtonHeight); };

    Form1Layout layout;
    layout.file_name = QRect(120, 120, w - 390, kLabelHeight);
    layout.line_shown = QRect(120, 360, w - 390, kLabelHeight);
    layout.Command9 = button(w - 1110, 120);
    layout.Text1 = QRect(120, 600, w - 390, h - 1700);
    layout.Command1 = button(120, row);
    layout.Command2 = button(1080, row);
    layout.Command7 = button(2040, row);
    layout.Command8 = button(3000, row);
    layout.Command5 = button(w - 3990, row);
    layout.Command6 = button(w - 3030, row);
    layout.Command3 = button(w - 2070, row);
    layout.Command4 = button(w - 1110, row);
    return layout;
}

}  // namespace lintrel
