// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string_view>

namespace lintrel {

// How many bytes of `bytes` equal `byte`.
std::size_t CountByte(std::string_view bytes, char byte);

// Whether `bytes` holds a CR followed by a byte other than LF. A CR in the last byte is not
// judged: what follows it is not known.
bool HasLoneCr(std::string_view bytes);

// Where the first occurrence of `needle` (not empty) in `text` at or after `from` starts, or
// std::string_view::npos.
std::size_t FindBytes(std::string_view text, std::size_t from, std::string_view needle);

}  // namespace lintrel
