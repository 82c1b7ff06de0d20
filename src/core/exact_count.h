// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string_view>

namespace lintrel {

// The longest needle CountExact takes.
constexpr std::size_t kExactNeedle = 16;

// Counts the occurrences of `needle` (2 to kExactNeedle bytes) that start from `i` on and at
// or after `end`, scanning left to right with matched occurrences consumed, for as long as
// whole blocks of the text fit; `i` receives where the blocks stopped, `end` the byte after
// the last occurrence counted (as it was when there is none). The rest of the text is the
// caller's. Built where the processor has SSE2, as the scans that call it.
std::size_t CountExact(std::string_view text, std::string_view needle, std::size_t& i,
                       std::size_t& end);

}  // namespace lintrel
