// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <vector>

namespace lintrel {

// A window's place on the screen in twips: the outer window's top and left edge.
struct WindowPlace {
    float top = 0;
    float left = 0;
};

// A screen of the desktop, in twips, where the desktop puts it.
struct ScreenArea {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
};

// The saved place, when it is restored: on one of the screens, both values above -1000 twips
// from its top-left corner and, narrowed to single precision, the top above its bottom and
// the left left of its right edge (on a single screen at 0, 0: both values above -1000 and
// within the screen). A place on a screen that is gone is refused. nullopt: the window stays
// where it is.
std::optional<WindowPlace> AcceptedPlace(double top, double left,
                                         const std::vector<ScreenArea>& screens);

// The place that centres an outer size on the screen, in single precision, unrounded; a size
// larger than the screen is placed at its top or left edge instead, so that the title bar
// stays on the screen.
WindowPlace CentredPlace(double width, double height, double screenWidth, double screenHeight);

}  // namespace lintrel
