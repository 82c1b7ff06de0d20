// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/settings_format.h"

#include <gtest/gtest.h>

#include <ostream>
#include <stdexcept>

namespace lintrel {
namespace {

using Kind = Field::Kind;

struct FieldCase {
    const char* name;
    std::string input;
    std::vector<std::pair<Kind, std::string>> fields;  // kind and text of each field read
};

// Shown in failures by its name, not as raw bytes.
void PrintTo(const FieldCase& c, std::ostream* out) {
    *out << c.name;
}

class FieldReaderTest : public ::testing::TestWithParam<FieldCase> {};

TEST_P(FieldReaderTest, Reads) {
    const auto& c = GetParam();
    const auto fields = ReadFields(c.input, c.fields.size());
    for (std::size_t i = 0; i < c.fields.size(); ++i) {
        EXPECT_EQ(fields[i].kind, c.fields[i].first) << "field " << i;
        EXPECT_EQ(fields[i].text, c.fields[i].second) << "field " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FieldReaderTest,
    ::testing::Values(
        FieldCase{"Lines",
                  "True\r\n 1 \r\nabc\r\n",
                  {{Kind::Text, "True"}, {Kind::Number, "1"}, {Kind::Text, "abc"}}},
        FieldCase{"EmptyLineIsNothing", "\r\nx\r\n", {{Kind::Nothing, ""}, {Kind::Text, "x"}}},
        FieldCase{"CommaEndsAField",
                  "a,b\r\nc\r\n",
                  {{Kind::Text, "a"}, {Kind::Text, "b"}, {Kind::Text, "c"}}},
        FieldCase{"LeadingSpacesSkipped", "   ab\r\n", {{Kind::Text, "ab"}}},
        FieldCase{"Quoted", "\" a,b \"\r\nx\r\n", {{Kind::Text, " a,b "}, {Kind::Text, "x"}}},
        FieldCase{
            "AfterClosingQuoteSkipped", "\"a\"junk,b\r\n", {{Kind::Text, "a"}, {Kind::Text, "b"}}},
        FieldCase{"QuotedEmpty", "\"\"\r\n", {{Kind::Text, ""}}},
        FieldCase{"DoubledQuoteIsOne",
                  "\"a\"\"b\",\"\"\"\"\r\n",
                  {{Kind::Text, "a\"b"}, {Kind::Text, "\""}}},
        FieldCase{
            "QuotedSpansLines", "\"a\r\nb\"\r\nc\r\n", {{Kind::Text, "a\r\nb"}, {Kind::Text, "c"}}},
        FieldCase{"QuotedNumberIsText", "\"12\"\r\n", {{Kind::Text, "12"}}},
        FieldCase{"LfOnly",
                  "a\nb\n\nc",
                  {{Kind::Text, "a"}, {Kind::Text, "b"}, {Kind::Nothing, ""}, {Kind::Text, "c"}}},
        FieldCase{"CrOnly", "a\rb\r", {{Kind::Text, "a"}, {Kind::Text, "b"}}},
        FieldCase{"NoFinalLineBreak", "a\r\nb", {{Kind::Text, "a"}, {Kind::Text, "b"}}},
        FieldCase{"Numbers",
                  "-5 \r\n+3\r\n1.5e3\r\n.5\r\n",
                  {{Kind::Number, "-5"},
                   {Kind::Number, "+3"},
                   {Kind::Number, "1.5e3"},
                   {Kind::Number, ".5"}}},
        FieldCase{"NumberWithTextIsText", "12abc\r\n", {{Kind::Text, "12abc"}}},
        FieldCase{"Nul", std::string("a\0b\r\n", 5), {{Kind::Text, std::string("a\0b", 3)}}},
        FieldCase{"SpacesOnlyAtEnd", "x\r\n   ", {{Kind::Text, "x"}, {Kind::Nothing, ""}}}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(FieldReaderTest, InputPastTheEndFails) {
    EXPECT_THROW(ReadFields("", 1), SettingsError);
    EXPECT_THROW(ReadFields("a\r\nb\r\n", 3), SettingsError);
    EXPECT_NO_THROW(ReadFields("a\r\nb\r\nextra\r\nlines\r\n", 2));
}

TEST(FieldReaderTest, UnclosedQuoteRunsToTheEnd) {
    const auto fields = ReadFields("\"abc\r\ndef", 1);
    EXPECT_EQ(fields[0].text, "abc\r\ndef");
    EXPECT_THROW(ReadFields("\"abc\r\ndef", 2), SettingsError);
}

TEST(FieldReaderTest, LongLine) {
    const std::string line(10 * 1000 * 1000, 'x');
    const auto fields = ReadFields(line + "\r\n", 1);
    EXPECT_EQ(fields[0].text.size(), line.size());
}

Field Read(const std::string& line) {
    return ReadFields(line + "\r\n", 1)[0];
}

TEST(ReadRulesTest, Boolean) {
    EXPECT_TRUE(ReadBoolean(Read("True")));
    EXPECT_TRUE(ReadBoolean(Read("tRUE")));
    EXPECT_FALSE(ReadBoolean(Read("FALSE")));
    EXPECT_TRUE(ReadBoolean(Read("-1")));
    EXPECT_TRUE(ReadBoolean(Read("0.5")));
    EXPECT_FALSE(ReadBoolean(Read("0")));
    EXPECT_FALSE(ReadBoolean(Read("")));
    EXPECT_THROW(ReadBoolean(Read("yes")), SettingsError);
    EXPECT_THROW(ReadBoolean(Read("Truex")), SettingsError);
}

TEST(ReadRulesTest, Integer16) {
    EXPECT_EQ(ReadInt16(Read(" 1 ")), 1);
    EXPECT_EQ(ReadInt16(Read("")), 0);
    EXPECT_EQ(ReadInt16(Read("2.5")), 2);
    EXPECT_EQ(ReadInt16(Read("3.5")), 4);
    EXPECT_EQ(ReadInt16(Read("-32768")), -32768);
    EXPECT_EQ(ReadInt16(Read("3e2")), 300);
    EXPECT_THROW(ReadInt16(Read("32768")), SettingsError);
    EXPECT_THROW(ReadInt16(Read("-32769")), SettingsError);
    EXPECT_THROW(ReadInt16(Read("1e400")), SettingsError);
    EXPECT_THROW(ReadInt16(Read("abc")), SettingsError);
}

// A number between quotes is held as text, and the number rules still read it as the number.
TEST(ReadRulesTest, QuotedNumbersReadAsNumbers) {
    struct Case {
        const char* line;
        std::optional<double> number;
    };
    const Case cases[] = {{"\"1\"", 1},    {"\"0\"", 0},   {"\" 7 \"", 7}, {"\"-3.5e1\"", -35},
                          {"\"abc\"", {}}, {"\"1x\"", {}}, {"\"\"", {}},   {"\"True\"", {}}};
    for (const Case& c : cases) {
        const Field f = Read(c.line);
        EXPECT_EQ(NumberIn(f), c.number) << c.line;
        if (c.number) {
            EXPECT_EQ(ReadInt16(f), static_cast<std::int16_t>(*c.number)) << c.line;
            EXPECT_EQ(ReadInt32(f), static_cast<std::int32_t>(*c.number)) << c.line;
            EXPECT_EQ(ReadBoolean(f), *c.number != 0) << c.line;
        } else {
            EXPECT_THROW(ReadInt16(f), SettingsError) << c.line;
        }
    }
    EXPECT_TRUE(ReadBoolean(Read("\"True\"")));
    EXPECT_THROW(ReadBoolean(Read("\"abc\"")), SettingsError);
}

TEST(ReadRulesTest, Integer32) {
    EXPECT_EQ(ReadInt32(Read(" 16777215 ")), 16777215);
    EXPECT_EQ(ReadInt32(Read("-2147483648")), -2147483647 - 1);
    EXPECT_THROW(ReadInt32(Read("2147483648")), SettingsError);
}

TEST(ReadRulesTest, Single) {
    EXPECT_EQ(ReadSingle(Read(" 1440 ")), 1440.0f);
    EXPECT_EQ(ReadSingle(Read("abc")), 0.0f);
    EXPECT_EQ(ReadSingle(Read("")), 0.0f);
    EXPECT_EQ(ReadSingle(Read("12abc")), 12.0f);
    EXPECT_EQ(ReadSingleValue(Read("-999.5")), -999.5);
}

TEST(SettingsWriterTest, WrittenForms) {
    SettingsWriter w;
    w.Boolean(true);
    w.Boolean(false);
    w.Integer(1);
    w.Integer(0);
    w.Integer(-5);
    w.Integer(16777215);
    w.Single(1440.0f);
    w.Single(-15.0f);
    w.Single(1.5f);
    w.Text("plain");
    w.Text("");
    EXPECT_EQ(w.Bytes(),
              "True\r\nFalse\r\n 1 \r\n 0 \r\n-5 \r\n 16777215 \r\n 1440 \r\n-15 \r\n 1.5 \r\n"
              "plain\r\n\r\n");
    // Lines are named by their place; a line out of its place is refused.
    EXPECT_EQ(w.Lines(), 11u);
    EXPECT_NO_THROW(w.At(11).Boolean(true));
    EXPECT_THROW(w.At(11), std::logic_error);
}

// Texts that the bare form would cut or trim are quoted and come back whole.
TEST(SettingsWriterTest, TextsComeBackWhole) {
    const std::vector<std::string> texts = {
        "a,b",   " - ",           "  lead", "trail  ", "007",
        "True",  "line\r\nbreak", "",       "x",       "C:\\path\\n.txt",
        "\"",    "\"\"",          "\"a",    "a\"",     "say \"hi\", then",
        "\",\"", " \" ",          "a\"\"b", "\"\r\n\""};
    SettingsWriter w;
    for (const auto& t : texts) {
        w.Text(t);
    }
    const auto fields = ReadFields(w.Bytes(), texts.size());
    for (std::size_t i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(ReadText(fields[i]), texts[i]);
    }
}

// A quote that the bare form would take for an opening one is written doubled inside quotes;
// one inside a bare text stays bare, as earlier versions wrote it.
TEST(SettingsWriterTest, QuotesAreDoubledOnlyWhereNeeded) {
    SettingsWriter w;
    w.Text("\"");
    w.Text("say \"hi\", then");
    w.Text("a\"b");
    EXPECT_EQ(w.Bytes(), "\"\"\"\"\r\n\"say \"\"hi\"\", then\"\r\na\"b\r\n");
}

// Singles are written in plain decimal digits and come back exactly.
TEST(SettingsWriterTest, SinglesComeBackExactly) {
    for (float v : {0.0f, 15.0f, -999.0f, 100000.0f, 12345678.0f, 0.1f, 1e-7f, 3.4e38f}) {
        SettingsWriter w;
        w.Single(v);
        EXPECT_EQ(w.Bytes().find_first_of("eE"), std::string::npos) << w.Bytes();
        EXPECT_EQ(ReadSingle(ReadFields(w.Bytes(), 1)[0]), v);
    }
    SettingsWriter w;
    w.Single(100000.0f);
    EXPECT_EQ(w.Bytes(), " 100000 \r\n");
}

}  // namespace
}  // namespace lintrel
