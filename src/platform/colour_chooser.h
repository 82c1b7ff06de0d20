// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace lintrel {

class Host;

// The colour chooser's record, with the fields of the desktop call it stands in for.
struct CHOOSECOLOR {
    std::uint32_t lStructSize = 0;
    std::int32_t hwndOwner = 0;
    std::int32_t hInstance = 0;
    std::int32_t rgbResult = 0;
    std::int32_t* lpCustColors = nullptr;  // 16 entries
    std::uint32_t Flags = 0;
    std::int32_t lCustData = 0;
    std::int32_t lpfnHook = 0;
    const char* lpTemplateName = nullptr;
};

constexpr std::uint32_t CC_RGBINIT = 0x1;
constexpr std::uint32_t CC_FULLOPEN = 0x2;
constexpr std::uint32_t CC_SOLIDCOLOR = 0x80;
constexpr std::uint32_t CC_ANYCOLOR = 0x100;

// A colour value with the top bit set names a colour of the desktop scheme.
constexpr std::uint32_t kSystemColourBit = 0x80000000u;

// Shows the colour chooser described by `record`; non-zero when a colour was confirmed,
// which `record.rgbResult` then holds.
int ChooseColorA(Host& host, CHOOSECOLOR* record);

// Turns `colour` into a plain 0x00BBGGRR colour, system colours included. Returns 0 on
// success; non-zero for a colour that names nothing known. `palette` is unused (0).
std::int32_t OleTranslateColor(Host& host, std::uint32_t colour, std::int32_t palette,
                               std::uint32_t* result);

}  // namespace lintrel
