// SPDX-License-Identifier: GPL-3.0-or-later
// The number reading of Go to and of the start-up line number, and the charset answer.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/number_reading.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const double number = lintrel::ReadNumber(text);
    if (const auto n = lintrel::RoundToInt16(number)) {
        // A number that fits is the one rounded half to even.
        if (static_cast<double>(*n) != lintrel::RoundHalfEven(number)) {
            std::abort();
        }
    }
    (void)lintrel::RoundToInt32(number);
    if (const auto whole = lintrel::ParseWholeNumber(text); whole && std::isnan(*whole)) {
        std::abort();
    }
    return 0;
}
