#include "core/note_list.h"

#include <gtest/gtest.h>

#include "notes_helper.h"

namespace lintrel {
namespace {

using test::AllNotes;
using test::CutFile;
using Notes = std::vector<std::string>;

struct CutCase {
    const char* name;
    std::string file;
    std::string separator;
    Notes notes;
};

class CutTest : public ::testing::TestWithParam<CutCase> {};

TEST_P(CutTest, GivesTheNotes) {
    const CutCase& c = GetParam();
    EXPECT_EQ(AllNotes(CutFile(c.file, c.separator)), c.notes);
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
    const NoteList notes = CutFile(line, "\r\n");
    ASSERT_EQ(notes.Count(), 1u);
    EXPECT_EQ(notes.Note(1).size(), line.size());
}

TEST(FirstLineTest, StopsAtCarriageReturn) {
    bool found = false;
    EXPECT_EQ(FirstLine("---\r\nrest", found), "---");
    EXPECT_TRUE(found);
    EXPECT_EQ(FirstLine("abc", found), "abc");
    EXPECT_TRUE(found);
    EXPECT_EQ(FirstLine("\r\n", found), "");
    EXPECT_TRUE(found);
    FirstLine("", found);
    EXPECT_FALSE(found);
}

}  // namespace
}  // namespace lintrel
