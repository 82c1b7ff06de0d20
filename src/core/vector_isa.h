// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The vector instructions of the byte scans. Each scan has a 16-byte form, which every
// x86-64 processor has, and a 32-byte form where the processor has AVX2: on a 128 KiB piece
// in the cache, as the loader reads a file, bench/scan_bench measures them 2 to 3 times as
// fast as the 16-byte forms (counting CRs, finding a lone CR, counting a separator).
// LINTREL_NO_AVX2 builds the 16-byte scans alone, for that comparison and their tests.
#if defined(__SSE2__)
#include <emmintrin.h>
#if defined(__GNUC__) && defined(__x86_64__) && !defined(LINTREL_NO_AVX2)
#include <immintrin.h>
#define LINTREL_HAVE_AVX2 1

namespace lintrel {
inline const bool kAvx2 = __builtin_cpu_supports("avx2");
}  // namespace lintrel
#endif
#endif
