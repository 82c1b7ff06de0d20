// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/byte_scan.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "core/exact_count.h"
#include "core/vector_isa.h"

namespace lintrel {

namespace {

// Counts by one search after another from `from`; `end` as CountBytes.
std::size_t CountByFinding(std::string_view text, std::size_t from, std::string_view needle,
                           std::size_t& end) {
    std::size_t count = 0;
    for (std::size_t at = FindBytes(text, from, needle); at != std::string_view::npos;
         at = FindBytes(text, from, needle)) {
        ++count;
        from = at + needle.size();
        end = from;
    }
    return count;
}

}  // namespace

#if defined(__SSE2__)

namespace {

// The scans on 16 bytes at a time, which every x86-64 processor has.
std::size_t CountByte16(const char* p, std::size_t n, char byte) {
    const __m128i needle = _mm_set1_epi8(byte);
    std::size_t total = 0;
    std::size_t i = 0;
    while (n - i >= 16) {
        // Each lane counts up to 255 hits before the lanes are summed.
        const std::size_t blocks = std::min<std::size_t>((n - i) / 16, 255);
        __m128i lanes = _mm_setzero_si128();
        for (std::size_t b = 0; b < blocks; ++b, i += 16) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
            lanes = _mm_sub_epi8(lanes, _mm_cmpeq_epi8(v, needle));
        }
        const __m128i sums = _mm_sad_epu8(lanes, _mm_setzero_si128());
        total += static_cast<std::size_t>(_mm_cvtsi128_si32(sums)) +
                 static_cast<std::size_t>(_mm_extract_epi16(sums, 4));
    }
    return total + static_cast<std::size_t>(std::count(p + i, p + n, byte));
}

// Lone CRs among the first `end` places of `p`, each of which has a byte after it.
std::size_t LoneCrBlocks16(const char* p, std::size_t end) {
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    std::size_t i = 0;
    for (; i + 16 <= end; i += 16) {
        const __m128i here = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
        const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i + 1));
        const __m128i lone = _mm_andnot_si128(_mm_cmpeq_epi8(next, lf), _mm_cmpeq_epi8(here, cr));
        if (_mm_movemask_epi8(lone) != 0) {
            return std::string_view::npos;
        }
    }
    return i;
}

#ifdef LINTREL_HAVE_AVX2

// The same on 32 bytes at a time, where the processor has AVX2.
__attribute__((target("avx2"))) std::size_t CountByte32(const char* p, std::size_t n, char byte) {
    const __m256i needle = _mm256_set1_epi8(byte);
    std::size_t total = 0;
    std::size_t i = 0;
    while (n - i >= 32) {
        const std::size_t blocks = std::min<std::size_t>((n - i) / 32, 255);
        __m256i lanes = _mm256_setzero_si256();
        for (std::size_t b = 0; b < blocks; ++b, i += 32) {
            const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + i));
            lanes = _mm256_sub_epi8(lanes, _mm256_cmpeq_epi8(v, needle));
        }
        const __m256i sums = _mm256_sad_epu8(lanes, _mm256_setzero_si256());
        total += static_cast<std::size_t>(_mm256_extract_epi64(sums, 0)) +
                 static_cast<std::size_t>(_mm256_extract_epi64(sums, 1)) +
                 static_cast<std::size_t>(_mm256_extract_epi64(sums, 2)) +
                 static_cast<std::size_t>(_mm256_extract_epi64(sums, 3));
    }
    return total + CountByte16(p + i, n - i, byte);
}

__attribute__((target("avx2"))) std::size_t LoneCrBlocks32(const char* p, std::size_t end) {
    const __m256i cr = _mm256_set1_epi8('\r');
    const __m256i lf = _mm256_set1_epi8('\n');
    std::size_t i = 0;
    for (; i + 64 <= end; i += 64) {
        const __m256i a = _mm256_andnot_si256(
            _mm256_cmpeq_epi8(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + i + 1)), lf),
            _mm256_cmpeq_epi8(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + i)), cr));
        const __m256i b = _mm256_andnot_si256(
            _mm256_cmpeq_epi8(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + i + 33)), lf),
            _mm256_cmpeq_epi8(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + i + 32)),
                              cr));
        if (!_mm256_testz_si256(_mm256_or_si256(a, b), _mm256_or_si256(a, b))) {
            return std::string_view::npos;
        }
    }
    const std::size_t rest = LoneCrBlocks16(p + i, end - i);
    return rest == std::string_view::npos ? rest : i + rest;
}

#endif

}  // namespace

