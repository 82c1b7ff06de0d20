// SPDX-License-Identifier: GPL-3.0-or-later
// The note cutting with each separator source: the line break, a separator setting, and a
// separator file's first line. The notes must not depend on how the file is cut into pieces
// while it is read.
//
// Input: one byte choosing the source and the separator's length, the separator's bytes,
// one byte choosing the piece size, then the note file.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/note_file_reader.h"
#include "core/note_list.h"

namespace {

void Same(const lintrel::NoteList& a, const lintrel::NoteList& b) {
    if (a.Count() != b.Count()) {
        std::abort();
    }
    for (std::size_t k = 1; k <= a.Count() && k <= lintrel::kHighestShownNote; ++k) {
        if (a.Note(k) != b.Note(k)) {
            std::abort();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    if (input.size() < 2) {
        return 0;
    }
    const auto choice = static_cast<unsigned char>(input[0]);
    input.remove_prefix(1);
    std::string separator = "\r\n";
    const std::size_t length = std::min<std::size_t>(choice >> 2, input.size());
    const std::string_view chosen = input.substr(0, length);
    switch (choice & 3) {
        case 1:  // the separator setting, as typed
            if (!chosen.empty()) {
                separator = std::string(chosen);
            }
            break;
        case 2: {  // a separator file: its first line, as a whole line
            if (const auto line = lintrel::FirstLine(chosen)) {
                separator = "\r\n" + std::string(*line) + "\r\n";
            }
            break;
        }
        default:
            break;
    }
    input.remove_prefix(length);
    if (input.empty()) {
        return 0;
    }
    const std::size_t piece = 1 + static_cast<unsigned char>(input[0]) % 64;
    input.remove_prefix(1);

    const lintrel::NoteList whole = lintrel::NoteList::FromFile(input, separator);
    lintrel::NoteListBuilder builder(separator);
    for (std::size_t at = 0; at < input.size(); at += piece) {
        if (!builder.Feed(input.substr(at, piece))) {
            std::abort();
        }
    }
    Same(whole, builder.Finish());
    return 0;
}
