// SPDX-License-Identifier: GPL-3.0-or-later
// Showing and moving between notes in the main window, on Qt's offscreen platform.
//
//   window_bench NOTE_FILE [benchmark options]
//
// NOTE_FILE holds one long note (made by `generate_notes single`); it is shown in Text1 and,
// for comparison, set into a bare QPlainTextEdit.
#include <QApplication>
#include <QPlainTextEdit>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "core/note_list.h"
#include "main_window/form1.h"
#include "quiet_host.h"

namespace {

QString g_notePath;

// Shows note 1 of the note file, painted.
void BM_ShowLongNote(benchmark::State& state) {
    lintrel::bench::QuietHost host;
    lintrel::Form1 form(host);
    form.show();
    if (!form.LoadNoteFile(g_notePath) || form.NoteList.Count() != 1) {
        state.SkipWithError("the note file does not hold one note");
        return;
    }
    for (auto _ : state) {
        form.ShowLine(1);
        form.Text1->viewport()->repaint();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(form.NoteList.Note(1).size()));
}

// The same text, already decoded, set into a plain text box of the same size and font.
void BM_BareSetPlainText(benchmark::State& state) {
    lintrel::bench::QuietHost host;
    lintrel::Form1 form(host);
    if (!form.LoadNoteFile(g_notePath) || form.NoteList.Count() != 1) {
        state.SkipWithError("the note file does not hold one note");
        return;
    }
    const std::string_view bytes = form.NoteList.Note(1);
    QString text = QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QPlainTextEdit bare;
    bare.setFont(form.Text1->font());
    bare.resize(form.Text1->size());
    bare.show();
    for (auto _ : state) {
        bare.setPlainText(text);
        bare.viewport()->repaint();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(bytes.size()));
}

// A note, then `run` blank notes, then a note.
lintrel::NoteList BlankRun(std::size_t run) {
    std::string file = "first\r\n";
    for (std::size_t i = 0; i < run; ++i) {
        file += "  \r\n";
    }
    file += "last\r\n";
    return lintrel::NoteList::FromFile(file, "\r\n");
}

// Next from the first note across a run of blank notes: it stops at the first note after the
// run, or at the highest note number that can be shown.
void BM_NextAcrossBlanks(benchmark::State& state) {
    lintrel::bench::QuietHost host;
    lintrel::Form1 form(host);
    form.NoteList = BlankRun(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        form.CurrentLine = 1;
        form.Command2_Click();
    }
}
BENCHMARK(BM_NextAcrossBlanks)->Arg(1000)->Arg(30000)->Arg(1000000)->Unit(benchmark::kMicrosecond);

// Previous back across the blank notes before the highest note number that can be shown.
void BM_PreviousAcrossBlanks(benchmark::State& state) {
    lintrel::bench::QuietHost host;
    lintrel::Form1 form(host);
    form.NoteList = BlankRun(static_cast<std::size_t>(state.range(0)));
    const auto from = static_cast<std::int16_t>(
        std::min<std::int64_t>(state.range(0) + 1, lintrel::kHighestShownNote));
    for (auto _ : state) {
        form.CurrentLine = from;
        form.Command1_Click();
    }
}
BENCHMARK(BM_PreviousAcrossBlanks)
    ->Arg(1000)
    ->Arg(30000)
    ->Arg(1000000)
    ->Unit(benchmark::kMicrosecond);

// A random note out of ten million, one in twenty of them blank.
void BM_ShowRandomLine(benchmark::State& state) {
    lintrel::bench::QuietHost host;
    lintrel::Form1 form(host);
    std::string file;
    for (int i = 0; i < 10'000'000; ++i) {
        file += i % 20 == 0 ? "\r\n" : "a short note\r\n";
    }
    form.NoteList = lintrel::NoteList::FromFile(file, "\r\n");
    for (auto _ : state) {
        form.ShowRandomLine();
    }
    state.SetLabel(std::to_string(form.NoteList.Count()) + " notes");
}
BENCHMARK(BM_ShowRandomLine)->Unit(benchmark::kMicrosecond);

// The worst draw: ten million notes whose first 32767, the only ones that can be shown, are
// all blank, so that every one of the N + 1 draws is made.
void BM_ShowRandomLineAllShowableBlank(benchmark::State& state) {
    lintrel::bench::QuietHost host;
    lintrel::Form1 form(host);
    std::string file;
    for (int i = 0; i < 10'000'000; ++i) {
        file += i < lintrel::kHighestShownNote ? "  \r\n" : "a short note\r\n";
    }
    form.NoteList = lintrel::NoteList::FromFile(file, "\r\n");
    for (auto _ : state) {
        form.ShowRandomLine();
    }
    state.SetLabel(std::to_string(form.NoteList.Count()) + " notes");
}
BENCHMARK(BM_ShowRandomLineAllShowableBlank)->Unit(benchmark::kMillisecond);

// Find over a million notes that finds nothing: every note that can be shown is searched.
void BM_FindNothing(benchmark::State& state) {
    lintrel::bench::QuietHost host;
    lintrel::Form1 form(host);
    std::string file;
    for (int i = 0; i < 1'000'000; ++i) {
        file += "a short note of some forty characters\r\n";
    }
    form.NoteList = lintrel::NoteList::FromFile(file, "\r\n");
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            lintrel::FindNote(form.NoteList, 1, QStringLiteral("kiwi"), form.CodePage()));
    }
    state.SetLabel(std::to_string(form.NoteList.Count()) + " notes");
}
BENCHMARK(BM_FindNothing)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s NOTE_FILE [benchmark options]\n", argv[0]);
        return 2;
    }
    g_notePath = QString::fromLocal8Bit(argv[1]);
    benchmark::RegisterBenchmark("ShowLongNote", BM_ShowLongNote)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BareSetPlainText", BM_BareSetPlainText)
        ->Unit(benchmark::kMillisecond);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
