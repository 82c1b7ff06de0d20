// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>

namespace lintrel {

// Positions and sizes are kept in twips; Qt works in device-independent pixels at 96 dpi.
constexpr int kTwipsPerPixel = 15;

// Out-of-range values (from a damaged settings file) are held to what a screen can show.
inline int TwipsToPixels(double twips) {
    constexpr double kLimit = 1 << 24;
    const double pixels = twips / kTwipsPerPixel;
    if (!(pixels > -kLimit)) {
        return -(1 << 24);
    }
    if (!(pixels < kLimit)) {
        return 1 << 24;
    }
    return static_cast<int>(std::lround(pixels));
}
inline double PixelsToTwips(int pixels) {
    return static_cast<double>(pixels) * kTwipsPerPixel;
}

}  // namespace lintrel
