// SPDX-License-Identifier: GPL-3.0-or-later
// How long loading a note file takes: reading it, joining its lines and cutting it into notes.
//
//   load_bench FILE [SEPARATOR] [benchmark options]
//
// SEPARATOR stands for the separator setting; without it the separator file beside FILE, or
// the line break, cuts the notes.
#include <QFileInfo>
#include <QString>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <cstdio>
#include <string>

#include "core/note_file_reader.h"

namespace {

// The most memory the process has held so far, in bytes.
double PeakResident() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) * 1024.0;
}

// The peak before any load.
double g_peakBefore = 0;

void Load(benchmark::State& state, const QString& path, const std::string& separator) {
    std::size_t notes = 0;
    for (auto _ : state) {
        lintrel::NoteFileResult result = lintrel::ReadNoteFile(path, separator);
        if (result.status != lintrel::LoadStatus::Loaded) {
            state.SkipWithError("the file could not be loaded");
            return;
        }
        notes = result.notes.Count();
        benchmark::DoNotOptimize(result);
    }
    const auto size = static_cast<double>(QFileInfo(path).size());
    state.SetLabel(std::to_string(notes));
    // What a load adds to the process's peak memory, per byte of the file.
    state.counters["peak_memory_per_byte"] = (PeakResident() - g_peakBefore) / size;
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(size));
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: %s FILE [SEPARATOR] [benchmark options]\n", argv[0]);
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    const std::string separator = argc == 3 ? argv[2] : "";
    g_peakBefore = PeakResident();
    benchmark::RegisterBenchmark("Load", Load, path, separator)->Unit(benchmark::kMillisecond);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
