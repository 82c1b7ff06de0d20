// SPDX-License-Identifier: GPL-3.0-or-later
#include "form_fixture.h"

namespace lintrel {
namespace {

class GeneralSettingsTest : public test::FormTest {
  protected:
    void SetUp() override {
        LoadLines({"one", "two", "three", "four", "five", "six", "seven", "eight"});
    }

    // A GeneralSettings.ini choosing option `chosen` (1 to 7, 0 for none).
    void WriteGeneral(int chosen, const std::string& number, const std::string& editor,
                      const std::string& shown) {
        std::string bytes;
        for (int i = 1; i <= 7; ++i) {
            bytes += i == chosen ? "True\r\n" : "False\r\n";
        }
        bytes += number + "\r\n" + editor + "\r\n" + shown + "\r\n";
        Write("GeneralSettings.ini", bytes);
    }
};

const QString kLoadError = QStringLiteral("Error in loading \"GeneralSettings.ini\".");

TEST_F(GeneralSettingsTest, MissingFileShowsNoNote) {
    form->CurrentLine = 5;
    form->LoadGeneralSettings();
    EXPECT_EQ(form->CurrentLine, 5);
    EXPECT_EQ(Caption(), QStringLiteral("Line Shown"));
    EXPECT_TRUE(host.messages.empty());
}

struct ChoiceCase {
    const char* name;
    int option;
    const char* number;
    const char* shown;
    int expectedLine;  // 0: a message
};

// Shown in failures by its name, not as raw bytes.
void PrintTo(const ChoiceCase& c, std::ostream* out) {
    *out << c.name;
}

class StartupNoteTest : public GeneralSettingsTest,
                        public ::testing::WithParamInterface<ChoiceCase> {};

TEST_P(StartupNoteTest, ShowsTheChosenNote) {
    const auto& c = GetParam();
    WriteGeneral(c.option, c.number, "notepad.exe", c.shown);
    form->LoadGeneralSettings();
    if (c.expectedLine > 0) {
        EXPECT_TRUE(host.messages.empty());
        EXPECT_EQ(Caption(), QStringLiteral("Line number: %1").arg(c.expectedLine));
    } else {
        EXPECT_EQ(host.messages.size(), 1u);
        EXPECT_TRUE(Exists("GeneralSettings.ini"));
    }
}

INSTANTIATE_TEST_SUITE_P(Table, StartupNoteTest,
                         ::testing::Values(ChoiceCase{"First", 1, "1", " 5 ", 1},
                                           ChoiceCase{"Last", 2, "1", " 5 ", 8},
                                           ChoiceCase{"LastLoaded", 3, "1", " 7 ", 7},
                                           ChoiceCase{"LastLoadedBeyond", 3, "1", " 9 ", 0},
                                           ChoiceCase{"Previous", 4, "1", " 5 ", 4},
                                           ChoiceCase{"PreviousOfOne", 4, "1", " 1 ", 0},
                                           ChoiceCase{"Next", 5, "1", " 5 ", 6},
                                           ChoiceCase{"NextOfLast", 5, "1", " 8 ", 0},
                                           ChoiceCase{"Number", 7, "3", " 0 ", 3},
                                           ChoiceCase{"NumberTwoAndAHalf", 7, "2.5", " 0 ", 2},
                                           ChoiceCase{"NumberThreeAndAHalf", 7, "3.5", " 0 ", 4},
                                           ChoiceCase{"NumberEmpty", 7, "", " 0 ", 0},
                                           ChoiceCase{"NumberText", 7, "abc", " 0 ", 0}),
                         [](const auto& p) { return std::string(p.param.name); });

TEST_F(GeneralSettingsTest, RandomChoiceShowsSomeNote) {
    WriteGeneral(6, "1", "notepad.exe", " 0 ");
    form->LoadGeneralSettings();
    EXPECT_GE(form->CurrentLine, 1);
    EXPECT_LE(form->CurrentLine, 8);
}

TEST_F(GeneralSettingsTest, NoChoiceStillRestoresCurrentLine) {
    WriteGeneral(0, "1", "notepad.exe", " 6 ");
    form->LoadGeneralSettings();
    EXPECT_EQ(form->CurrentLine, 6);
    EXPECT_EQ(Caption(), QStringLiteral("Line Shown"));
}

TEST_F(GeneralSettingsTest, ShownNoteRules) {
    WriteGeneral(0, "1", "e", "abc");
    form->LoadGeneralSettings();
    EXPECT_EQ(form->CurrentLine, 0);
    EXPECT_TRUE(host.messages.empty());

    // A number between quotes is still the number.
    WriteGeneral(0, "1", "e", "\"12\"");
    form->LoadGeneralSettings();
    EXPECT_EQ(form->CurrentLine, 12);
    EXPECT_TRUE(host.messages.empty());

    WriteGeneral(0, "1", "e", " 40000 ");
    form->LoadGeneralSettings();
    EXPECT_EQ(host.MessageTexts(), std::vector<QString>{kLoadError});
    EXPECT_FALSE(Exists("GeneralSettings.ini"));
}

TEST_F(GeneralSettingsTest, SixteenBitFailures) {
    for (const auto& [option, shown] :
         std::vector<std::pair<int, std::string>>{{4, "-32768"}, {5, " 32767 "}}) {
        host.messages.clear();
        WriteGeneral(option, "1", "e", shown);
        form->LoadGeneralSettings();
        EXPECT_EQ(host.MessageTexts(), std::vector<QString>{kLoadError}) << option;
        EXPECT_FALSE(Exists("GeneralSettings.ini"));
    }
    host.messages.clear();
    WriteGeneral(7, "99999", "e", " 0 ");
    form->LoadGeneralSettings();
    EXPECT_EQ(host.MessageTexts(), std::vector<QString>{kLoadError});
}

TEST_F(GeneralSettingsTest, LastLineOfAnEmptyListAsksForNoteZero) {
    Write("empty.txt", "");
    ASSERT_TRUE(form->LoadNoteFile(Path("empty.txt")));
    WriteGeneral(2, "1", "e", " 0 ");
    form->LoadGeneralSettings();
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_TRUE(host.messages[0].text.startsWith(
        QStringLiteral("Line number specified by you is smaller")));
}

TEST_F(GeneralSettingsTest, RoundTripOfEveryValue) {
    D().line_next_last->click();
    D().line_load_startup->setText(QStringLiteral("007"));
    D().text_editor_path->setText(QStringLiteral("/opt/editors/my, editor"));
    form->ShowLine(4);
    form->SaveGeneralSettings();
    EXPECT_EQ(Read("GeneralSettings.ini"),
              "False\r\nFalse\r\nFalse\r\nFalse\r\nTrue\r\nFalse\r\nFalse\r\n007\r\n"
              "\"/opt/editors/my, editor\"\r\n 4 \r\n");

    test::FakeHost host2;
    host2.folder = dir.path();
    Form1 second(host2);
    ASSERT_TRUE(second.LoadNoteFile(Path("notes.txt")));
    second.LoadGeneralSettings();
    EXPECT_TRUE(host2.messages.empty());
    Dialog& d = second.SettingsDialog();
    EXPECT_TRUE(d.line_next_last->isChecked());
    EXPECT_EQ(d.line_load_startup->text(), QStringLiteral("007"));
    EXPECT_EQ(d.text_editor_path->text(), QStringLiteral("/opt/editors/my, editor"));
    EXPECT_EQ(second.CurrentLine, 5);
}

TEST_F(GeneralSettingsTest, UnquotedCommaInEditorShiftsLineTen) {
    WriteGeneral(3, "1", "C:\\my,editor.exe", " 6 ");
    form->LoadGeneralSettings();
    EXPECT_EQ(D().text_editor_path->text(), QStringLiteral("C:\\my"));
    EXPECT_EQ(form->CurrentLine, 0);  // "editor.exe" is not a number
}

TEST_F(GeneralSettingsTest, LineNumberOptionEnablesTheBoxOnLoad) {
    WriteGeneral(7, "3", "e", " 0 ");
    form->LoadGeneralSettings();
    EXPECT_TRUE(D().line_load_startup->isEnabled());
}

}  // namespace
}  // namespace lintrel
