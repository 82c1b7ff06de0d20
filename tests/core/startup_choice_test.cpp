// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/startup_choice.h"

#include <gtest/gtest.h>

#include "qt_printers.h"

namespace lintrel {
namespace {

TEST(StartupFileForTest, EachOption) {
    const QString folder = QStringLiteral("/opt/lintrel");
    const QString last = QStringLiteral("/notes/last.txt");
    const QString specified = QStringLiteral("/notes/start.txt");
    struct Case {
        StartupFileOption option;
        std::optional<QString> expected;
    };
    const Case cases[] = {
        {StartupFileOption::Default, QStringLiteral("/opt/lintrel/Default.txt")},
        {StartupFileOption::Last, last},
        {StartupFileOption::Nothing, QString()},
        {StartupFileOption::Specified, specified},
        {StartupFileOption::None, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(StartupFileFor(c.option, folder, last, specified), c.expected)
            << static_cast<int>(c.option);
    }
    // With no folder for the settings there is no default file.
    EXPECT_EQ(StartupFileFor(StartupFileOption::Default, QString(), last, specified), QString());
}

TEST(StartupLineForTest, EachOptionAndTheSixteenBitLimits) {
    using Kind = StartupLine::Kind;
    using O = StartupLineOption;
    struct Case {
        const char* name;
        O option;
        std::size_t count;
        std::int16_t shownLast;
        const char* number;
        Kind kind;
        std::int16_t note;
    };
    const Case cases[] = {
        {"first", O::First, 5, 3, "", Kind::Show, 1},
        {"last", O::Last, 5, 3, "", Kind::Show, 5},
        {"last of an empty list", O::Last, 0, 3, "", Kind::Show, 0},
        {"last beyond 16 bits", O::Last, 40000, 3, "", Kind::Fail, 0},
        {"last loaded", O::LastLoaded, 5, 3, "", Kind::Show, 3},
        {"previous", O::PreviousToLast, 5, 3, "", Kind::Show, 2},
        {"previous below -32768", O::PreviousToLast, 5, -32768, "", Kind::Fail, 0},
        {"next", O::NextToLast, 5, 3, "", Kind::Show, 4},
        {"next above 32767", O::NextToLast, 5, 32767, "", Kind::Fail, 0},
        {"random", O::Random, 5, 3, "", Kind::Random, 0},
        {"number", O::Number, 5, 3, " 4 ", Kind::Show, 4},
        {"number rounded half to even", O::Number, 5, 3, "2.5", Kind::Show, 2},
        {"number not a number", O::Number, 5, 3, "abc", Kind::Show, 0},
        {"number beyond 16 bits", O::Number, 5, 3, "99999", Kind::Fail, 0},
        {"none", O::None, 5, 3, "", Kind::Nothing, 0},
    };
    for (const Case& c : cases) {
        const StartupLine line = StartupLineFor(c.option, c.count, c.shownLast, c.number);
        EXPECT_EQ(line.kind, c.kind) << c.name;
        EXPECT_EQ(line.note, c.note) << c.name;
    }
}

}  // namespace
}  // namespace lintrel
