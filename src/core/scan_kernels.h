// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The byte scans' loops, written once over a vector width: `Vec16` (SSE2, which every x86-64
// processor has) and `Vec32` (AVX2, in a file built for it alone). Included by byte_scan.cpp
// and scan_kernels_avx2.cpp only; each instantiates the kernels for its width and hands them
// out as a ScanSet. The kernels have internal linkage, so that the copies built with AVX2 are
// never taken for the others.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "core/byte_scan.h"
#include "core/scan_vectors.h"

namespace lintrel {

// What a kernel found in the whole blocks it scanned: how many matches, where the blocks
// stopped (the rest of the text is the caller's), and the byte after the last match counted
// (the `end` it was given when there is none). A find's `found` is its first match, or npos.
struct BlockScan {
    std::size_t count = 0;
    std::size_t stopped = 0;
    std::size_t end = 0;
    std::size_t found = std::string_view::npos;
};

// The kernels of one vector width; byte_scan.cpp does the rest of the text and the choice of
// strategy.
struct ScanSet {
    unsigned width = 0;
    // How many of the first `n` bytes from `p` equal `byte`.
    BlockScan (*countByte)(const char* p, std::size_t n, char byte);
    // How many places of the first `end` from `p` were found free of a lone CR (a CR whose
    // next byte, which exists for each of them, is not LF), or npos at one.
    std::size_t (*loneCrFree)(const char* p, std::size_t end);
    // The exact matches of a needle of 2 to 16 bytes from `from` on that start at or after
    // `end`, scanning left to right with matches consumed.
    BlockScan (*countExact)(std::string_view text, std::string_view needle, std::size_t from,
                            std::size_t end);
    // The same for any needle of two or more bytes, with candidates found by its first byte and
    // the byte at `probe`, then compared whole.
    BlockScan (*countProbed)(std::string_view text, std::string_view needle, std::size_t probe,
                             std::size_t from, std::size_t end);
    // The first match from `from` on, found by the same probe.
    BlockScan (*findProbed)(std::string_view text, std::string_view needle, std::size_t probe,
                            std::size_t from);
    // Copies the first `n` bytes from `p` to `out` with A to Z lowered, up to the block that
    // holds the first byte that is not ASCII (`found`, or npos).
    BlockScan (*lowerAscii)(const char* p, std::size_t n, char* out);
    // The line-break scans of ScanForBreak and ScanBackForBreak, over whole rounds of 64.
    BlockScan (*breakFreeForward)(std::string_view text, std::size_t from, std::size_t to,
                                  bool utf8);
    BlockScan (*breakFreeBack)(std::string_view text, std::size_t from, std::size_t to, bool utf8,
                               int mark);
};

// The AVX2 kernels, when this is an x86-64 processor with AVX2 (and they were built); else
// null, and the 16-byte kernels serve.
const ScanSet* Avx2Scans();

#if defined(__SSE2__)

namespace {

template <class W>
BlockScan CountByteBlocks(const char* p, std::size_t n, char byte) {
    const typename W::V needle = W::Splat(byte);
    std::size_t total = 0;
    std::size_t i = 0;
    while (n - i >= W::kWidth) {
        // Each lane counts up to 255 hits before the lanes are summed.
        const std::size_t blocks = std::min<std::size_t>((n - i) / W::kWidth, 255);
        typename W::V lanes = W::Zero();
        for (std::size_t b = 0; b < blocks; ++b, i += W::kWidth) {
            lanes = W::Sub(lanes, W::Equal(W::Load(p + i), needle));
        }
        total += W::SumBytes(lanes);
    }
    return {.count = total, .stopped = i};
}

template <class W>
std::size_t LoneCrFree(const char* p, std::size_t end) {
    const typename W::V cr = W::Splat('\r');
    const typename W::V lf = W::Splat('\n');
    std::size_t i = 0;
    for (; i + 64 <= end; i += 64) {
        typename W::V lone = W::Zero();
#pragma GCC unroll 4
        for (std::size_t b = 0; b < 64; b += W::kWidth) {
            lone = W::Or(lone, W::AndNot(W::Equal(W::Load(p + i + b + 1), lf),
                                         W::Equal(W::Load(p + i + b), cr)));
        }
        if (W::Mask(lone) != 0) {
            return std::string_view::npos;
        }
    }
    return i;
}

// Whether two occurrences of `needle` can overlap: a start of it is also an end of it.
inline bool CanOverlap(std::string_view needle) {
    for (std::size_t b = 1; b < needle.size(); ++b) {
        if (needle.substr(0, b) == needle.substr(needle.size() - b)) {
            return true;
        }
    }
    return false;
}

// Counts the matches in `mask` (a bit for each of 64 places from `i` on) that start at or
// after `end`, which moves past the last one counted. Matches of a needle that cannot overlap
// itself are all counted without a branch that depends on the text (a branch per match costs
// more than the compares: 5.5 million matches in a gigabyte of short notes); two or more in a
// round of one that can are taken one by one. The callers keep `end` in a local: through a
// reference it would be stored and loaded again in every round.
inline std::size_t CountMatches(std::uint64_t mask, std::size_t i, std::size_t n, bool overlap,
                                std::size_t& end) {
    // Only a match that ran into this round from the one before is passed here.
    if (end > i) [[unlikely]] {
        mask &= ~std::uint64_t{0} << (end - i);
    }
    const auto found = static_cast<std::size_t>(__builtin_popcountll(mask));
    if (overlap && found > 1) [[unlikely]] {
        std::size_t count = 0;
        for (; mask != 0; mask &= mask - 1) {
            const std::size_t at = i + static_cast<std::size_t>(__builtin_ctzll(mask));
            if (at >= end) {
                ++count;
                end = at + n;
            }
        }
        return count;
    }
    // Past the last match, if there is one, chosen by a mask: a branch here would be
    // mispredicted at every other match.
    const std::size_t past = i + 63 - static_cast<std::size_t>(__builtin_clzll(mask | 1)) + n;
    const std::size_t none = static_cast<std::size_t>(mask != 0) - 1;
    end = (past & ~none) | (end & none);
    return found;
}

// The 64 places from `p` where the needle of `n` bytes (each spread in `bytes`) starts: the
// needle is compared at every place of a block at once, one compare per needle byte.
template <class W>
std::uint64_t ExactRound(const char* p, const typename W::V* bytes, std::size_t n) {
    std::uint64_t mask = 0;
#pragma GCC unroll 4
    for (std::size_t b = 0; b < kBlocksPerRound<W>; ++b) {
        const char* block = p + b * W::kWidth;
        typename W::V all = W::Equal(W::Load(block), bytes[0]);
        for (std::size_t j = 1; j < n; ++j) {
            all = W::And(all, W::Equal(W::Load(block + j), bytes[j]));
        }
        mask |= W::Mask(all) << (b * W::kWidth);
    }
    return mask;
}

template <class W>
BlockScan CountExact(std::string_view text, std::string_view needle, std::size_t from,
                     std::size_t end) {
    const std::size_t n = needle.size();
    const bool overlap = CanOverlap(needle);
    typename W::V bytes[16];
    for (std::size_t j = 0; j < n; ++j) {
        bytes[j] = W::Splat(needle[j]);
    }
    std::size_t count = 0;
    std::size_t i = from;
    for (; i + 64 + n - 1 <= text.size(); i += 64) {
        count += CountMatches(ExactRound<W>(text.data() + i, bytes, n), i, n, overlap, end);
    }
    return {.count = count, .stopped = i, .end = end};
}

// The vector probe: for each block of places from `from` on, `take(i, candidates)` with a bit
// for each place from `i` where the needle's first byte and its byte at `probe` match, until it
// returns true. Returns where the blocks stopped: at the block taken last, or where a block's
// candidates could no longer be compared whole within the text.
template <class W, class Take>
std::size_t Probe(std::string_view text, std::string_view needle, std::size_t probe,
                  std::size_t from, Take take) {
    const char* p = text.data();
    const typename W::V first = W::Splat(needle[0]);
    const typename W::V other = W::Splat(needle[probe]);
    // Every candidate of a block can be compared whole within the text.
    const std::size_t reach = needle.size() - 1;  // `probe` lies within it
    std::size_t i = from;
    for (; i + reach + W::kWidth <= text.size(); i += W::kWidth) {
        const std::uint64_t candidates = W::Mask(
            W::And(W::Equal(W::Load(p + i), first), W::Equal(W::Load(p + i + probe), other)));
        if (candidates != 0 && take(i, candidates)) {
            break;
        }
    }
    return i;
}

template <class W>
BlockScan CountProbed(std::string_view text, std::string_view needle, std::size_t probe,
                      std::size_t from, std::size_t end) {
    std::size_t count = 0;
    std::size_t stop = end;
    const std::size_t i =
        Probe<W>(text, needle, probe, from, [&](std::size_t at, std::uint64_t candidates) {
            for (; candidates != 0; candidates &= candidates - 1) {
                const std::size_t place =
                    at + static_cast<std::size_t>(__builtin_ctzll(candidates));
                if (place >= stop &&
                    std::memcmp(text.data() + place, needle.data(), needle.size()) == 0) {
                    ++count;
                    stop = place + needle.size();
                }
            }
            return false;
        });
    return {.count = count, .stopped = i, .end = stop};
}

template <class W>
BlockScan FindProbed(std::string_view text, std::string_view needle, std::size_t probe,
                     std::size_t from) {
    std::size_t found = std::string_view::npos;
    const std::size_t i =
        Probe<W>(text, needle, probe, from, [&](std::size_t at, std::uint64_t candidates) {
            for (; candidates != 0; candidates &= candidates - 1) {
                const std::size_t place =
                    at + static_cast<std::size_t>(__builtin_ctzll(candidates));
                if (std::memcmp(text.data() + place, needle.data(), needle.size()) == 0) {
                    found = place;
                    return true;
                }
            }
            return false;
        });
    return {.stopped = i, .found = found};
}

template <class W>
BlockScan LowerAscii(const char* p, std::size_t n, char* out) {
    // Signed compares: bytes from 0x80 on are below every letter.
    const typename W::V beforeA = W::Splat('A' - 1);
    const typename W::V afterZ = W::Splat('Z' + 1);
    const typename W::V caseBit = W::Splat(0x20);
    std::size_t i = 0;
    for (; i + W::kWidth <= n; i += W::kWidth) {
        const typename W::V v = W::Load(p + i);
        if (W::Mask(v) != 0) {
            return {.stopped = i, .found = i};
        }
        const typename W::V upper = W::And(W::Greater(v, beforeA), W::Greater(afterZ, v));
        W::Store(out + i, W::Or(v, W::And(upper, caseBit)));
    }
    return {.stopped = i};
}

// The places of a vector where a paragraph separator's three bytes are in `a`, `b`, `c`:
// U+2029 (E2 80 A9), and U+FDD0 and U+FDD1 (EF B7 90, EF B7 91), which a text box takes for
// one.
template <class W>
typename W::V Separators(typename W::V a, typename W::V b, typename W::V c) {
    const typename W::V paragraph =
        W::And(W::Equal(a, W::Splat('\xE2')),
               W::And(W::Equal(b, W::Splat('\x80')), W::Equal(c, W::Splat('\xA9'))));
    const typename W::V frame = W::And(
        W::Equal(a, W::Splat('\xEF')),
        W::And(W::Equal(b, W::Splat('\xB7')), W::Equal(W::Or(c, W::Splat(1)), W::Splat('\x91'))));
    return W::Or(paragraph, frame);
}

template <class W>
typename W::V CrOrLf(typename W::V v) {
    return W::Or(W::Equal(v, W::Splat('\r')), W::Equal(v, W::Splat('\n')));
}

// Rounds of 64 bytes from `from` on, up to `to`, free of the first byte of a line break. The
// rounds are first looked at for CR, LF and a separator's first byte alone, and for whole
// separators only where one is, so that text without those bytes reads as fast as ASCII.
template <class W>
BlockScan BreakFreeForward(std::string_view text, std::size_t from, std::size_t to, bool utf8) {
    const char* p = text.data();
    // A separator's last bytes may lie past `to`: the loads stay within the text.
    for (; from + 64 <= to && from + 66 <= text.size(); from += 64) {
        typename W::V any = W::Zero();
#pragma GCC unroll 4
        for (std::size_t b = 0; b < 64; b += W::kWidth) {
            const typename W::V a = W::Load(p + from + b);
            any = W::Or(any, CrOrLf<W>(a));
            if (utf8) {
                any =
                    W::Or(any, W::Or(W::Equal(a, W::Splat('\xE2')), W::Equal(a, W::Splat('\xEF'))));
            }
        }
        if (W::Mask(any) == 0) {
            continue;
        }
        for (std::size_t b = 0; b < 64; b += W::kWidth) {
            const char* q = p + from + b;
            const typename W::V a = W::Load(q);
            if (W::Mask(CrOrLf<W>(a)) != 0 ||
                (utf8 && W::Mask(Separators<W>(a, W::Load(q + 1), W::Load(q + 2))) != 0)) {
                return {.stopped = from};
            }
        }
    }
    return {.stopped = from};
}

// Rounds of 64 bytes back from `to`, down to `from`, in which no line break ends (`stopped`:
// the rounds' start), and the start of the lowest of them that holds byte `mark` (`found`;
// npos for none, or when `mark` is -1). The rounds are first looked at for CR, LF and a
// separator's last two bytes together: its last byte alone is common in CJK text.
template <class W>
BlockScan BreakFreeBack(std::string_view text, std::size_t from, std::size_t to, bool utf8,
                        int mark) {
    const char* p = text.data();
    const typename W::V marked = W::Splat(static_cast<char>(mark));
    std::size_t found = std::string_view::npos;
    // A separator ending in a round starts up to two bytes below it.
    for (; to >= from + 64 && to >= 66; to -= 64) {
        typename W::V any = W::Zero();
        typename W::V marks = W::Zero();
#pragma GCC unroll 4
        for (std::size_t b = 0; b < 64; b += W::kWidth) {
            const typename W::V c = W::Load(p + to - 64 + b);
            any = W::Or(any, CrOrLf<W>(c));
            if (utf8) {
                const typename W::V m = W::Load(p + to - 64 + b - 1);
                any = W::Or(
                    any, W::Or(W::And(W::Equal(c, W::Splat('\xA9')), W::Equal(m, W::Splat('\x80'))),
                               W::And(W::Equal(W::Or(c, W::Splat(1)), W::Splat('\x91')),
                                      W::Equal(m, W::Splat('\xB7')))));
            }
            if (mark >= 0) {
                marks = W::Or(marks, W::Equal(c, marked));
            }
        }
        if (W::Mask(any) != 0) {
            for (std::size_t b = 0; b < 64; b += W::kWidth) {
                const char* q = p + to - 64 + b;
                const typename W::V c = W::Load(q);
                if (W::Mask(CrOrLf<W>(c)) != 0 ||
                    (utf8 && W::Mask(Separators<W>(W::Load(q - 2), W::Load(q - 1), c)) != 0)) {
                    return {.stopped = to, .found = found};
                }
            }
        }
        if (mark >= 0 && W::Mask(marks) != 0) {
            found = to - 64;
        }
    }
    return {.stopped = to, .found = found};
}

template <class W>
constexpr ScanSet kScans{W::kWidth,     CountByteBlocks<W>,  LoneCrFree<W>,
                         CountExact<W>, CountProbed<W>,      FindProbed<W>,
                         LowerAscii<W>, BreakFreeForward<W>, BreakFreeBack<W>};

}  // namespace

#endif

}  // namespace lintrel