std::size_t CountByte(std::string_view bytes, char byte) {
#ifdef LINTREL_HAVE_AVX2
    if (kAvx2) {
        return CountByte32(bytes.data(), bytes.size(), byte);
    }
#endif
    return CountByte16(bytes.data(), bytes.size(), byte);
}

bool HasLoneCr(std::string_view bytes) {
    const char* p = bytes.data();
    const std::size_t n = bytes.size();
    if (n < 2) {
        return false;
    }
    // Every place but the last has a byte after it.
#ifdef LINTREL_HAVE_AVX2
    std::size_t i = kAvx2 ? LoneCrBlocks32(p, n - 1) : LoneCrBlocks16(p, n - 1);
#else
    std::size_t i = LoneCrBlocks16(p, n - 1);
#endif
    if (i == std::string_view::npos) {
        return true;
    }
    for (; i + 1 < n; ++i) {
        if (p[i] == '\r' && p[i + 1] != '\n') {
            return true;
        }
    }
    return false;
}

namespace {

// The needle length from which a search takes the system's memmem, whose two-way search is
// linear whatever the needle; shorter needles keep the vector probe, whose worst case grows
// with the needle's length.
constexpr std::size_t kLongNeedle = 32;

std::size_t FindLong(std::string_view text, std::size_t from, std::string_view needle) {
    if (from >= text.size()) {
        return std::string_view::npos;
    }
    const void* hit =
        ::memmem(text.data() + from, text.size() - from, needle.data(), needle.size());
    return hit == nullptr ? std::string_view::npos
                          : static_cast<std::size_t>(static_cast<const char*>(hit) - text.data());
}

// The byte of `needle`, other than its first, that candidates are also checked against: the
// last one that is not a line break or a space, as those are common in note files.
std::size_t SecondProbe(std::string_view needle) {
    for (std::size_t k = needle.size() - 1; k > 0; --k) {
        if (needle[k] != '\r' && needle[k] != '\n' && needle[k] != ' ') {
            return k;
        }
    }
    return needle.size() - 1;
}

// The needle of a count, and its check of the candidates a vector probe finds. A needle of up
// to 16 bytes is held padded, with the mask of its bytes, so that a candidate is checked with
// one vector compare instead of a call.
struct ProbedNeedle {
    explicit ProbedNeedle(std::string_view n) : needle(n) {
        char padded[16] = {};
        std::memcpy(padded, needle.data(), std::min<std::size_t>(needle.size(), 16));
        bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(padded));
        mask = needle.size() >= 16 ? 0xFFFFu : (1u << needle.size()) - 1;
    }
    // Whether the needle stands at `p`, of which 16 bytes may be read.
    bool At(const char* p) const {
        if (needle.size() > 16) {
            return std::memcmp(p, needle.data(), needle.size()) == 0;
        }
        const __m128i here = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const auto equal = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(here, bytes)));
        return (equal & mask) == mask;
    }
    // Counts the matches among the candidates `candidates` (a bit for each place from `i` on)
    // that start at or after `end`, which moves past each one counted.
    std::size_t Count(const char* p, std::size_t i, unsigned candidates, std::size_t& end) const {
        std::size_t count = 0;
        while (candidates != 0) {
            const std::size_t at = i + static_cast<std::size_t>(__builtin_ctz(candidates));
            candidates &= candidates - 1;
            if (at >= end && At(p + at)) {
                ++count;
                end = at + needle.size();
            }
        }
        return count;
    }

    std::string_view needle;
    __m128i bytes;
    unsigned mask;
};

// Counts the matches whose first and `k`-th bytes the vector probe finds, from `i` on, for as
// long as a whole block fits; `i` and `end` receive where the probe and the matches stopped.
std::size_t CountProbed16(std::string_view text, std::string_view needle, std::size_t k,
                          std::size_t& i, std::size_t& end) {
    const char* p = text.data();
    const std::size_t n = needle.size();
    const __m128i first = _mm_set1_epi8(needle[0]);
    const __m128i other = _mm_set1_epi8(needle[k]);
    const ProbedNeedle whole(needle);
    // Every candidate of a block has 16 bytes to compare within the text.
    const std::size_t reach = std::max<std::size_t>(n - 1, 15);
    std::size_t count = 0;
    for (; i + reach + 16 <= text.size() && i + k + 16 <= text.size(); i += 16) {
        const __m128i a =
            _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i)), first);
        const __m128i b =
            _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i + k)), other);
        count +=
            whole.Count(p, i, static_cast<unsigned>(_mm_movemask_epi8(_mm_and_si128(a, b))), end);
    }
    return count;
}

