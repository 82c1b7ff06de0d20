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

// How many occurrences of `needle` (not empty) `text` holds at or after `from`, scanning left
// to right with matched occurrences consumed, and where the scan may go on: the byte after the
// last occurrence counted, or `from` when there is none. Linear in the text whatever the
// needle.
struct ByteCount {
    std::size_t count = 0;
    std::size_t end = 0;
};
ByteCount CountBytes(std::string_view text, std::size_t from, std::string_view needle);

}  // namespace lintrel
