// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/window_placement.h"

#include <gtest/gtest.h>

namespace lintrel {
namespace {

// The screen is 1280 x 800 pixels: 19200 x 12000 twips.
TEST(AcceptedPlaceTest, ThresholdsAndTheScreen) {
    struct Case {
        double top, left;
        bool accepted;
    };
    const Case cases[] = {
        {1440, 1440, true}, {-999, -999, true}, {-1000, 0, false}, {0, -1000, false},
        {11999, 0, true},   {12000, 0, false},  {0, 19199, true},  {0, 19200, false},
        {-999.5, 10, true}, {1e30, 0, false},   {0, 0, true},
    };
    for (const Case& c : cases) {
        const auto place = AcceptedPlace(c.top, c.left, {{0, 0, 19200, 12000}});
        EXPECT_EQ(place.has_value(), c.accepted) << c.top << ", " << c.left;
        if (place) {
            EXPECT_EQ(place->top, static_cast<float>(c.top));
            EXPECT_EQ(place->left, static_cast<float>(c.left));
        }
    }
}

// Several screens: a place is kept on whichever screen it lies, and refused where no screen
// is any more. Screens of 1280 x 800 pixels (19200 x 12000 twips) unless said.
TEST(AcceptedPlaceTest, ArrangementsOfScreens) {
    const ScreenArea primary{0, 0, 19200, 12000};
    const ScreenArea right{19200, 0, 28800, 16200};  // 1920 x 1080 to the right
    const ScreenArea left{-19200, 0, 19200, 12000};
    const ScreenArea below{0, 12000, 19200, 12000};
    const struct {
        const char* name;
        std::vector<ScreenArea> screens;
        double top, left;
        bool accepted;
    } cases[] = {
        {"on the right-hand monitor", {primary, right}, 1440, 30000, true},
        {"its right edge", {primary, right}, 0, 47999, true},
        {"beyond it", {primary, right}, 0, 48000, false},
        {"below the shorter screen, on the taller one", {primary, right}, 15000, 20000, true},
        {"below the shorter screen, beside the taller one", {primary, right}, 15000, 18000, false},
        {"the right-hand monitor unplugged", {primary}, 1440, 30000, false},
        {"on a monitor left of the primary one", {primary, left}, 1440, -15000, true},
        {"that monitor unplugged", {primary}, 1440, -15000, false},
        {"a title bar just above the lower screen's top", {primary, below}, 11500, 100, true},
        {"on the lower screen", {primary, below}, 20000, 100, true},
        {"one screen, far off its top", {primary}, -1000, 0, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(AcceptedPlace(c.top, c.left, c.screens).has_value(), c.accepted) << c.name;
    }
}

TEST(CentredPlaceTest, OuterSizeHalvedWithoutRounding) {
    const WindowPlace place = CentredPlace(8670, 4215, 19200, 12000);
    EXPECT_EQ(place.left, 5265.0f);
    EXPECT_EQ(place.top, 3892.5f);
    // Larger than the screen: the top-left corner stays on it, each way on its own.
    const WindowPlace tall = CentredPlace(8670, 16000, 19200, 12000);
    EXPECT_EQ(tall.top, 0.0f);
    EXPECT_EQ(tall.left, 5265.0f);
    const WindowPlace wide = CentredPlace(20000, 4215, 19200, 12000);
    EXPECT_EQ(wide.left, 0.0f);
}

}  // namespace
}  // namespace lintrel