#ifdef LINTREL_HAVE_AVX2
__attribute__((target("avx2"))) std::size_t CountProbed32(std::string_view text,
                                                          std::string_view needle, std::size_t k,
                                                          std::size_t& i, std::size_t& end) {
    const char* p = text.data();
    const std::size_t n = needle.size();
    const __m256i first = _mm256_set1_epi8(needle[0]);
    const __m256i other = _mm256_set1_epi8(needle[k]);
    const ProbedNeedle whole(needle);
    const std::size_t reach = std::max<std::size_t>(n - 1, 15);
    std::size_t count = 0;
    for (; i + reach + 32 <= text.size() && i + k + 32 <= text.size(); i += 32) {
        const __m256i a =
            _mm256_cmpeq_epi8(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + i)), first);
        const __m256i b = _mm256_cmpeq_epi8(
            _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + i + k)), other);
        count += whole.Count(
            p, i, static_cast<unsigned>(_mm256_movemask_epi8(_mm256_and_si256(a, b))), end);
    }
    return count + CountProbed16(text, needle, k, i, end);
}
#endif

}  // namespace

namespace {

std::size_t CountFrom(std::string_view text, std::size_t from, std::string_view needle,
                      std::size_t& end) {
    if (needle.size() == 1 || needle.size() > kLongNeedle) {
        return CountByFinding(text, from, needle, end);
    }
    std::size_t i = from;
    if (needle.size() <= kExactNeedle) {
        const ExactCount exact = CountExact(text, needle, i, end);
        end = exact.end;
        return exact.count + CountByFinding(text, std::max(exact.stopped, end), needle, end);
    }
    // Longer needles: many places at a time, as FindBytes, counting every match in one pass
    // rather than starting a search for each.
    const std::size_t k = SecondProbe(needle);
#ifdef LINTREL_HAVE_AVX2
    std::size_t count =
        kAvx2 ? CountProbed32(text, needle, k, i, end) : CountProbed16(text, needle, k, i, end);
#else
    std::size_t count = CountProbed16(text, needle, k, i, end);
#endif
    return count + CountByFinding(text, std::max(i, end), needle, end);
}

}  // namespace

ByteCount CountBytes(std::string_view text, std::size_t from, std::string_view needle) {
    std::size_t end = from;
    const std::size_t count = CountFrom(text, from, needle, end);
    return {count, end};
}

std::size_t FindBytes(std::string_view text, std::size_t from, std::string_view needle) {
    const std::size_t n = needle.size();
    if (n > kLongNeedle) {
        return FindLong(text, from, needle);
    }
    if (n == 1) {
        const void* hit = std::memchr(text.data() + from, needle[0], text.size() - from);
        return hit == nullptr
                   ? std::string_view::npos
                   : static_cast<std::size_t>(static_cast<const char*>(hit) - text.data());
    }
    // Sixteen places at a time, candidates are where the first byte and one other byte match.
    const char* p = text.data();
    const std::size_t k = SecondProbe(needle);
    const __m128i first = _mm_set1_epi8(needle[0]);
    const __m128i other = _mm_set1_epi8(needle[k]);
    std::size_t i = from;
    for (; i + n - 1 + 16 <= text.size() && i + k + 16 <= text.size(); i += 16) {
        const __m128i a =
            _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i)), first);
        const __m128i b =
            _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i + k)), other);
        auto mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_and_si128(a, b)));
        while (mask != 0) {
            const auto bit = static_cast<std::size_t>(__builtin_ctz(mask));
            if (std::memcmp(p + i + bit + 1, needle.data() + 1, n - 1) == 0) {
                return i + bit;
            }
            mask &= mask - 1;
        }
    }
    const std::size_t rest = text.substr(i).find(needle);
    return rest == std::string_view::npos ? rest : i + rest;
}

#else

std::size_t FindBytes(std::string_view text, std::size_t from, std::string_view needle) {
    return text.find(needle, from);
}

ByteCount CountBytes(std::string_view text, std::size_t from, std::string_view needle) {
    std::size_t end = from;
    const std::size_t count = CountByFinding(text, from, needle, end);
    return {count, end};
}

std::size_t CountByte(std::string_view bytes, char byte) {
    return static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), byte));
}

bool HasLoneCr(std::string_view bytes) {
    for (std::size_t i = 0; i + 1 < bytes.size(); ++i) {
        if (bytes[i] == '\r' && bytes[i + 1] != '\n') {
            return true;
        }
    }
    return false;
}

#endif

}  // namespace lintrel
