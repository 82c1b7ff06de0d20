// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string_view>

namespace lintrel {

// The longest needle CountExact takes.
constexpr std::size_t kExactNeedle = 16;

// Counts the occurrences of `needle` (2 to kExactNeedle bytes) that start from `from` on and
// at or after `end`, scanning left to right with matched occurrences consumed, for as long as
// whole blocks of the text fit: how many, where the blocks stopped, and the byte after the
// last occurrence counted (`end` as given when there is none). The rest of the text is the
// caller's. Built where the processor has SSE2, as the scans that call it.
struct ExactCount {
    std::size_t count = 0;
    std::size_t stopped = 0;
    std::size_t end = 0;
};
ExactCount CountExact(std::string_view text, std::string_view needle, std::size_t from,
                      std::size_t end);

}  // namespace lintrel
