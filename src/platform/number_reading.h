// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace lintrel {

// Reads a number from the start of `text` the way the Go to box and the settings files do:
// spaces, tabs and line feeds are ignored wherever they stand; an optional sign, digits, one
// decimal point and an exponent are taken; reading stops at the first character that cannot
// continue the number. Text that does not begin with a number gives 0. Too large a number
// gives an infinity of its sign.
double ReadNumber(std::string_view text);

// The number that the whole of `text` (spaces around it aside) is, as in " 12 ", "-1.5" or
// "3e2"; nullopt when the text is anything else.
std::optional<double> ParseWholeNumber(std::string_view text);

// Rounds to the nearest whole number, a half going to the even neighbour.
double RoundHalfEven(double value);

// Rounds half to even and narrows to 16 or 32 bits; nullopt when the result lies outside
// the range (infinities included).
std::optional<std::int16_t> RoundToInt16(double value);
std::optional<std::int32_t> RoundToInt32(double value);

}  // namespace lintrel
