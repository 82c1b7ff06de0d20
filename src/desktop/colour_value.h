// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>

#include <cstdint>

namespace lintrel {

// A plain colour value, 0x00BBGGRR, to and from QColor.
inline QColor ColourFromValue(std::uint32_t plain) {
    return QColor(static_cast<int>(plain & 0xFF), static_cast<int>((plain >> 8) & 0xFF),
                  static_cast<int>((plain >> 16) & 0xFF));
}

inline std::uint32_t ValueFromColour(const QColor& colour) {
    return static_cast<std::uint32_t>(colour.red()) |
           (static_cast<std::uint32_t>(colour.green()) << 8) |
           (static_cast<std::uint32_t>(colour.blue()) << 16);
}

}  // namespace lintrel
