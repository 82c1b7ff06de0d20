// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/colour_chooser.h"

#include "platform/host.h"

namespace lintrel {

int ChooseColorA(Host& host, CHOOSECOLOR* record) {
    if (record == nullptr) {
        return 0;
    }
    return host.ChooseColorA(*record) ? 1 : 0;
}

std::int32_t OleTranslateColor(Host& host, std::uint32_t colour, std::int32_t /*palette*/,
                               std::uint32_t* result) {
    constexpr std::int32_t kInvalidArgument = static_cast<std::int32_t>(0x80070057u);
    const std::uint32_t top = colour >> 24;
    if (top == 0) {
        *result = colour;
        return 0;
    }
    if (top == (kSystemColourBit >> 24)) {
        if (const auto plain = host.SystemColour(static_cast<int>(colour & 0xFFFFFFu))) {
            *result = *plain;
            return 0;
        }
    }
    return kInvalidArgument;
}

}  // namespace lintrel
