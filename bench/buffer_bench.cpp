// SPDX-License-Identifier: GPL-3.0-or-later
// The held text's buffer: grown by realloc (as NoteCutter does) against a std::string, for a
// note as large as the whole file. Each fills SIZE bytes in 128 KiB pieces after reserving
// room for all of them, then gives back what was not used. Run one kind per process, so that
// the peak memory is its own.
//
//   buffer_bench realloc|string SIZE_MB
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "core/note_list.h"

namespace {

double PeakMb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s realloc|string SIZE_MB\n", argv[0]);
        return 2;
    }
    const std::string kind = argv[1];
    const std::size_t size = std::strtoull(argv[2], nullptr, 10) << 20;
    const std::string piece(128 * 1024, 'x');
    const double before = PeakMb();
    const auto start = std::chrono::steady_clock::now();
    std::size_t held = 0;
    if (kind == "realloc") {
        // As NoteCutter: reserve the file's size, append, shrink to what was written.
        lintrel::NoteList::Text text(static_cast<char*>(std::malloc(size + 2)));
        std::size_t used = 0;
        for (; used + piece.size() <= size; used += piece.size()) {
            std::memcpy(text.get() + used, piece.data(), piece.size());
        }
        char* shrunk = static_cast<char*>(std::realloc(text.release(), used));
        text.reset(shrunk);
        held = used;
    } else {
        std::string text;
        text.reserve(size + 2);
        while (text.size() + piece.size() <= size) {
            text.append(piece);
        }
        text.shrink_to_fit();
        held = text.size();
    }
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::printf("%s %zu MB: %.1f ms, peak memory %.0f MB over %.0f MB held\n", kind.c_str(),
                held >> 20, ms, PeakMb() - before, static_cast<double>(held >> 20));
    return 0;
}
