// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/note_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <random>

#include "notes_helper.h"

namespace lintrel {
namespace {

using test::AllNotes;
using Notes = std::vector<std::string>;

struct CutCase {
    const char* name;
    std::string file;
    std::string separator;
    Notes notes;
};

// Shown in failures by its name, not as raw bytes.
void PrintTo(const CutCase& c, std::ostream* out) {
    *out << c.name;
}

class CutTest : public ::testing::TestWithParam<CutCase> {};

TEST_P(CutTest, GivesTheNotes) {
    const CutCase& c = GetParam();
    EXPECT_EQ(AllNotes(NoteList::FromFile(c.file, c.separator)), c.notes);
}

const std::string kLine = "\r\n---\r\n";  // a separator file's line "---"

INSTANTIATE_TEST_SUITE_P(
    Default, CutTest,
    ::testing::Values(
        CutCase{"TrimsSpacesKeepsBlankLines",
                "alpha\r\n  beta  \r\n\r\ngamma\r\n",
                "\r\n",
                {"alpha", "beta", "", "gamma"}},
        CutCase{"OneLine", "x", "\r\n", {"x"}},
        CutCase{"LastLineEmpty", "a\r\n\r\n", "\r\n", {"a", ""}},
        CutCase{"EmptyFile", "", "\r\n", {}}, CutCase{"OnlyALineBreak", "\r\n", "\r\n", {""}},
        CutCase{"LoneLfIsOrdinary", "a\nb\nc\n", "\r\n", {"a\nb\nc\n"}},
        CutCase{"LoneCrEndsALine", "a\rb\rc", "\r\n", {"a", "b", "c"}},
        CutCase{"CrBeforeCrLf", "a\r\r\nb", "\r\n", {"a", "", "b"}},
        CutCase{"TabsAndCrStay", "\tx\t\r\n", "\r\n", {"\tx\t"}},
        CutCase{"NulBytes", std::string("a\0b\r\nc", 6), "\r\n", {std::string("a\0b", 3), "c"}},
        CutCase{"InvalidUtf8", "\xff\xfe\r\n\xc3", "\r\n", {"\xff\xfe", "\xc3"}}),
    [](const auto& p) { return std::string(p.param.name); });

INSTANTIATE_TEST_SUITE_P(
    SeparatorFile, CutTest,
    ::testing::Values(
        CutCase{"JoinsLinesOfANote",
                "---\r\none\r\ntwo\r\n---\r\nthree",
                kLine,
                {"one\r\ntwo", "three"}},
        CutCase{"DropsTextBeforeFirstSeparator", "intro\r\n---\r\none", kLine, {"one"}},
        CutCase{"SeparatorAsLastLineNotRecognised", "---\r\none\r\n---\r\n", kLine, {"one\r\n---"}},
        CutCase{"AdjacentSeparatorLinesShareALineBreak",
                "---\r\none\r\n---\r\n---\r\ntwo",
                kLine,
                {"one", "---\r\ntwo"}},
        CutCase{"NoSeparatorLine", "a\r\nb", kLine, {}},
        CutCase{"TrailingSpaceDoesNotMatch",
                "---\r\none\r\n--- \r\ntwo",
                kLine,
                {"one\r\n--- \r\ntwo"}},
        CutCase{"CaseSensitive", "\r\nAB\r\nx\r\nab\r\ny", "\r\nab\r\n", {"y"}}),
    [](const auto& p) { return std::string(p.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Setting, CutTest,
    ::testing::Values(CutCase{"KeepsLineBreaksNextToSeparator",
                              "##\r\na\r\n##\r\nb",
                              "##",
                              {"\r\na\r\n", "\r\nb"}},
                      CutCase{"MatchesInsideALine", "x|y|z", "|", {"y", "z"}},
                      CutCase{"AdjacentSeparatorsGiveEmptyNote", "x||y", "|", {"", "y"}},
                      CutCase{"OccurrencesAreConsumed", "aaaaa", "aa", {"", "a"}},
                      CutCase{"SpacesCount", "a - b-c - d", " - ", {"b-c", "d"}},
                      CutCase{"NoOccurrence", "abc", "#", {}}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(NoteListTest, BlankMeansOnlySpaces) {
    const NoteList notes = test::NotesFromLines({"   ", "", "\t", " a "});
    EXPECT_TRUE(notes.IsBlank(1));
    EXPECT_TRUE(notes.IsBlank(2));
    EXPECT_FALSE(notes.IsBlank(3));
    EXPECT_FALSE(notes.IsBlank(4));
    EXPECT_EQ(notes.Note(4), "a");
}

TEST(NoteListTest, LongSingleLineIsOneNote) {
    const std::string line(100 * 1000 * 1000, 'x');
    const NoteList notes = NoteList::FromFile(line, "\r\n");
    ASSERT_EQ(notes.Count(), 1u);
    EXPECT_EQ(notes.Note(1).size(), line.size());
}

// The notes of `file`, worked out the plain way: join the whole file, then cut it.
Notes PlainNotes(std::string file, const std::string& separator, std::size_t& count) {
    std::string joined;
    if (!file.empty()) {
        if (file.ends_with("\r\n")) {
            file.resize(file.size() - 2);
        } else if (file.ends_with('\r')) {
            file.pop_back();
        }
        joined = "\r\n";
        for (std::size_t i = 0; i < file.size(); ++i) {
            joined += file[i];
            if (file[i] == '\r' && (i + 1 == file.size() || file[i + 1] != '\n')) {
                joined += '\n';
            }
        }
    }
    std::vector<std::size_t> starts;
    for (std::size_t at = joined.find(separator); at != std::string::npos;
         at = joined.find(separator, at + separator.size())) {
        starts.push_back(at + separator.size());
    }
    count = starts.size();
    Notes notes;
    for (std::size_t i = 0; i < starts.size() && i < kHighestShownNote; ++i) {
        const std::size_t end =
            i + 1 < starts.size() ? starts[i + 1] - separator.size() : joined.size();
        std::string note = joined.substr(starts[i], end - starts[i]);
        note.erase(0, note.find_first_not_of(' '));
        note.erase(note.find_last_not_of(' ') + 1);
        notes.push_back(note);
    }
    return notes;
}

// The notes of `file` fed to a builder in pieces of the given sizes (the rest in one piece).
// Fed as given, or (`read`) read into the room the builder offers, as the file reader does.
NoteList FedInPieces(std::string_view file, const std::string& separator,
                     const std::vector<std::size_t>& sizes, bool read = false) {
    NoteListBuilder builder(separator);
    const auto feed = [&](std::string_view piece) {
        if (!read) {
            return builder.Feed(piece);
        }
        char* room = builder.Room(piece.size());
        std::copy(piece.begin(), piece.end(), room);
        return builder.Feed({room, piece.size()});
    };
    for (std::size_t size : sizes) {
        const std::size_t n = std::min(size, file.size());
        EXPECT_TRUE(feed(file.substr(0, n)));
        file.remove_prefix(n);
    }
    EXPECT_TRUE(feed(file));
    return builder.Finish();
}

// Sizes of pieces, each below `bound`, that together cover `total` bytes.
std::vector<std::size_t> RandomPieces(std::mt19937& random, std::size_t total, unsigned bound) {
    std::vector<std::size_t> sizes;
    for (std::size_t used = 0; used < total; used += sizes.back()) {
        sizes.push_back(random() % bound);
    }
    return sizes;
}

// Random files of the characters that matter, cut at random places: the notes never depend
// on where the pieces of the file begin and end.
TEST(NoteListBuilderTest, PiecesGiveTheSameNotesAsTheWholeFile) {
    std::mt19937 random(12345);
    const std::string alphabet = "a \r\n%#";
    const std::vector<std::string> separators = {"\r\n", "\r\n%\r\n", "#", "##", "%#%", "\r"};
    for (int round = 0; round < 1000; ++round) {
        std::string file(random() % 40, ' ');
        for (char& c : file) {
            c = alphabet[random() % alphabet.size()];
        }
        const std::string& separator = separators[random() % separators.size()];
        std::size_t count = 0;
        const Notes expected = PlainNotes(file, separator, count);
        const std::vector<std::size_t> pieces = RandomPieces(random, file.size(), 4);
        for (const bool read : {false, true}) {
            const NoteList notes = FedInPieces(file, separator, pieces, read);
            ASSERT_EQ(notes.Count(), count) << round << " read " << read;
            ASSERT_EQ(AllNotes(notes), expected) << round << " read " << read;
        }
        ASSERT_EQ(AllNotes(NoteList::FromFile(file, separator)), expected) << round;
    }
}

struct LongCase {
    const char* name;
    std::string unit;  // repeated to make the file
    std::string separator;
};

void PrintTo(const LongCase& c, std::ostream* out) {
    *out << c.name;
}

class BeyondShownNotesTest : public ::testing::TestWithParam<LongCase> {};

// Past the notes that can be shown, notes are counted across pieces as the plain cut counts them.
TEST_P(BeyondShownNotesTest, CountsEveryNoteAndHoldsTheShownOnes) {
    const LongCase& c = GetParam();
    std::string file;
    for (int i = 0; i < 70000; ++i) {
        file += c.unit;
    }
    std::size_t count = 0;
    const Notes expected = PlainNotes(file, c.separator, count);
    ASSERT_GT(count, static_cast<std::size_t>(kHighestShownNote));
    for (std::size_t piece : {1u, 7u, 4096u, 1u << 20}) {
        const NoteList notes = FedInPieces(
            file, c.separator, std::vector<std::size_t>(file.size() / piece + 1, piece));
        EXPECT_EQ(notes.Count(), count) << piece;
        EXPECT_EQ(AllNotes(notes), expected) << piece;
        EXPECT_EQ(notes.Note(kHighestShownNote + 1), "");
    }
}

INSTANTIATE_TEST_SUITE_P(Units, BeyondShownNotesTest,
                         ::testing::Values(LongCase{"Lines", "ab \r\n", "\r\n"},
                                           LongCase{"LoneCrs", "x\r", "\r\n"},
                                           LongCase{"SeparatorLines", "one\r\n%\r\n", "\r\n%\r\n"},
                                           LongCase{"SharedLineBreaks", "%\r\n", "\r\n%\r\n"},
                                           LongCase{"OverlappingSetting", "aaa", "aa"}),
                         [](const auto& p) { return std::string(p.param.name); });

// Random notes well past the ones that can be shown, fed in random pieces.
TEST(NoteListBuilderTest, CountsRandomNotesPastTheShownOnes) {
    std::mt19937 random(99);
    const std::vector<std::string> units = {"a", "%", "#", " ", "\r\n", "\r", "\n", "##"};
    const std::vector<std::string> separators = {"\r\n", "\r\n%\r\n", "#", "##", "#%#", "\r"};
    for (const std::string& separator : separators) {
        std::string file;
        while (file.size() < 400000) {
            file += units[random() % units.size()];
        }
        std::size_t count = 0;
        const Notes expected = PlainNotes(file, separator, count);
        const NoteList notes = FedInPieces(file, separator, RandomPieces(random, file.size(), 10));
        EXPECT_EQ(notes.Count(), count) << separator;
        EXPECT_EQ(AllNotes(notes), expected) << separator;
    }
}

}  // namespace
}  // namespace lintrel
