// SPDX-License-Identifier: GPL-3.0-or-later
// What counting a note's lines for the note box's scroll bar costs: showing a note (its lines
// counted at once) and a change of the box's width (counted again), by the note's size, in
// short lines and in one paragraph. On Qt's offscreen platform.
//
//   scroll_bar_bench [benchmark options]
#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstddef>
#include <string>

#include "note_box/note_view.h"
#include "platform/code_page.h"

namespace {

// `size` bytes of words, in lines of about 60 bytes or in one line.
std::string Words(std::size_t size, bool lines) {
    const char* words[] = {"alpha ", "be ", "gamma ", "delta ", "epsilon ", "zeta ", "eta "};
    std::string note;
    for (std::size_t i = 0; note.size() < size; ++i) {
        note += words[(i * 7 + i / 3) % std::size(words)];
        if (lines && i % 10 == 9) {
            note += "\r\n";
        }
    }
    return note;
}

// Shows the note, painted; its lines are counted when it is small enough.
void BM_Show(benchmark::State& state, bool lines) {
    const auto note =
        lintrel::NoteText::Own(Words(static_cast<std::size_t>(state.range(0)), lines));
    lintrel::NoteView view;
    view.resize(900, 500);
    view.show();
    for (auto _ : state) {
        view.SetNote(lintrel::kUtf8, note);
        view.viewport()->repaint();
    }
}

// A pixel wider or narrower, painted: every line is laid out and counted again.
void BM_Resize(benchmark::State& state, bool lines) {
    lintrel::NoteView view;
    view.resize(900, 500);
    view.show();
    view.SetNote(lintrel::kUtf8,
                 lintrel::NoteText::Own(Words(static_cast<std::size_t>(state.range(0)), lines)));
    int width = 900;
    for (auto _ : state) {
        width = width == 900 ? 901 : 900;
        view.resize(width, 500);
        view.viewport()->repaint();
    }
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    for (const bool lines : {true, false}) {
        const std::string shape = lines ? "short lines" : "one line";
        using Run = void (*)(benchmark::State&, bool);
        for (const auto& [name, run] : {std::pair<std::string, Run>("show/", BM_Show),
                                        std::pair<std::string, Run>("resize/", BM_Resize)}) {
            benchmark::RegisterBenchmark((name + shape).c_str(), run, lines)
                ->RangeMultiplier(2)
                ->Range(64 << 10, 2 << 20)
                ->Unit(benchmark::kMillisecond);
        }
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
