// SPDX-License-Identifier: GPL-3.0-or-later
// The note box tests' fixture: a box of its own, shown at a reading size, and their notes.
#pragma once

#include <QApplication>

#include <gtest/gtest.h>

#include <ostream>
#include <random>
#include <string>

#include "note_box/note_view.h"

namespace lintrel::test {

inline std::string Words(std::size_t size, const char* lineBreak = nullptr) {
    std::mt19937 random(3);
    std::string text;
    while (text.size() < size) {
        const int kind = std::uniform_int_distribution<int>(0, 60)(random);
        if (kind == 0 && lineBreak != nullptr) {
            text += lineBreak;
        } else {
            text += kind < 10 ? ' ' : static_cast<char>('a' + kind % 26);
        }
    }
    return text;
}

struct ViewCase {
    const char* name;
    const char* codePage;
    std::string note;
};

inline void PrintTo(const ViewCase& c, std::ostream* out) {
    *out << c.name;
}

// A note box of its own, shown at a reading size; the note's bytes are kept by the box only.
class NoteViewTest : public ::testing::TestWithParam<ViewCase> {
  protected:
    void SetUp() override {
        view.resize(400, 300);
        view.show();
        QApplication::processEvents();
    }
    void Show(const ViewCase& c) { view.SetNote(c.codePage, NoteText::Own(c.note)); }
    NoteView view;
};

class NoteBoxTest : public NoteViewTest {};

}  // namespace lintrel::test
