// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

namespace lintrel {

// A window's place on the screen in twips: the outer window's top and left edge.
struct WindowPlace {
    float top = 0;
    float left = 0;
};

// The saved place, when it is restored: both values above -1000 twips, and, narrowed to single
// precision, the top above the screen's bottom and the left left of its right edge. nullopt:
// the window stays where it is.
std::optional<WindowPlace> AcceptedPlace(double top, double left, double screenWidth,
                                         double screenHeight);

// The place that centres an outer size on the screen, in single precision, unrounded; a size
// larger than the screen is placed at its top or left edge instead, so that the title bar
// stays on the screen.
WindowPlace CentredPlace(double width, double height, double screenWidth, double screenHeight);

}  // namespace lintrel
