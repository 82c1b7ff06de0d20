// SPDX-License-Identifier: GPL-3.0-or-later
// A needle of 2 to 16 bytes is matched exactly at every place of a block at once, one compare
// per needle byte, and the matches are counted from the block's mask without a branch that
// depends on the text: a branch per match costs more than the compares (5.5 million matches
// in a gigabyte of short notes).
#include "core/exact_count.h"

#include <cstdint>

#include "core/vector_isa.h"

namespace lintrel {

#if defined(__SSE2__)

namespace {

// Whether two occurrences of `needle` can overlap: a start of it is also an end of it.
bool CanOverlap(std::string_view needle) {
    for (std::size_t b = 1; b < needle.size(); ++b) {
        if (needle.substr(0, b) == needle.substr(needle.size() - b)) {
            return true;
        }
    }
    return false;
}

// Counts the matches in `mask` (a bit for each of up to 64 places from `i` on) that start at
// or after
// `end`, which moves past the last one counted. Matches of a needle that cannot overlap
// itself are all counted; two or more in a block of one that can are taken one by one. The
// callers keep `end` in a local: through a reference it would be stored and loaded again in
// every block, a chain that costs more than the block's compares.
inline std::size_t CountMatches(std::uint64_t mask, std::size_t i, std::size_t n, bool overlap,
                                std::size_t& end) {
    // Only a match that ran into this block from the one before is passed here.
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

// The places of the 16 from `p` where the needle of `n` bytes (each spread in `bytes`) starts.
inline std::uint64_t ExactMask16(const char* p, const __m128i* bytes, std::size_t n) {
    __m128i all = _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)), bytes[0]);
    for (std::size_t j = 1; j < n; ++j) {
        all = _mm_and_si128(
            all,
            _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + j)), bytes[j]));
    }
    return static_cast<std::uint16_t>(_mm_movemask_epi8(all));
}

// Counts the exact matches from `i` on for as long as a whole round of blocks fits; `i` and
// `end` receive where the blocks and the matches stopped.
std::size_t CountExact16(std::string_view text, std::string_view needle, bool overlap,
                         std::size_t& i, std::size_t& end) {
    const char* p = text.data();
    const std::size_t n = needle.size();
    __m128i bytes[kExactNeedle];
    for (std::size_t j = 0; j < n; ++j) {
        bytes[j] = _mm_set1_epi8(needle[j]);
    }
    std::size_t count = 0;
    std::size_t at = i;
    std::size_t stop = end;
    // Four blocks a round, so that the matches of 64 places are counted at once.
    for (; at + 64 + n - 1 <= text.size(); at += 64) {
        const std::uint64_t mask =
            ExactMask16(p + at, bytes, n) | ExactMask16(p + at + 16, bytes, n) << 16 |
            ExactMask16(p + at + 32, bytes, n) << 32 | ExactMask16(p + at + 48, bytes, n) << 48;
        count += CountMatches(mask, at, n, overlap, stop);
    }
    i = at;
    end = stop;
    return count;
}

#ifdef LINTREL_HAVE_AVX2
// The places of the 32 from `p` where the needle of `n` bytes (each spread in `bytes`) starts.
__attribute__((target("avx2"))) inline std::uint32_t ExactMask32(const char* p,
                                                                 const __m256i* bytes,
                                                                 std::size_t n) {
    __m256i all =
        _mm256_cmpeq_epi8(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(p)), bytes[0]);
    for (std::size_t j = 1; j < n; ++j) {
        all = _mm256_and_si256(
            all, _mm256_cmpeq_epi8(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + j)),
                                   bytes[j]));
    }
    return static_cast<std::uint32_t>(_mm256_movemask_epi8(all));
}

__attribute__((target("avx2,popcnt"))) std::size_t CountExact32(std::string_view text,
                                                                std::string_view needle,
                                                                bool overlap, std::size_t& i,
                                                                std::size_t& end) {
    const char* p = text.data();
    const std::size_t n = needle.size();
    __m256i bytes[kExactNeedle];
    for (std::size_t j = 0; j < n; ++j) {
        bytes[j] = _mm256_set1_epi8(needle[j]);
    }
    std::size_t count = 0;
    std::size_t at = i;
    std::size_t stop = end;
    // Two blocks a round, so that the matches of 64 places are counted at once.
    for (; at + 64 + n - 1 <= text.size(); at += 64) {
        const std::uint64_t mask =
            ExactMask32(p + at, bytes, n) | std::uint64_t{ExactMask32(p + at + 32, bytes, n)} << 32;
        count += CountMatches(mask, at, n, overlap, stop);
    }
    i = at;
    end = stop;
    return count + CountExact16(text, needle, overlap, i, end);
}
#endif

}  // namespace

ExactCount CountExact(std::string_view text, std::string_view needle, std::size_t from,
                      std::size_t end) {
    const bool overlap = CanOverlap(needle);
    std::size_t i = from;
#ifdef LINTREL_HAVE_AVX2
    if (kAvx2) {
        const std::size_t count = CountExact32(text, needle, overlap, i, end);
        return {count, i, end};
    }
#endif
    const std::size_t count = CountExact16(text, needle, overlap, i, end);
    return {count, i, end};
}

#endif

}  // namespace lintrel
