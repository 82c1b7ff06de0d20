// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/number_reading.h"

#include <gtest/gtest.h>

#include <ostream>

#include <cmath>

namespace lintrel {
namespace {

struct ReadCase {
    const char* text;
    double value;
};

// Shown in test names and failures as the text and its value.
void PrintTo(const ReadCase& c, std::ostream* out) {
    *out << '"' << c.text << "\" -> " << c.value;
}

class ReadNumberTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadNumberTest, Reads) {
    EXPECT_DOUBLE_EQ(ReadNumber(GetParam().text), GetParam().value) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadNumberTest,
    ::testing::Values(ReadCase{"abc", 0}, ReadCase{"", 0}, ReadCase{"3.5", 3.5},
                      ReadCase{"4xyz", 4}, ReadCase{"1 2", 12}, ReadCase{"-3", -3},
                      ReadCase{" \t\n 7", 7}, ReadCase{"+8", 8}, ReadCase{"- 9", -9},
                      ReadCase{"1.2.3", 1.2}, ReadCase{".5", 0.5}, ReadCase{"5.", 5},
                      ReadCase{"1e3", 1000}, ReadCase{"1E-2", 0.01}, ReadCase{"2e", 2},
                      ReadCase{"2e+", 2}, ReadCase{"1 e 2", 100}, ReadCase{"12abc3", 12},
                      ReadCase{"--1", 0}, ReadCase{"1,5", 1}, ReadCase{"1e-999", 0}));

TEST(ReadNumberTest, HugeGivesInfinity) {
    EXPECT_TRUE(std::isinf(ReadNumber("1e999")));
    EXPECT_LT(ReadNumber("-1e999"), 0);
    EXPECT_TRUE(std::isinf(ReadNumber(std::string(400, '9'))));
}

TEST(ParseWholeNumberTest, OnlyWholeFieldsAreNumbers) {
    EXPECT_EQ(ParseWholeNumber(" 1 "), 1.0);
    EXPECT_EQ(ParseWholeNumber("-1.5e2"), -150.0);
    for (const char* text : {"1 2", "12abc", "True", "", "-"}) {
        EXPECT_EQ(ParseWholeNumber(text), std::nullopt) << text;
    }
}

TEST(RoundTest, HalvesGoToEven) {
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(3.5), 4);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
    EXPECT_EQ(RoundHalfEven(-3.5), -4);
    EXPECT_EQ(RoundHalfEven(2.4999), 2);
    EXPECT_EQ(RoundHalfEven(0.5), 0);
    EXPECT_EQ(RoundHalfEven(1.5), 2);
}

TEST(RoundTest, NarrowingChecksTheRange) {
    EXPECT_EQ(RoundToInt16(32767.4), 32767);
    EXPECT_EQ(RoundToInt16(32767.5), std::nullopt);  // rounds to 32768
    EXPECT_EQ(RoundToInt16(-32768.5), -32768);       // rounds to even -32768
    EXPECT_EQ(RoundToInt16(-32769), std::nullopt);
    EXPECT_EQ(RoundToInt16(INFINITY), std::nullopt);
    EXPECT_EQ(RoundToInt16(NAN), std::nullopt);
    EXPECT_EQ(RoundToInt32(2147483647.0), 2147483647);
    EXPECT_EQ(RoundToInt32(2147483648.0), std::nullopt);
    EXPECT_EQ(RoundToInt32(-2147483648.0), -2147483647 - 1);
}

}  // namespace
}  // namespace lintrel
