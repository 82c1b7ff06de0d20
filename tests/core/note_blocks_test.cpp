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
#include "core/block_text.h"
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
    *out << c.name << " in " << c.codePage;
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

// Small limits, so that the notes above have long lines.
constexpr BlockLimits kLimits{4096, 2048};

class NoteBlocksTest : public ::testing::TestWithParam<BlocksCase> {};

// The blocks from the first by Next: every one.
std::vector<NoteBlock> Walk(const NoteBlocks& blocks) {
    std::vector<NoteBlock> walked{blocks.First()};
    while (const auto next = blocks.Next(walked.back())) {
        walked.push_back(*next);
    }
    return walked;
}

TEST_P(NoteBlocksTest, DecodedBlocksJoinedAreTheNoteAsShownAndIndexed) {
    const BlocksCase& c = GetParam();
    const NoteBlocks blocks(c.note, c.codePage, kLimits);
    const BlockOffsets offsets(c.codePage, blocks);
    QString joined;
    std::string seams;
    for (const NoteBlock& block : Walk(blocks)) {
        // The index puts each block where the joined text has it.
        ASSERT_EQ(offsets.OffsetOf({block.start, TextIndex()}).value, joined.size());
        joined += DecodeBlock(c.codePage, blocks, block) + BreakText(c.codePage, blocks, block);
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

TEST(HasLineBreakInsideTest, FindsAPlaceToBreakBeforeTheEnd) {
    const struct {
        QString text;
        bool inside;
    } cases[] = {
        {QString(5000, u'x'), false},
        {QString(5000, u'x') + u' ', false},
        {QString(2500, u'x') + u' ' + QString(2500, u'x'), true},
        {QString(5000, QChar(0x4e2d)), true},  // Chinese may break between characters
        {QString(2500, u'x') + u'-' + QString(2500, u'x'), true},
        {QString(), false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(HasLineBreakInside(c.text), c.inside) << c.text.left(3).toStdString();
    }
}

// Words for a line three times as long as a line laid out whole.
std::string LongWords() {
    std::string words;
    while (words.size() < 3 * kLimits.wholeLine) {
        words += "plain words ";
    }
    return words;
}

// Every stretch of a long line takes the line's direction, that of its first strong
// character outside isolates, however far into the line the stretch lies; whole lines are
// left to their own layout.
TEST(LineDirectionsTest, StretchesTakeTheirLinesDirection) {
    const std::string hebrew = "\xd7\xa9\xd7\x9c\xd7\x95\xd7\x9d ";  // "shalom "
    const std::string latin = LongWords();
    const struct {
        const char* name;
        std::string line;
        Qt::LayoutDirection direction;
    } cases[] = {
        {"Hebrew first", "123 " + hebrew + latin, Qt::RightToLeft},
        {"Latin first", "(" + latin + hebrew, Qt::LeftToRight},
        {"Hebrew isolated", "\xe2\x81\xa7" + hebrew + "\xe2\x81\xa9" + latin, Qt::LeftToRight},
        {"no strong letter", std::string(3 * kLimits.wholeLine, '7'), Qt::LeftToRight},
    };
    for (const auto& c : cases) {
        const std::string note = "short\r\n" + c.line + "\r\nshort";
        const NoteBlocks blocks(note, "UTF-8", kLimits);
        LineDirections directions;
        // From the end backwards too, so that stretches are met before their line's start.
        const std::vector<NoteBlock> walked = Walk(blocks);
        ASSERT_GT(walked.size(), 4u) << c.name;
        for (auto block = walked.rbegin(); block != walked.rend(); ++block) {
            const bool whole = block == walked.rbegin() || block + 1 == walked.rend();
            EXPECT_EQ(directions.Of("UTF-8", blocks, *block),
                      whole ? std::nullopt : std::optional(c.direction))
                << c.name << " block at " << block->start;
        }
    }
}

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

// A stretch met after one of another line, or of its own line further back, takes its own
// line's direction, in whichever order the stretches are met.
TEST(LineDirectionsTest, StretchesMetAcrossLinesTakeTheirOwnLinesDirection) {
    const std::string hebrew = "\xd7\xa9\xd7\x9c\xd7\x95\xd7\x9d ";
    const std::string rightToLeft = hebrew + LongWords();
    const std::string note = rightToLeft + "\r\n" + LongWords() + "\n" + rightToLeft;
    const NoteBlocks blocks(note, "UTF-8", kLimits);
    const std::vector<NoteBlock> walked = Walk(blocks);
    std::vector<Qt::LayoutDirection> expected;
    for (const NoteBlock& block : walked) {
        const bool latin = block.start > rightToLeft.size() && block.start < note.rfind('\n');
        expected.push_back(latin ? Qt::LeftToRight : Qt::RightToLeft);
    }
    // Every other stretch from the start, then the rest from the end.
    std::vector<std::size_t> order;
    for (std::size_t i = 0; i < walked.size(); i += 2) {
        order.push_back(i);
    }
    for (std::size_t i = walked.size(); i-- > 0;) {
        if (i % 2 == 1) {
            order.push_back(i);
        }
    }
    LineDirections directions;
    for (const std::size_t i : order) {
        if (const auto direction = directions.Of("UTF-8", blocks, walked[i])) {
            EXPECT_EQ(*direction, expected[i]) << "stretch " << i;
        }
    }
}

// The controls still open where each stretch of a long line starts, met from the line's start
// and from its end; an FSI as the isolate it stands for.
TEST(LineDirectionsTest, StretchesOpenTheControlsOpenBeforeThem) {
    const std::string hebrew = "\xd7\xa9\xd7\x9c\xd7\x95\xd7\x9d";
    const std::string lre = "\xe2\x80\xaa", rle = "\xe2\x80\xab", pdf = "\xe2\x80\xac",
                      lro = "\xe2\x80\xad", rlo = "\xe2\x80\xae", lri = "\xe2\x81\xa6",
                      rli = "\xe2\x81\xa7", fsi = "\xe2\x81\xa8", pdi = "\xe2\x81\xa9";
    std::string rles;
    for (int i = 0; i < 70; ++i) {
        rles += rle;
    }
    const std::string latin = LongWords();
    const struct {
        const char* name;
        std::string head;
        std::string open;
    } cases[] = {
        {"override open", rlo + "ab ", rlo},
        {"closed", rlo + "ab" + pdf, ""},
        {"nested", lri + "a" + rle + "b", lri + rle},
        {"isolate closes what it holds", rli + lre + "a" + pdi + lro, lro},
        {"PDF does not close an isolate", lri + "a" + pdf, lri},
        {"closers without openers", pdi + pdf + "ab" + rle, rle},
        {"FSI before Hebrew", fsi + "12 " + hebrew, rli},
        {"FSI before Latin", fsi + "ab " + hebrew, lri},
        {"FSI over an isolate", fsi + lri + "ab" + pdi + hebrew, rli},
        {"FSI closed unresolved", fsi + "12" + pdi + fsi + hebrew, rli},
        // 63 levels fit; of the seven past them, one is kept, as no PDF follows to close them.
        {"past the deepest level", rles, rles.substr(0, 64 * rle.size())},
    };
    for (const auto& c : cases) {
        const std::string note = "short\r\n" + c.head + latin + "\r\nshort";
        const NoteBlocks blocks(note, "UTF-8", kLimits);
        const std::vector<NoteBlock> walked = Walk(blocks);
        ASSERT_GT(walked.size(), 4u) << c.name;
        LineDirections forward;
        LineDirections backward;
        // The first stretch of the line and the short lines open nothing.
        auto expected = [&](std::size_t i) {
            return i > 1 && i + 1 < walked.size() ? QString::fromStdString(c.open) : QString();
        };
        for (std::size_t i = 0; i < walked.size(); ++i) {
            EXPECT_EQ(forward.OpenAt("UTF-8", blocks, walked[i]), expected(i)) << c.name << i;
            const std::size_t back = walked.size() - 1 - i;
            EXPECT_EQ(backward.OpenAt("UTF-8", blocks, walked[back]), expected(back))
                << c.name << " backwards " << back;
        }
    }
    // No other code page read holds these controls, so only UTF-8 is looked at.
    for (const int charset :
         {0, 77, 128, 129, 134, 136, 161, 162, 163, 177, 178, 186, 204, 222, 238, 255}) {
        const QByteArray page = CodePageForCharset(charset);
        const QString controls =
            QString::fromStdString(lre + rle + pdf + lro + rlo + lri + rli + fsi + pdi);
        for (const QChar control : controls) {
            EXPECT_NE(DecodeText(page, EncodeText(page, QString(control))), QString(control))
                << page.constData() << " " << static_cast<int>(control.unicode());
        }
    }
}

}  // namespace
}  // namespace lintrel
