// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace lintrel {

// How a search or a count goes about a needle of a given length. A one-byte needle is the C
// library's memchr; up to 16 bytes a count compares the whole needle at every place of a block
// at once, while a search (which stops at its first match) takes the vector probe: candidates
// where the first byte and one other match, compared whole. From 33 bytes on, both take the
// C library's two-way memmem, linear whatever the needle, as the probe's worst case grows with
// the needle's length.
enum class NeedleScan : std::uint8_t { OneByte, Exact, Probe, TwoWay };
struct NeedleRow {
    std::size_t longest;  // the longest needle of the row; a row starts past the one before
    NeedleScan find;
    NeedleScan count;
};
inline constexpr NeedleRow kNeedleScans[] = {
    {1, NeedleScan::OneByte, NeedleScan::OneByte},
    {16, NeedleScan::Probe, NeedleScan::Exact},
    {32, NeedleScan::Probe, NeedleScan::Probe},
    {SIZE_MAX, NeedleScan::TwoWay, NeedleScan::TwoWay},
};
constexpr const NeedleRow& NeedleRowFor(std::size_t length) {
    const NeedleRow* row = kNeedleScans;
    while (length > row->longest) {
        ++row;
    }
    return *row;
}

// The vector width of the scans in bytes: 32 where the processor has AVX2, else 16 (0 where
// there are no vector scans). Tests and benchmarks may narrow it to 16 to compare the widths;
// SetScanWidth returns false for a width the processor does not have.
unsigned ScanWidth();
bool SetScanWidth(unsigned width);

// How many bytes of `bytes` equal `byte`.
std::size_t CountByte(std::string_view bytes, char byte);

// Whether `bytes` holds a CR followed by a byte other than LF. A CR in the last byte is not
// judged: what follows it is not known.
bool HasLoneCr(std::string_view bytes);

// Where the first occurrence of `needle` (not empty) in `text` at or after `from` starts, or
// std::string_view::npos.
std::size_t FindBytes(std::string_view text, std::size_t from, std::string_view needle);

// Copies `bytes` to `out` with A to Z lowered, while they are ASCII; false (with `out` holding
// some of them) when one is not.
bool LowerAscii(std::string_view bytes, char* out);

// The scans for the line breaks of the note box's blocks: CR, LF and, when `utf8`, the
// paragraph separators (U+2029, U+FDD0, U+FDD1), many bytes at a time. The bytes they leave
// are looked at one by one by the caller.
// Where, from `from`, the bytes before `to` may first hold a break's first byte: none begins
// in [from, the place given).
std::size_t ScanForBreak(std::string_view text, std::size_t from, std::size_t to, bool utf8);
// Where, back from `to`, the bytes from `from` on may last hold a break's last byte: none ends
// in [the place given, to). With `mark` (a byte, or -1 for none), also the lowest place in
// that stretch from which `mark` may lie there (npos when it lies nowhere there).
struct BreakBackScan {
    std::size_t stopped = 0;
    std::size_t marked = std::string_view::npos;
};
BreakBackScan ScanBackForBreak(std::string_view text, std::size_t from, std::size_t to, bool utf8,
                               int mark);

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
