// SPDX-License-Identifier: GPL-3.0-or-later
// The byte scans 32 bytes at a time. This file alone is built for AVX2 (see CMakeLists.txt),
// and its kernels are handed out only where the processor has it: on a 128 KiB piece in the
// cache, as the loader reads a file, bench/scan_bench measures them 2 to 4 times as fast as
// the 16-byte ones.
#include "core/scan_kernels.h"

namespace lintrel {

const ScanSet* Avx2Scans() {
#if defined(__AVX2__)
    static const bool has = __builtin_cpu_supports("avx2") && __builtin_cpu_supports("popcnt");
    return has ? &kScans<Vec32> : nullptr;
#else
    return nullptr;
#endif
}

}  // namespace lintrel
