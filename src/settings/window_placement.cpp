// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/window_placement.h"

#include <algorithm>

namespace lintrel {

std::optional<WindowPlace> AcceptedPlace(double top, double left,
                                         const std::vector<ScreenArea>& screens) {
    const WindowPlace place{static_cast<float>(top), static_cast<float>(left)};
    for (const ScreenArea& s : screens) {
        if (top - s.top > -1000 && left - s.left > -1000 && place.top < s.top + s.height &&
            place.left < s.left + s.width) {
            return place;
        }
    }
    return std::nullopt;
}

WindowPlace CentredPlace(double width, double height, double screenWidth, double screenHeight) {
    // A window larger than the screen keeps its title bar and top-left corner on it.
    return {static_cast<float>(std::max(0.0, (screenHeight - height) / 2)),
            static_cast<float>(std::max(0.0, (screenWidth - width) / 2))};
}

}  // namespace lintrel
