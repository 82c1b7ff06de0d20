#include "platform/command_line.h"

#include <gtest/gtest.h>

namespace lintrel {
namespace {

TEST(EditorCommandLineTest, QuotesBothPathsUnchanged) {
    EXPECT_EQ(EditorCommandLine("notepad.exe", "/notes/my notes.txt"),
              QStringLiteral("\"notepad.exe\" \"/notes/my notes.txt\""));
    EXPECT_EQ(EditorCommandLine("", "File Name"), QStringLiteral("\"\" \"File Name\""));
}

struct SplitCase {
    QString editor;
    QString file;
};

class SplitTest : public ::testing::TestWithParam<SplitCase> {};

// Paths with blanks and shell characters come back as one program and one argument.
TEST_P(SplitTest, GivesProgramAndFile) {
    const auto& c = GetParam();
    const QStringList parts = SplitCommandLine(EditorCommandLine(c.editor, c.file));
    ASSERT_EQ(parts.size(), 2);
    EXPECT_EQ(parts[0], c.editor);
    EXPECT_EQ(parts[1], c.file);
}

INSTANTIATE_TEST_SUITE_P(Paths, SplitTest,
                         ::testing::Values(SplitCase{"/usr/bin/my editor", "/tmp/a b.txt"},
                                           SplitCase{"/usr/bin/ed", "/tmp/x; rm -rf ~.txt"},
                                           SplitCase{"/usr/bin/ed", "/tmp/$(touch pwned).txt"},
                                           SplitCase{"/usr/bin/ed", "/tmp/`id`.txt"},
                                           SplitCase{"/usr/bin/ed", "/tmp/a|b&c>d.txt"},
                                           SplitCase{"", "/tmp/n.txt"}));

TEST(SplitCommandLineTest, QuotedPartsAndBlanks) {
    EXPECT_EQ(SplitCommandLine(QStringLiteral("a  b")), (QStringList{"a", "b"}));
    EXPECT_EQ(SplitCommandLine(QStringLiteral("\"a b\"c d")), (QStringList{"a bc", "d"}));
    EXPECT_EQ(SplitCommandLine(QStringLiteral("\"\" x")), (QStringList{"", "x"}));
    EXPECT_EQ(SplitCommandLine(QString()), QStringList());
    // A quote inside a path ends the quoted part early; the words stay words, no shell runs.
    EXPECT_EQ(SplitCommandLine(EditorCommandLine("ed", "/tmp/a\"b c.txt")),
              (QStringList{"ed", "/tmp/ab", "c.txt"}));
}

}  // namespace
}  // namespace lintrel
