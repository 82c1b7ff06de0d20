// SPDX-License-Identifier: GPL-3.0-or-later
// The byte scans of note cutting on one 128 KiB piece of short CR LF lines, as the loader
// reads a file, so that the piece stays in the cache:
// counting CRs, looking for lone CRs, and counting a separator, rare or frequent. Each at
// every vector width the processor has (the argument, in bytes), so that bench/compare.sh
// shows what the wider scans gain.
#include <benchmark/benchmark.h>

#include <string>

#include "core/byte_scan.h"

namespace {

// Lines with a "##" line after about every 97th, or (`often`) after every fifth, as in a file
// of notes of a few lines each.
std::string Lines(bool often) {
    std::string t;
    const std::string line = "a short note of about forty characters\r\n";
    for (int i = 1; t.size() < (128u << 10); ++i) {
        t += line;
        if (often ? i % 5 == 0 : t.size() % 97 == 0) {
            t += "##\r\n";
        }
    }
    return t;
}

// Sets the width the benchmark asks for; false (and the benchmark skipped) where the
// processor does not have it.
bool Width(benchmark::State& state) {
    if (!lintrel::SetScanWidth(static_cast<unsigned>(state.range(0)))) {
        state.SkipWithError("no scans of this width on this processor");
        return false;
    }
    return true;
}

const std::string& Text() {
    static const std::string text = Lines(false);
    return text;
}

void BM_CountByte(benchmark::State& state) {
    if (!Width(state)) {
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(lintrel::CountByte(Text(), '\r'));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(Text().size()));
}
BENCHMARK(BM_CountByte)->Arg(16)->Arg(32)->Unit(benchmark::kMicrosecond);

void BM_HasLoneCr(benchmark::State& state) {
    if (!Width(state)) {
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(lintrel::HasLoneCr(Text()));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(Text().size()));
}
BENCHMARK(BM_HasLoneCr)->Arg(16)->Arg(32)->Unit(benchmark::kMicrosecond);

void BM_CountSeparator(benchmark::State& state) {
    if (!Width(state)) {
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(lintrel::CountBytes(Text(), 0, "\r\n##\r\n").count);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(Text().size()));
}
BENCHMARK(BM_CountSeparator)->Arg(16)->Arg(32)->Unit(benchmark::kMicrosecond);

void BM_CountFrequentSeparator(benchmark::State& state) {
    if (!Width(state)) {
        return;
    }
    static const std::string text = Lines(true);
    for (auto _ : state) {
        benchmark::DoNotOptimize(lintrel::CountBytes(text, 0, "\r\n##\r\n").count);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_CountFrequentSeparator)->Arg(16)->Arg(32)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
