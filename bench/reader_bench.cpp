// SPDX-License-Identifier: GPL-3.0-or-later
// A screen reader reading a note of about a megabyte word by word: at each word the word at,
// before and after the reading place, asked of the note box and of a read-only
// QPlainTextEdit holding the same text. Times are per question. On Qt's offscreen platform.
//
//   reader_bench [benchmark options]
#include <QAccessible>
#include <QApplication>
#include <QPlainTextEdit>

#include <benchmark/benchmark.h>

#include <cstddef>
#include <string>
#include <utility>

#include "note_box/note_view.h"
#include "platform/code_page.h"

namespace {

// About a megabyte of words, a line break after every `wordsPerLine` words (none for 0).
std::string Megabyte(int wordsPerLine) {
    const char* words[] = {"alpha ", "be ", "gamma ", "delta ", "epsilon ", "zeta ", "eta "};
    std::string note;
    for (std::size_t i = 0; note.size() < 1000000; ++i) {
        note += words[(i * 7 + i / 3) % std::size(words)];
        if (wordsPerLine > 0 && static_cast<int>(i % wordsPerLine) == wordsPerLine - 1) {
            note += "\r\n";
        }
    }
    return note;
}

void BM_Words(benchmark::State& state, QWidget* box) {
    QAccessibleTextInterface* text = QAccessible::queryAccessibleInterface(box)->textInterface();
    int offset = 0;
    int start = 0;
    int end = 0;
    // A first question lays the text box's note out, once: not a question's cost.
    text->textAtOffset(0, QAccessible::WordBoundary, &start, &end);
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            text->textAtOffset(offset, QAccessible::WordBoundary, &start, &end));
        benchmark::DoNotOptimize(
            text->textBeforeOffset(offset, QAccessible::WordBoundary, &start, &end));
        benchmark::DoNotOptimize(
            text->textAfterOffset(offset, QAccessible::WordBoundary, &start, &end));
        offset = end > offset && end < text->characterCount() ? end : 0;
    }
    state.SetItemsProcessed(state.iterations() * 3);
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The text box's own warning, asked about the place before its first character.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    const std::pair<const char*, int> notes[] = {{"1 MB in one paragraph", 0},
                                                 {"1 MB in lines of 12 words", 12},
                                                 {"1 MB in lines of 30 words", 30}};
    for (const auto& [name, wordsPerLine] : notes) {
        const std::string note = Megabyte(wordsPerLine);
        auto* view = new lintrel::NoteView;
        view->SetNote(lintrel::kUtf8, lintrel::NoteText::Own(note));
        auto* edit = new QPlainTextEdit;
        edit->setReadOnly(true);
        edit->setPlainText(QString::fromStdString(note));
        for (QWidget* box : {static_cast<QWidget*>(view), static_cast<QWidget*>(edit)}) {
            box->resize(900, 500);
            box->show();
            const std::string label = std::string(name) + (box == view ? "/note box" : "/text box");
            benchmark::RegisterBenchmark(label.c_str(), BM_Words, box)
                ->Unit(benchmark::kMicrosecond);
        }
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
