// SPDX-License-Identifier: GPL-3.0-or-later
// Writes note files for the benchmarks: short CR LF lines of made-up words, repeatable from
// run to run.
//
//   generate_notes lines   SIZE FILE   lines, one in twenty blank, some space-padded
//   generate_notes sepfile SIZE FILE   the same, with a "%" line every few lines, and the
//                                      separator file beside FILE naming "%"
//   generate_notes setting SIZE FILE   the same, with "##" inside every few lines
//   generate_notes single  SIZE FILE   one note of SIZE bytes of lines, cut by a separator
//                                      file whose separator starts the file
//
// SIZE is a number of bytes with an optional K, M or G suffix (powers of 1024).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

constexpr std::string_view kWords[] = {
    "note",  "river", "window", "lamp",   "quiet", "paper", "seven", "harbour", "ink",
    "stone", "north", "apple",  "garden", "slow",  "light", "bread", "winter",  "echo",
    "door",  "salt",  "maple",  "thread", "cloud", "amber", "field", "letter",  "moss",
};

class Random {
  public:
    std::uint32_t Next(std::uint32_t bound) {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 7;
        state_ ^= state_ << 17;
        return static_cast<std::uint32_t>(state_ % bound);
    }

  private:
    std::uint64_t state_ = 0x9E3779B97F4A7C15ULL;
};

std::uint64_t ParseSize(const char* text) {
    char* end = nullptr;
    std::uint64_t size = std::strtoull(text, &end, 10);
    switch (*end) {
        case 'G':
            size <<= 10;
            [[fallthrough]];
        case 'M':
            size <<= 10;
            [[fallthrough]];
        case 'K':
            size <<= 10;
            break;
        default:
            break;
    }
    return size;
}

// One line of up to about 80 characters, without its line break.
void AppendLine(Random& random, std::string& out) {
    if (random.Next(20) == 0) {
        return;  // a blank line
    }
    const bool padded = random.Next(10) == 0;
    if (padded) {
        out += "  ";
    }
    const std::uint32_t words = 1 + random.Next(12);
    for (std::uint32_t i = 0; i < words; ++i) {
        if (i > 0) {
            out += ' ';
        }
        out += kWords[random.Next(std::size(kWords))];
    }
    if (padded) {
        out += "   ";
    }
}

bool WriteSeparatorFile(const std::string& notePath, std::string_view separator) {
    const std::string path = notePath.substr(0, notePath.rfind('.')) + ".ltrsep";
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    std::fprintf(file, "%.*s\r\n", static_cast<int>(separator.size()), separator.data());
    return std::fclose(file) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s lines|sepfile|setting|single SIZE FILE\n", argv[0]);
        return 2;
    }
    const std::string_view kind = argv[1];
    const std::uint64_t size = ParseSize(argv[2]);
    const std::string path = argv[3];
    if (kind != "lines" && kind != "sepfile" && kind != "setting" && kind != "single") {
        std::fprintf(stderr, "unknown kind: %s\n", argv[1]);
        return 2;
    }
    if ((kind == "sepfile" || kind == "single") && !WriteSeparatorFile(path, "%")) {
        std::perror(path.c_str());
        return 1;
    }
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        std::perror(path.c_str());
        return 1;
    }
    Random random;
    std::string chunk;
    std::uint64_t written = 0;
    std::uint64_t line = 0;
    if (kind == "single") {
        chunk = "%\r\n";
    }
    while (written + chunk.size() < size) {
        if (kind == "sepfile" && line % 6 == 5) {
            chunk += "%";
        } else {
            AppendLine(random, chunk);
            if (kind == "setting" && line % 4 == 3) {
                chunk += " ## ";
            }
        }
        chunk += "\r\n";
        ++line;
        if (chunk.size() >= (1u << 20)) {
            written += std::fwrite(chunk.data(), 1, chunk.size(), file);
            chunk.clear();
        }
    }
    written += std::fwrite(chunk.data(), 1, chunk.size(), file);
    if (std::fclose(file) != 0) {
        std::perror(path.c_str());
        return 1;
    }
    return 0;
}
