// SPDX-License-Identifier: GPL-3.0-or-later
// Find on one long line of 256 MB that does not hold the text: an ASCII text in an ASCII note
// (searched as bytes), a text with a letter beyond ASCII (decoded and folded), and an ASCII
// text in a note with a non-ASCII letter in every word (decoded and folded too). Reading the
// same bytes once (counting a byte) is shown beside them.
#include <benchmark/benchmark.h>

#include <QString>

#include <string>

#include "core/byte_scan.h"
#include "core/note_search.h"

namespace {

const std::string& Note(bool accented) {
    static std::string notes[2];
    std::string& note = notes[accented ? 1 : 0];
    if (note.empty()) {
        const std::string word = accented ? "caf\xc3\xa9 " : "lorem ipsum dolor sit amet ";
        while (note.size() < (256u << 20)) {
            note += word;
        }
    }
    return note;
}

void Search(benchmark::State& state, bool accented, const QString& text) {
    const std::string& note = Note(accented);
    const lintrel::NoteSearch search(text);
    for (auto _ : state) {
        benchmark::DoNotOptimize(search.FoundIn("UTF-8", note));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(note.size()));
}

void BM_AsciiText(benchmark::State& state) {
    Search(state, false, QStringLiteral("Zz"));
}
BENCHMARK(BM_AsciiText)->Unit(benchmark::kMillisecond);

void BM_TextBeyondAscii(benchmark::State& state) {
    Search(state, false, QStringLiteral("stra\u00dfe"));
}
BENCHMARK(BM_TextBeyondAscii)->Unit(benchmark::kMillisecond);

void BM_AsciiTextInAccentedNote(benchmark::State& state) {
    Search(state, true, QStringLiteral("Zz"));
}
BENCHMARK(BM_AsciiTextInAccentedNote)->Unit(benchmark::kMillisecond);

void BM_Reading(benchmark::State& state) {
    const std::string& note = Note(false);
    for (auto _ : state) {
        benchmark::DoNotOptimize(lintrel::CountByte(note, '\n'));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(note.size()));
}
BENCHMARK(BM_Reading)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
