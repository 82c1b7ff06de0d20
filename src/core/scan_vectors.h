// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The vector widths the byte scans of scan_kernels.h are written over: `Vec16` (SSE2) and,
// in a file built for it, `Vec32` (AVX2). Internal linkage, as the kernels have.

#include <cstddef>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__AVX2__)
#include <immintrin.h>
#endif

namespace lintrel {

#if defined(__SSE2__)

namespace {

// 16 bytes at a time.
struct Vec16 {
    using V = __m128i;
    static constexpr std::size_t kWidth = 16;
    static V Load(const char* p) { return _mm_loadu_si128(reinterpret_cast<const V*>(p)); }
    static V Splat(char c) { return _mm_set1_epi8(c); }
    static V Zero() { return _mm_setzero_si128(); }
    static V Equal(V a, V b) { return _mm_cmpeq_epi8(a, b); }
    static V And(V a, V b) { return _mm_and_si128(a, b); }
    static V AndNot(V a, V b) { return _mm_andnot_si128(a, b); }
    static V Or(V a, V b) { return _mm_or_si128(a, b); }
    static V Sub(V a, V b) { return _mm_sub_epi8(a, b); }
    static V Greater(V a, V b) { return _mm_cmpgt_epi8(a, b); }
    static void Store(char* p, V a) { _mm_storeu_si128(reinterpret_cast<V*>(p), a); }
    static std::uint64_t Mask(V a) { return static_cast<std::uint16_t>(_mm_movemask_epi8(a)); }
    // The sum of the unsigned bytes of `a`.
    static std::size_t SumBytes(V a) {
        const V sums = _mm_sad_epu8(a, Zero());
        return static_cast<std::size_t>(_mm_cvtsi128_si32(sums)) +
               static_cast<std::size_t>(_mm_extract_epi16(sums, 4));
    }
};

#if defined(__AVX2__)
// 32 bytes at a time.
struct Vec32 {
    using V = __m256i;
    static constexpr std::size_t kWidth = 32;
    static V Load(const char* p) { return _mm256_loadu_si256(reinterpret_cast<const V*>(p)); }
    static V Splat(char c) { return _mm256_set1_epi8(c); }
    static V Zero() { return _mm256_setzero_si256(); }
    static V Equal(V a, V b) { return _mm256_cmpeq_epi8(a, b); }
    static V And(V a, V b) { return _mm256_and_si256(a, b); }
    static V AndNot(V a, V b) { return _mm256_andnot_si256(a, b); }
    static V Or(V a, V b) { return _mm256_or_si256(a, b); }
    static V Sub(V a, V b) { return _mm256_sub_epi8(a, b); }
    static V Greater(V a, V b) { return _mm256_cmpgt_epi8(a, b); }
    static void Store(char* p, V a) { _mm256_storeu_si256(reinterpret_cast<V*>(p), a); }
    static std::uint64_t Mask(V a) { return static_cast<std::uint32_t>(_mm256_movemask_epi8(a)); }
    static std::size_t SumBytes(V a) {
        const V sums = _mm256_sad_epu8(a, Zero());
        return static_cast<std::size_t>(_mm256_extract_epi64(sums, 0)) +
               static_cast<std::size_t>(_mm256_extract_epi64(sums, 1)) +
               static_cast<std::size_t>(_mm256_extract_epi64(sums, 2)) +
               static_cast<std::size_t>(_mm256_extract_epi64(sums, 3));
    }
};
#endif

// Places are taken 64 at a time: the blocks of a round fill one 64-bit mask.
template <class W>
constexpr std::size_t kBlocksPerRound = 64 / W::kWidth;

}  // namespace

#endif

}  // namespace lintrel
