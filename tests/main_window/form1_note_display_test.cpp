// SPDX-License-Identifier: GPL-3.0-or-later
#include <QGuiApplication>

#include "form_fixture.h"

namespace lintrel {
namespace {

using test::FakeHost;

class NoteDisplayTest : public test::FormTest {
  protected:
    void SetUp() override { LoadLines({"one", "two", "", "four", "five", "six", "seven"}); }
    std::vector<QString> Messages() const { return host.MessageTexts(); }
};

const QString kBelow = QStringLiteral(
    "Line number specified by you is smaller than 1. Please specify a number within 1 and 7.");
const QString kAbove = QStringLiteral(
    "Line number specified by you exceeds the number of lines present in the file. Please "
    "specify a number within 1 and 7.");

TEST_F(NoteDisplayTest, ShowLineShowsTheNoteAndItsNumber) {
    form->ShowLine(3);
    EXPECT_EQ(Shown(), QString());
    EXPECT_EQ(Caption(), QStringLiteral("Line number: 3"));
    EXPECT_EQ(form->CurrentLine, 3);
    form->ShowLine(2);
    EXPECT_EQ(Shown(), QStringLiteral("two"));
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(NoteDisplayTest, ShowLineOutsideTheListGivesTheMessages) {
    form->ShowLine(2);
    form->ShowLine(0);
    form->ShowLine(8);
    ASSERT_EQ(Messages(), (std::vector<QString>{kBelow, kAbove}));
    EXPECT_EQ(host.messages[0].icon, MsgIcon::Information);
    EXPECT_EQ(form->CurrentLine, 2);
    EXPECT_EQ(Shown(), QStringLiteral("two"));
}

struct GoToCase {
    const char* answer;
    int shown;  // note shown, or 0 when a message is expected
    const char* message;
};

// Shown in test names and failures as the answer typed.
void PrintTo(const GoToCase& c, std::ostream* out) {
    *out << '"' << c.answer << '"';
}

class GoToTest : public NoteDisplayTest, public ::testing::WithParamInterface<GoToCase> {};

TEST_P(GoToTest, ReadsTheNumber) {
    const auto& c = GetParam();
    form->ShowLine(1);
    host.inputAnswers = {QString::fromUtf8(c.answer)};
    form->Command8_Click();
    EXPECT_EQ(host.prompts.back(), QStringLiteral("Enter the line number you want to display:"));
    if (c.shown != 0) {
        EXPECT_EQ(form->CurrentLine, c.shown);
        EXPECT_TRUE(host.messages.empty());
    } else {
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_TRUE(host.messages[0].text.startsWith(QLatin1String(c.message)));
        EXPECT_EQ(form->CurrentLine, 1);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Answers, GoToTest,
    ::testing::Values(GoToCase{"abc", 0, "Line number specified by you is smaller than 1."},
                      GoToCase{"3.5", 4, ""}, GoToCase{"2.5", 2, ""}, GoToCase{"4xyz", 4, ""},
                      GoToCase{"-3", 0, "Line number specified by you is smaller than 1."},
                      GoToCase{"1e9", 0, "Line number specified by you exceeds the number"},
                      GoToCase{"-1e9", 0, "Line number specified by you is smaller than 1."},
                      GoToCase{"40000", 0, "Line number specified by you exceeds the number"},
                      GoToCase{" 5 ", 5, ""}, GoToCase{"6\t", 6, ""}),
    [](const auto& test) { return "Answer" + std::to_string(test.index); });

TEST_F(NoteDisplayTest, GoToOneTwoReadsTwelve) {
    LoadLines(std::vector<std::string>(20, "x"));
    host.inputAnswers = {QStringLiteral("1 2")};
    form->Command8_Click();
    EXPECT_EQ(form->CurrentLine, 12);
}

TEST_F(NoteDisplayTest, GoToCancelAndEmptyDoNothing) {
    form->ShowLine(2);
    host.inputAnswers = {std::nullopt, QString()};
    form->Command8_Click();
    form->Command8_Click();
    EXPECT_EQ(form->CurrentLine, 2);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(NoteDisplayTest, NextAndPreviousSkipBlanksAndReportEnds) {
    form->ShowLine(2);
    form->Command2_Click();
    EXPECT_EQ(Caption(), QStringLiteral("Line number: 4"));
    EXPECT_EQ(Shown(), QStringLiteral("four"));
    form->Command1_Click();
    EXPECT_EQ(form->CurrentLine, 2);
    form->Command1_Click();
    form->Command1_Click();
    form->ShowLine(7);
    form->Command2_Click();
    EXPECT_EQ(host.MessageTexts(),
              (std::vector<QString>{QStringLiteral("Reached beginning of file."),
                                    QStringLiteral("Reached end of file.")}));
    EXPECT_EQ(form->CurrentLine, 7);
}

TEST_F(NoteDisplayTest, LoadingAShorterFileKeepsCurrentLine) {
    form->ShowLine(7);
    LoadLines({"a", "b"}, "short.txt");
    EXPECT_EQ(form->CurrentLine, 7);
    form->Command2_Click();
    form->Command1_Click();
    EXPECT_EQ(host.MessageTexts(),
              (std::vector<QString>{QStringLiteral("Reached end of file."),
                                    QStringLiteral("Reached beginning of file.")}));
}

TEST_F(NoteDisplayTest, LineBreaksInsideANoteShowAsLineBreaks) {
    Write("sep.ltrsep", "--\r\n");
    LoadLines({"--", "first line", "second line"}, "sep.txt");
    form->ShowLine(1);
    EXPECT_EQ(Shown(), QStringLiteral("first line\nsecond line"));
}

TEST_F(NoteDisplayTest, RandomShowsANoteThatIsNotBlank) {
    for (int i = 0; i < 30; ++i) {
        form->Command7_Click();
        ASSERT_GE(form->CurrentLine, 1);
        ASSERT_LE(form->CurrentLine, 7);
        EXPECT_NE(form->CurrentLine, 3);
        EXPECT_EQ(Caption(), QStringLiteral("Line number: %1").arg(form->CurrentLine));
        EXPECT_FALSE(Shown().isEmpty());
    }
}

TEST_F(NoteDisplayTest, RandomOnAnEmptyListChangesNothing) {
    form->ShowLine(2);
    Write("empty.txt", "");
    ASSERT_TRUE(form->LoadNoteFile(Path("empty.txt")));
    form->Command7_Click();
    EXPECT_EQ(form->CurrentLine, 2);
    EXPECT_EQ(Shown(), QStringLiteral("two"));
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(NoteDisplayTest, FailedLoadChangesNothing) {
    const QString before = form->file_name->text();
    EXPECT_FALSE(form->LoadNoteFile(Path("missing.txt")));
    Write("bad.ltrsep", "");
    Write("bad.txt", "x\r\n");
    EXPECT_FALSE(form->LoadNoteFile(Path("bad.txt")));
    EXPECT_FALSE(form->LoadNoteFile(Write("nodot", "x\r\n")));
    EXPECT_EQ(form->file_name->text(), before);
    EXPECT_EQ(form->NoteList.Count(), 7u);
}

// The busy cursor of a load never stays behind, whether the load worked or not.
TEST_F(NoteDisplayTest, LoadsLeaveNoBusyCursor) {
    ASSERT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(form->LoadNoteFile(Write("a.txt", "x\r\n")));
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_FALSE(form->LoadNoteFile(Path("missing.txt")));
    EXPECT_FALSE(form->LoadNoteFile(Write("nodot", "x\r\n")));
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(NoteDisplayTest, SeparatorSettingIsMatchedInTheCodePage) {
    host.inputAnswers = {QStringLiteral("0")};  // windows-1252
    auto fresh = std::make_unique<Form1>(host);
    fresh->Form_Load(QString());
    fresh->SettingsDialog().notes_separation_characters->setText(QStringLiteral("\u00a7"));
    ASSERT_TRUE(fresh->LoadNoteFile(Write("c.txt", "x\xa7y\xa7z")));
    ASSERT_EQ(fresh->NoteList.Count(), 2u);
    fresh->ShowLine(1);
    EXPECT_EQ(fresh->Text1->toPlainText(), QStringLiteral("y"));
}

}  // namespace
}  // namespace lintrel
