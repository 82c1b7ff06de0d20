// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/note_list.h"

namespace lintrel::test {

// The notes that a file of `lines` gives with the default separator.
inline NoteList NotesFromLines(const std::vector<std::string>& lines) {
    std::string file;
    for (const auto& line : lines) {
        file += line;
        file += "\r\n";
    }
    return NoteList::FromFile(file, "\r\n");
}

// Every note that is held: all of them, or the first kHighestShownNote of a longer list.
inline std::vector<std::string> AllNotes(const NoteList& notes) {
    std::vector<std::string> out;
    for (std::size_t k = 1; k <= notes.Count() && k <= kHighestShownNote; ++k) {
        out.emplace_back(notes.Note(k));
    }
    return out;
}

}  // namespace lintrel::test
