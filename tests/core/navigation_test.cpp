// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/navigation.h"

#include <gtest/gtest.h>

#include <ostream>

#include <set>

#include "notes_helper.h"
#include "qt_printers.h"

namespace lintrel {
namespace {

using test::NotesFromLines;

// A list of `count` notes where the notes numbered in `blank` are blank.
NoteList Notes(int count, const std::set<int>& blank = {}) {
    std::vector<std::string> lines;
    for (int k = 1; k <= count; ++k) {
        lines.push_back(blank.count(k) ? "  " : "note " + std::to_string(k));
    }
    return NotesFromLines(lines);
}

struct StepCase {
    const char* name;
    int count;
    std::set<int> blank;
    int current;
    std::optional<int> expected;
};

// Shown in failures by its name, not as raw bytes.
void PrintTo(const StepCase& c, std::ostream* out) {
    *out << c.name;
}

class NextTest : public ::testing::TestWithParam<StepCase> {};
class PreviousTest : public ::testing::TestWithParam<StepCase> {};

TEST_P(NextTest, MovesTo) {
    const auto& c = GetParam();
    EXPECT_EQ(NextNote(Notes(c.count, c.blank), c.current), c.expected);
}

TEST_P(PreviousTest, MovesTo) {
    const auto& c = GetParam();
    EXPECT_EQ(PreviousNote(Notes(c.count, c.blank), c.current), c.expected);
}

auto Name = [](const auto& p) { return std::string(p.param.name); };

INSTANTIATE_TEST_SUITE_P(
    Cases, NextTest,
    ::testing::Values(
        StepCase{"SkipsBlank", 5, {4}, 3, 5}, StepCase{"LastShownEvenIfBlank", 5, {5}, 4, 5},
        StepCase{"OnlyBlanksAhead", 5, {4, 5}, 3, std::nullopt},
        StepCase{"AtEnd", 5, {}, 5, std::nullopt}, StepCase{"FromNothingShown", 3, {1}, 0, 2},
        StepCase{"FromNothingAllBlank", 3, {1, 2, 3}, 0, std::nullopt},
        StepCase{"FromNothingOneNote", 1, {1}, 0, 1},
        StepCase{"FromNothingEmptyList", 0, {}, 0, std::nullopt},
        StepCase{"BeyondTheList", 4, {}, 9, std::nullopt},
        StepCase{"Negative", 4, {}, -5, std::nullopt}, StepCase{"TwoNotes", 2, {}, 1, 2},
        StepCase{"MinusOneOnEmptyList", 0, {}, -1, std::nullopt}),
    Name);

INSTANTIATE_TEST_SUITE_P(
    Cases, PreviousTest,
    ::testing::Values(StepCase{"AtBeginning", 5, {}, 1, std::nullopt},
                      StepCase{"FirstShownEvenIfBlank", 5, {1}, 2, 1},
                      StepCase{"SkipsBlanksToFirst", 5, {2, 3, 4}, 5, 1},
                      StepCase{"OnlyBlanksBehind", 5, {1, 2, 3, 4}, 5, std::nullopt},
                      StepCase{"NothingShown", 5, {}, 0, std::nullopt},
                      StepCase{"BeyondTheList", 4, {}, 9, std::nullopt},
                      StepCase{"TwoOfEmptyList", 0, {}, 2, std::nullopt},
                      StepCase{"TwoNotes", 2, {}, 2, 1}),
    Name);

TEST(NextTest, StopsAtTheHighestShowableNote) {
    const NoteList notes = Notes(kHighestShownNote + 10);
    EXPECT_EQ(NextNote(notes, kHighestShownNote - 1), kHighestShownNote);
    EXPECT_EQ(NextNote(notes, kHighestShownNote), std::nullopt);
}

TEST(NextTest, BlankRunPastTheHighestShowableNote) {
    std::vector<std::string> lines(40000, "");
    lines[0] = "first";
    lines[39999] = "last";
    EXPECT_EQ(NextNote(NotesFromLines(lines), 1), std::nullopt);
}

TEST(CheckGoToTest, AnswersAndTheirMessages) {
    using R = GoToCheck::Result;
    struct Case {
        const char* answer;
        std::size_t count;
        R result;
        std::int16_t note;
    };
    const Case cases[] = {
        {"12", 20, R::Show, 12},
        {" 12 ", 20, R::Show, 12},
        {"12abc", 20, R::Show, 12},
        {"abc", 20, R::BelowOne, 0},
        {"0", 20, R::BelowOne, 0},
        {"-5", 20, R::BelowOne, -5},
        {"21", 20, R::AboveCount, 21},
        {"1e9", 20, R::AboveCount, 0},
        {"-1e9", 20, R::BelowOne, 0},
        {"40000", 50000, R::BeyondShown, 0},
        {"40000", 30000, R::AboveCount, 0},
        {"32767.4", 40000, R::Show, 32767},
    };
    for (const Case& c : cases) {
        const GoToCheck check = CheckGoTo(c.answer, c.count);
        EXPECT_EQ(check.result, c.result) << c.answer;
        EXPECT_EQ(check.note, c.note) << c.answer;
    }
}

// Finding a note by its text, as shown in the note's code page, ignoring letter case.
TEST(FindNoteTest, WrapsFoldsCaseInEveryCodePageAndKeepsToShownNotes) {
    struct Case {
        const char* name;
        std::vector<std::string> lines;
        int current;
        QString text;
        QByteArray codePage;
        std::optional<int> found;
    };
    const Case cases[] = {
        {"after the note shown", {"apple", "banana", "apple pie"}, 1, "apple", "UTF-8", 3},
        {"wraps to the start", {"apple", "banana", "cherry"}, 2, "apple", "UTF-8", 1},
        {"the note shown itself, last", {"apple", "banana"}, 1, "apple", "UTF-8", 1},
        {"nothing shown yet", {"x", "apple"}, 0, "APPLE", "UTF-8", 2},
        {"outside the list", {"apple", "x"}, 9, "apple", "UTF-8", 1},
        {"none", {"apple", "banana"}, 1, "kiwi", "UTF-8", std::nullopt},
        {"Unicode case", {"x", "\xc3\x84RGER"}, 1, "\u00e4rger", "UTF-8", 2},
        {"Greek final sigma",
         {"x", "\xce\x9b\xce\x8c\xce\x93\xce\x9f\xce\xa3"},
         1,
         "\u03bb\u03cc\u03b3\u03bf\u03c2",
         "UTF-8",
         2},
        {"Cyrillic in windows-1251",
         {"x", "\xcf\xd0\xc8\xc2\xc5\xd2"},
         1,
         "\u043f\u0440\u0438\u0432\u0435\u0442",
         "windows-1251",
         2},
        {"across a lone LF in a note", {"x", "abc\ndef"}, 1, "c\nd", "UTF-8", 2},
        {"empty list", {}, 0, "a", "UTF-8", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FindNote(NotesFromLines(c.lines), c.current, c.text, c.codePage), c.found)
            << c.name;
    }
    // A line break inside a note, as a separator setting leaves it, shows as one and is found
    // as one.
    const NoteList cut = NoteList::FromFile("#one\r\ntwo#abc\r\ndef#", "#");
    EXPECT_EQ(FindNote(cut, 1, QStringLiteral("c\nd"), "UTF-8"), 2);
}

TEST(FindNoteTest, NotesThatCannotBeShownAreNeverFound) {
    std::vector<std::string> lines(kHighestShownNote + 100, "hay");
    lines[kHighestShownNote + 50] = "needle";
    EXPECT_EQ(FindNote(NotesFromLines(lines), 1, QStringLiteral("needle"), "UTF-8"), std::nullopt);
    lines[kHighestShownNote - 1] = "needle";
    EXPECT_EQ(FindNote(NotesFromLines(lines), 1, QStringLiteral("needle"), "UTF-8"),
              kHighestShownNote);
}

TEST(CheckLineTest, Ranges) {
    EXPECT_EQ(CheckLine(0, 7), LineCheck::BelowOne);
    EXPECT_EQ(CheckLine(-3, 7), LineCheck::BelowOne);
    EXPECT_EQ(CheckLine(8, 7), LineCheck::AboveCount);
    EXPECT_EQ(CheckLine(3, 7), LineCheck::Show);
    EXPECT_EQ(CheckLine(1, 0), LineCheck::AboveCount);
}

TEST(RandomSeedTest, SquareOfTheClockSum) {
    // 08:41:33 on 7 December 2026: 33 + 41 + 8 + 7 + 12 + 2026 = 2127.
    EXPECT_EQ(RandomSeed({33, 41, 8, 7, 12, 2026}), 4524129u);
}

TEST(NoteForDrawTest, RoundsHalfToEvenAndNeverZero) {
    EXPECT_EQ(NoteForDraw(0.0f, 4), 1);
    EXPECT_EQ(NoteForDraw(0.1f, 4), 1);    // 0.4 rounds to 0, shown as 1
    EXPECT_EQ(NoteForDraw(0.375f, 4), 2);  // 1.5 goes to 2
    EXPECT_EQ(NoteForDraw(0.625f, 4), 2);  // 2.5 goes to 2
    EXPECT_EQ(NoteForDraw(0.875f, 4), 4);  // 3.5 goes to 4
    EXPECT_EQ(NoteForDraw(0.99f, 4), 4);
}

TEST(RandomGeneratorTest, SameSeedTwiceStillDrawsAnew) {
    RandomGenerator a;
    a.Reseed(4524129);
    const float first = a.Draw();
    a.Reseed(4524129);
    EXPECT_NE(a.Draw(), first);

    RandomGenerator fresh;
    fresh.Reseed(4524129);
    EXPECT_EQ(fresh.Draw(), first);
}

TEST(RandomGeneratorTest, DrawsLieInUnitInterval) {
    RandomGenerator g;
    double sum = 0;
    for (int i = 0; i < 100000; ++i) {
        const float r = g.Draw();
        ASSERT_GE(r, 0.0f);
        ASSERT_LT(r, 1.0f);
        sum += r;
    }
    EXPECT_NEAR(sum / 100000, 0.5, 0.01);
}

TEST(DrawRandomNoteTest, EmptyListDrawsNothing) {
    RandomGenerator g;
    EXPECT_EQ(DrawRandomNote(NoteList(), g), std::nullopt);
}

TEST(DrawRandomNoteTest, OneNoteAlwaysNoteOne) {
    RandomGenerator g;
    const NoteList notes = Notes(1);
    for (int i = 0; i < 50; ++i) {
        EXPECT_EQ(DrawRandomNote(notes, g), 1);
    }
}

TEST(DrawRandomNoteTest, PrefersNotesThatAreNotBlank) {
    RandomGenerator g;
    // Eleven draws in a row would have to hit the one blank note for it to be shown.
    const NoteList notes = Notes(10, {3});
    for (int i = 0; i < 500; ++i) {
        EXPECT_NE(DrawRandomNote(notes, g), 3);
    }
}

TEST(DrawRandomNoteTest, AllBlankMakesNPlusOneDraws) {
    // Replays the generator to find the note of the (N + 1)-th draw.
    const NoteList notes = Notes(6, {1, 2, 3, 4, 5, 6});
    RandomGenerator g;
    RandomGenerator replay = g;
    long long last = 0;
    for (int i = 0; i < 7; ++i) {
        last = NoteForDraw(replay.Draw(), 6);
    }
    EXPECT_EQ(DrawRandomNote(notes, g), last);
    EXPECT_EQ(g.Draw(), replay.Draw());  // no further draw was made
}

TEST(DrawRandomNoteTest, NoteOneIsAboutThreeTimesAsLikelyAsNoteN) {
    const NoteList notes = Notes(10);
    RandomGenerator g;
    std::vector<int> hits(11);
    for (int i = 0; i < 200000; ++i) {
        ++hits[*DrawRandomNote(notes, g)];
    }
    EXPECT_NEAR(static_cast<double>(hits[1]) / hits[10], 3.0, 0.25);
    EXPECT_NEAR(static_cast<double>(hits[5]) / hits[10], 2.0, 0.2);
}

// Over more notes than can be shown, k is r x N of the whole list; a draw above the highest
// showable note counts and is drawn again.
TEST(DrawRandomNoteTest, DrawsOverTheWholeListAndRedrawsUnshowableNotes) {
    const std::size_t count = kHighestShownNote * 3;
    const NoteList notes = Notes(static_cast<int>(count));
    RandomGenerator g;
    for (int i = 0; i < 2000; ++i) {
        RandomGenerator replay = g;
        long long expected = 0;
        do {
            expected = NoteForDraw(replay.Draw(), count);
        } while (expected > kHighestShownNote);
        ASSERT_EQ(DrawRandomNote(notes, g), expected);
        ASSERT_EQ(g.Draw(), replay.Draw()) << "the same number of draws";
    }
}

// Millions of notes whose showable ones are all blank: N + 1 draws, the last showable one
// shown.
TEST(DrawRandomNoteTest, AllShowableBlankMakesNPlusOneDrawsOverMillions) {
    std::string file;
    for (int k = 1; k <= kHighestShownNote; ++k) {
        file += " \r\n";
    }
    const std::size_t count = 3'000'000;
    for (std::size_t k = kHighestShownNote; k < count; ++k) {
        file += "x\r\n";
    }
    const NoteList notes = NoteList::FromFile(file, "\r\n");
    ASSERT_EQ(notes.Count(), count);
    RandomGenerator g;
    RandomGenerator replay = g;
    long long last = 0;
    for (std::size_t draw = 0; draw <= count; ++draw) {
        const long long k = NoteForDraw(replay.Draw(), count);
        last = k <= kHighestShownNote ? k : last;
    }
    EXPECT_EQ(DrawRandomNote(notes, g), last);
    EXPECT_EQ(g.Draw(), replay.Draw());
}

}  // namespace
}  // namespace lintrel
