// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/note_blocks.h"

#include <gtest/gtest.h>

#include <QString>

#include <algorithm>
#include <cstring>
#include <functional>
#include <optional>
#include <ostream>
#include <random>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "core/block_offsets.h"
#include "core/decoded_note.h"
#include "core/note_blocks_helper.h"
#include "platform/code_page.h"
#include "qt_printers.h"

namespace lintrel {
namespace {

using test::kLimits;
using test::Walk;

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
    *out << c.name << " in " << c.codePage;
}

// Notes of each code page with breaks, separators and long runs where blocks are cut.
std::vector<BlocksCase> FixedCases() {
    return {
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
        {"SeparatorsOnTheGrid", "UTF-8",
         std::string(2047, 'y') + "\xe2\x80\xa9 " + std::string(6000, 'z') + "\xef\xb7\x90" +
             std::string(4093, 'x') + "\xef\xb7\x91\xe2\x80\xa9\r\n" + std::string(9000, 'w')},
        {"CutCharactersBeforeSeparators", "UTF-8",
         "1\xe8\xb9\xe2\x80\xa9x\xf0\x9f\x98\xef\xb7\x90\xc3\xef\xb7\x91\xe2\x80\r\n"},
        {"LongAndShortLines", "UTF-8",
         Random(60000,
                [](auto& r, auto& s) {
                    const int kind = Draw(r, 2000);
                    s += kind == 0 ? "\r\n" : kind < 300 ? " " : "w";
                })},
    };
}

std::vector<BlocksCase> Cases() {
    std::vector<BlocksCase> cases = FixedCases();
    // One or three letters, then a long run of two-byte characters whose second bytes are
    // letters and high bytes alike: the run must pair up from its start.
    const struct {
        const char* page;
        int lead, leadLast, trail, trailLast;
    } runs[] = {{"GBK", 0xB0, 0xF7, 0x40, 0xFE},
                {"windows-949", 0xB0, 0xC8, 0x41, 0x5A},
                {"windows-950", 0xA4, 0xC6, 0xA1, 0xFE},
                {"windows-932", 0x88, 0x9F, 0x40, 0x7E}};
    for (const auto& run : runs) {
        for (const char* prefix : {"a", "abc"}) {
            cases.push_back({"Run", run.page, prefix + Random(24000, [&](auto& r, auto& s) {
                                                  Pair(r, s, run.lead, run.leadLast, run.trail,
                                                       run.trailLast);
                                              })});
        }
    }
    // Paragraph separators, the two characters taken for one, characters that begin alike and
    // CR LF among words and long lines: breaks in UTF-8, and bytes like any other elsewhere.
    for (const char* page : {"UTF-8", "windows-1252"}) {
        cases.push_back({"Separators", page, Random(60000, [](auto& r, auto& s) {
                             const char* pieces[] = {"\xe2\x80\xa9", "\xef\xb7\x90", "\xef\xb7\x91",
                                                     "\xe2\x80\x99", "\xef\xb7\x92", "\r\n"};
                             const int kind = Draw(r, 3000);
                             s += kind < 12    ? pieces[kind / 2]
                                  : kind < 60  ? "\xe2\x80\x99"
                                  : kind < 400 ? " "
                                               : "w";
                         })});
    }
    // Any bytes at all, breaks among them now and then.
    for (const char* page :
         {"GBK", "windows-949", "windows-950", "windows-932", "UTF-8", "IBM437"}) {
        cases.push_back({"AnyBytes", page, Random(30000, [](auto& r, auto& s) {
                             s += Draw(r, 3000) == 0 ? '\r' : static_cast<char>(Draw(r, 256));
                         })});
    }
    return cases;
}

class NoteBlocksTest : public ::testing::TestWithParam<BlocksCase> {};

TEST_P(NoteBlocksTest, DecodedBlocksJoinedAreTheNoteAsShownAndIndexed) {
    const BlocksCase& c = GetParam();
    const DecodedNote decoded(c.codePage, NoteText{c.note, {}}, kLimits);
    const NoteBlocks& blocks = decoded.Blocks();
    const BlockOffsets offsets(decoded);
    QString joined;
    std::string seams;
    for (const NoteBlock& block : Walk(blocks)) {
        // The index puts each block where the joined text has it.
        ASSERT_EQ(offsets.OffsetOf({block.start, TextIndex()}).value, joined.size());
        joined += decoded.Decode(block) + decoded.BreakText(block);
        if (!block.breakAfter && block.next) {
            seams += std::to_string(joined.size()) + ":" + std::to_string(block.end) + " ";
        }
    }
    const QString shown = ShownText(c.codePage, c.note);
    const auto differ = std::mismatch(joined.begin(), joined.end(), shown.begin(), shown.end());
    EXPECT_TRUE(differ.first == joined.end() && differ.second == shown.end())
        << "first difference at character " << (differ.first - joined.begin())
        << "; seams (character:byte) " << seams;
    // Every offset is found at a place of its own, and one beyond either end at that end.
    ASSERT_EQ(offsets.Size().value, shown.size());
    for (int o = 0; o <= shown.size(); ++o) {
        ASSERT_EQ(offsets.OffsetOf(offsets.PlaceOf(TextOffset(o))).value, o);
    }
    EXPECT_EQ(offsets.PlaceOf(TextOffset(-1)), (BlockPlace{0, TextIndex()}));
    EXPECT_EQ(offsets.OffsetOf(offsets.PlaceOf(offsets.Size() + 1)), offsets.Size());
}

TEST_P(NoteBlocksTest, BlocksAreShortAndFoundFromAnyByteAndBothWays) {
    const BlocksCase& c = GetParam();
    const NoteBlocks blocks(c.note, c.codePage, kLimits);
    const std::vector<NoteBlock> walked = Walk(blocks);
    EXPECT_EQ(walked.back(), blocks.Last());
    // Where lines end and start: CR LF, CR, LF, and in UTF-8 a paragraph separator (U+2029,
    // U+FDD0, U+FDD1), found by regular expression.
    std::set<std::size_t> lineEnds{c.note.size()};
    std::set<std::size_t> lineStarts;
    const std::regex breaks(std::string(c.codePage) == "UTF-8"
                                ? "\r\n|\r|\n|\xe2\x80\xa9|\xef\xb7[\x90\x91]"
                                : "\r\n|\r|\n");
    for (auto m = std::sregex_iterator(c.note.begin(), c.note.end(), breaks);
         m != std::sregex_iterator(); ++m) {
        lineEnds.insert(static_cast<std::size_t>(m->position()));
        lineStarts.insert(static_cast<std::size_t>(m->position() + m->length()));
    }
    std::size_t pos = 0;
    for (std::size_t i = 0; i < walked.size(); ++i) {
        const NoteBlock& block = walked[i];
        ASSERT_EQ(block.start, pos) << "block " << i;
        EXPECT_LE(block.end - block.start, kLimits.wholeLine + kLimits.stretch) << "block " << i;
        // A line no longer than the limit is one block.
        const bool lineStart = block.start == 0 || lineStarts.count(block.start) != 0;
        const std::size_t lineEnd = *lineEnds.lower_bound(block.start);
        if (lineStart && std::min(lineEnd, c.note.size()) - block.start <= kLimits.wholeLine) {
            EXPECT_EQ(block.end, std::min(lineEnd, c.note.size())) << "block " << i;
        }
        EXPECT_EQ(blocks.Previous(block), i == 0 ? std::nullopt : std::optional(walked[i - 1]));
        // Every byte finds its block: those near the block's edges, where a search could
        // stop a byte early or late, here, and a thousand bytes at random below.
        const std::size_t after = block.next.value_or(c.note.size());
        const std::size_t edge = std::min<std::size_t>(8, after - block.start);
        for (std::size_t p : {block.start, after - edge}) {
            for (const std::size_t end = p + edge; p < end; ++p) {
                ASSERT_EQ(blocks.At(p), block) << "byte " << p;
            }
        }
        pos = after;
    }
    EXPECT_EQ(pos, c.note.size());
    std::mt19937 random(11);
    for (int i = 0; i < 1000 && !c.note.empty(); ++i) {
        const std::size_t p = random() % c.note.size();
        const auto found = std::find_if(walked.begin(), walked.end(), [&](const NoteBlock& b) {
            return p >= b.start && p < b.next.value_or(c.note.size());
        });
        ASSERT_EQ(blocks.At(p), *found) << "byte " << p;
    }
}

INSTANTIATE_TEST_SUITE_P(Notes, NoteBlocksTest, ::testing::ValuesIn(Cases()), [](const auto& p) {
    std::string name = std::string(p.param.name) + "_" + p.param.codePage;
    std::replace(name.begin(), name.end(), '-', '_');
    return name + "_" + std::to_string(p.index);
});

// Where a line starts, looked for back from far past it, across the pieces it is read in.
TEST(NoteBlocksLineStartTest, FindsTheLastBreakBeforeAPlace) {
    const std::size_t size = 300000;
    const std::size_t pos = size - 5;
    const struct {
        std::size_t at;
        const char* lineBreak;
        std::optional<std::size_t> after100;  // LineStartAfter(100, pos)
        std::size_t start;                    // LineStart(pos)
    } cases[] = {
        {0, "", std::nullopt, 0},
        {10, "\r\n", std::nullopt, 12},
        {std::size_t{1} << 16, "\n", (std::size_t{1} << 16) + 1, (std::size_t{1} << 16) + 1},
        {size - (std::size_t{1} << 16) - 1, "\r\n", size - (std::size_t{1} << 16) + 1,
         size - (std::size_t{1} << 16) + 1},
        {250000, "\r", 250001, 250001},
        {pos - 1, "\n", pos, pos},
        {200000, "\xe2\x80\xa9", 200003, 200003},
        {pos - 3, "\xef\xb7\x91", pos, pos},
        {pos - 2, "\xef\xb7\x90", std::nullopt, 0},  // not whole before pos
        {200000, "\xe2\x80\x99", std::nullopt, 0},   // a character that begins alike
    };
    for (const auto& c : cases) {
        std::string note(size, 'a');
        note.replace(c.at, std::strlen(c.lineBreak), c.lineBreak);
        const NoteBlocks blocks(note, "UTF-8");
        EXPECT_EQ(blocks.LineStartAfter(100, pos), c.after100) << c.at;
        EXPECT_EQ(blocks.LineStart(pos), c.start) << c.at;
        // A byte seen on the way: none lies between the line's start and where it was seen,
        // which is where it lies or within the 64 bytes looked at together before it.
        for (const std::size_t e2 : {std::size_t{50}, std::size_t{100000}, pos - 1}) {
            if (e2 >= c.at && e2 < c.at + std::strlen(c.lineBreak)) {
                continue;  // not over the break
            }
            std::string marked = note;
            marked[e2] = '\xE2';
            const NoteBlocks markedBlocks(marked, "UTF-8");
            NoteBlocks::Sighting sighting{'\xE2'};
            const std::size_t start = markedBlocks.LineStart(pos, &sighting);
            const std::size_t first = marked.find('\xE2', start);
            EXPECT_EQ(start, c.start) << c.at << ", " << e2;
            EXPECT_LE(sighting.from, std::min(first, pos)) << c.at << ", " << e2;
            EXPECT_LT(std::min(first, pos) - sighting.from, 64u) << c.at << ", " << e2;
        }
    }
}

}  // namespace
}  // namespace lintrel
