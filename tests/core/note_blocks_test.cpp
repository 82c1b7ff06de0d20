// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/note_blocks.h"

#include <gtest/gtest.h>

#include <QString>

#include <functional>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "platform/code_page.h"
#include "qt_printers.h"

namespace lintrel {
namespace {

// Random text of `size` bytes from `piece`, which appends one character (or break).
std::string Random(std::size_t size,
                   const std::function<void(std::mt19937&, std::string&)>& piece) {
    std::mt19937 random(7);
    std::string text;
    while (text.size() < size) {
        piece(random, text);
    }
    return text;
}

int Draw(std::mt19937& random, int below) {
    return std::uniform_int_distribution<int>(0, below - 1)(random);
}

// A two-byte character: a lead byte from [lead, leadLast], a trail byte from [trail, trailLast].
void Pair(std::mt19937& r, std::string& s, int lead, int leadLast, int trail, int trailLast) {
    s += static_cast<char>(lead + Draw(r, leadLast - lead + 1));
    s += static_cast<char>(trail + Draw(r, trailLast - trail + 1));
}

struct BlocksCase {
    const char* name;
    const char* codePage;
    std::string note;
};

void PrintTo(const BlocksCase& c, std::ostream* out) {
    *out << c.name;
}

std::vector<BlocksCase> Cases() {
    std::vector<BlocksCase> cases{
        {"Empty", "UTF-8", ""},
        {"OneLine", "UTF-8", "a note"},
        {"EveryLineBreak", "UTF-8", "a\r\nb\rc\nd\r\r\n\n\re\r\n"},
        {"OnlyBreaks", "UTF-8", "\n\n\r\n\r"},
        {"Words", "UTF-8",
         Random(50000,
                [](auto& r, auto& s) { s += Draw(r, 6) == 0 ? ' ' : char('a' + Draw(r, 26)); })},
        {"OneWord", "UTF-8", std::string(30000, 'x')},
        {"AccentsNoSpace", "UTF-8",
         Random(30000, [](auto& r, auto& s) { s += Draw(r, 2) ? "\xC3\xA9" : "\xE2\x82\xAC"; })},
        {"BreaksOnTheGrid", "UTF-8",
         std::string(4095, 'y') + "\r\n" + std::string(4094, 'z') + "\r" + std::string(9000, 'w')},
        {"ShiftJisNoAscii", "windows-932",
         Random(40000, [](auto& r, auto& s) { Pair(r, s, 0x81, 0x9F, 0x40, 0xFC); })},
        {"ShiftJisKatakanaAndLines", "windows-932",
         Random(40000,
                [](auto& r, auto& s) {
                    const int kind = Draw(r, 50);
                    if (kind == 0) {
                        s += "\r\n";
                    } else if (kind < 10) {
                        s += static_cast<char>(0xA1 + Draw(r, 0x3F));
                    } else {
                        Pair(r, s, 0xE0, 0xEA, 0x80, 0xFC);
                    }
                })},
        {"GbkNoAscii", "GBK",
         Random(40000, [](auto& r, auto& s) { Pair(r, s, 0x81, 0xFE, 0x80, 0xFE); })},
        {"Big5WithSpaces", "windows-950",
         Random(40000,
                [](auto& r, auto& s) {
                    Draw(r, 30) ? Pair(r, s, 0xA4, 0xF9, 0x40, 0x7E) : void(s += ' ');
                })},
        {"SingleByte", "windows-1252",
         Random(20000, [](auto& r, auto& s) { s += char(0x80 + Draw(r, 128)); })},
    };
    return cases;
}

class NoteBlocksTest : public ::testing::TestWithParam<BlocksCase> {};

// The blocks from the first by Next: every one.
std::vector<NoteBlock> Walk(const NoteBlocks& blocks) {
    std::vector<NoteBlock> walked{blocks.First()};
    while (const auto next = blocks.Next(walked.back())) {
        walked.push_back(*next);
    }
    return walked;
}

TEST_P(NoteBlocksTest, DecodedBlocksJoinedAreTheNoteAsShown) {
    const BlocksCase& c = GetParam();
    const NoteBlocks blocks(c.note, c.codePage);
    QString joined;
    for (const NoteBlock& block : Walk(blocks)) {
        joined += DecodeText(c.codePage, blocks.Bytes(block));
        if (block.breakAfter) {
            joined += QLatin1Char('\n');
        }
    }
    EXPECT_EQ(joined, ShownText(c.codePage, c.note));
}

TEST_P(NoteBlocksTest, BlocksAreShortAndFoundFromAnyByteAndBothWays) {
    const BlocksCase& c = GetParam();
    const NoteBlocks blocks(c.note, c.codePage);
    const std::vector<NoteBlock> walked = Walk(blocks);
    EXPECT_EQ(walked.back(), blocks.Last());
    std::size_t pos = 0;
    for (std::size_t i = 0; i < walked.size(); ++i) {
        const NoteBlock& block = walked[i];
        ASSERT_EQ(block.start, pos) << "block " << i;
        EXPECT_LE(block.end - block.start, kBlockBytes + 260) << "block " << i;
        EXPECT_EQ(blocks.Previous(block), i == 0 ? std::nullopt : std::optional(walked[i - 1]));
        const std::size_t after = block.next.value_or(c.note.size());
        for (std::size_t p = block.start; p < after; ++p) {
            ASSERT_EQ(blocks.At(p), block) << "byte " << p;
        }
        pos = after;
    }
    EXPECT_EQ(pos, c.note.size());
}

INSTANTIATE_TEST_SUITE_P(Notes, NoteBlocksTest, ::testing::ValuesIn(Cases()),
                         [](const auto& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace lintrel
