// SPDX-License-Identifier: GPL-3.0-or-later
// Each key a reader presses in the note box, on a note of a gigabyte, from a caret put in the
// note's middle with the mouse, and Ctrl+End on the note just shown; the key's time includes
// the repaint it asks for. On Qt's offscreen platform.
//
//   keys_bench [benchmark options]
#include <QApplication>
#include <QScrollBar>
#include <QTest>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <string>
#include <utility>

#include "note_box/note_view.h"
#include "platform/code_page.h"

namespace {

// A gigabyte of words, in one line or in lines of about 60 bytes.
std::string Gigabyte(bool lines) {
    std::string piece;
    const char* words[] = {"alpha ", "be ", "gamma ", "delta ", "epsilon ", "zeta ", "eta "};
    for (std::size_t i = 0; piece.size() < (std::size_t{1} << 20); ++i) {
        piece += words[(i * 7 + i / 3) % std::size(words)];
        if (lines && i % 10 == 9) {
            piece += "\r\n";
        }
    }
    std::string note;
    note.reserve(std::size_t{1} << 30);
    while (note.size() + piece.size() <= (std::size_t{1} << 30)) {
        note += piece;
    }
    return note;
}

const std::pair<const char*, std::pair<Qt::Key, Qt::KeyboardModifiers>> kKeys[] = {
    {"Right", {Qt::Key_Right, {}}},
    {"Down", {Qt::Key_Down, {}}},
    {"End", {Qt::Key_End, {}}},
    {"Ctrl+Right", {Qt::Key_Right, Qt::ControlModifier}},
    {"Ctrl+Down", {Qt::Key_Down, Qt::ControlModifier}},
    {"PageDown", {Qt::Key_PageDown, {}}},
    {"PageUp", {Qt::Key_PageUp, {}}},
    {"Shift+PageDown", {Qt::Key_PageDown, Qt::ShiftModifier}},
    {"Ctrl+Home", {Qt::Key_Home, Qt::ControlModifier}},
    {"Ctrl+End", {Qt::Key_End, Qt::ControlModifier}},
    {"Ctrl+Shift+End", {Qt::Key_End, Qt::ControlModifier | Qt::ShiftModifier}},
    {"Ctrl+A", {Qt::Key_A, Qt::ControlModifier}},
    {"Ctrl+C", {Qt::Key_C, Qt::ControlModifier}},
};

void BM_Key(benchmark::State& state, lintrel::NoteView* view, Qt::Key key,
            Qt::KeyboardModifiers modifiers, bool justShown) {
    QScrollBar* bar = view->verticalScrollBar();
    double worst = 0;
    for (auto _ : state) {
        if (justShown) {
            const lintrel::NoteText note = view->Note().Text();
            view->SetNote(lintrel::kUtf8, note);
        } else {
            bar->setValue(bar->maximum() / 2);
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(40, 40));
        }
        view->viewport()->repaint();
        const auto start = std::chrono::steady_clock::now();
        QTest::keyClick(view, key, modifiers);
        view->viewport()->repaint();
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(took.count());
        worst = std::max(worst, took.count() * 1000);
    }
    // The first press may be the first to reach a part of the note.
    state.counters["worst_ms"] = worst;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    lintrel::NoteView oneLine;
    lintrel::NoteView shortLines;
    for (auto [view, lines] : {std::pair(&oneLine, false), std::pair(&shortLines, true)}) {
        view->resize(900, 500);
        view->show();
        view->SetNote(lintrel::kUtf8, lintrel::NoteText::Own(Gigabyte(lines)));
        const std::string note = lines ? "1 GB in short lines/" : "1 GB in one line/";
        for (const auto& [name, key] : kKeys) {
            benchmark::RegisterBenchmark((note + name).c_str(), BM_Key, view, key.first, key.second,
                                         false)
                ->Unit(benchmark::kMillisecond)
                ->UseManualTime()
                ->Iterations(5);
        }
        // The farthest jump, the first key on a note just shown.
        benchmark::RegisterBenchmark((note + "Ctrl+End just shown").c_str(), BM_Key, view,
                                     Qt::Key_End, Qt::ControlModifier, true)
            ->Unit(benchmark::kMillisecond)
            ->UseManualTime()
            ->Iterations(5);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
