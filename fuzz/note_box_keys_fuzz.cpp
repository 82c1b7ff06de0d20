// SPDX-License-Identifier: GPL-3.0-or-later
// The note box and a read-only text box, side by side on Qt's offscreen platform, get the same
// keys on one of the oracle tests' notes; after every key the caret, the anchor and the top
// line must be the same in both.
//
// Input: one byte choosing the note, then one byte for each key a reader presses.
#include <QApplication>
#include <QTest>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <string>

#include "note_box/text_box_pair.h"

namespace {

// Both live to the process's end: destroyed at exit, the application would go before the input
// devices the key clicks made.
QApplication* g_app = nullptr;
lintrel::test::TextBoxPair* g_pair = nullptr;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    g_app = new QApplication(*argc, *argv);
    g_pair = new lintrel::test::TextBoxPair;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using lintrel::test::kNotes;
    using lintrel::test::kReaderKeys;
    if (size == 0) {
        return 0;
    }
    const lintrel::test::Note& note = kNotes[data[0] % std::size(kNotes)];
    if (!g_pair->Show(note)) {
        std::abort();
    }
    std::string played;
    // A run of up to 64 keys.
    for (std::size_t i = 1; i < size && i <= 64; ++i) {
        const auto [key, modifiers] = kReaderKeys[data[i] % std::size(kReaderKeys)];
        played += QKeySequence(key | modifiers).toString().toStdString() + " ";
        QTest::keyClick(&g_pair->view, key, modifiers);
        QTest::keyClick(&g_pair->box, key, modifiers);
        if (g_pair->Ours() != g_pair->Theirs()) {
            std::fprintf(stderr, "%s departs from the text box after %s\n", note.name,
                         played.c_str());
            std::abort();
        }
    }
    return 0;
}
