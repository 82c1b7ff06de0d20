// SPDX-License-Identifier: GPL-3.0-or-later
// A note printed to the terminal is the note the window shows: one table of note files (line
// ends, a separator file, the separator text, code pages), each printed and shown.
#include "settings/print_command.h"

#include "form_fixture.h"
#include "settings_dialog/dialog.h"

namespace lintrel {
namespace {

class PrintCommandTest : public test::FormTest {
  protected:
    // Prints `words` (then the file) with the settings kept in the test's folder.
    std::pair<int, std::string> Print(const QStringList& words) {
        QString error;
        const auto request = ParsePrintRequest(words, error);
        EXPECT_TRUE(request && !request->which.isEmpty()) << error.toStdString();
        std::string out;
        std::string err;
        const int status = RunPrintRequest(
            *request, dir.path(), [](std::size_t n) { return n - 1; }, out, err);
        return {status, status == kPrinted ? out : err};
    }
};

TEST_F(PrintCommandTest, PrintsTheNoteTheWindowShows) {
    const struct {
        const char* name;
        std::string bytes;
        const char* separatorFile;  // beside the note file, when not null
        const char* separatorText;  // the setting, when not null
        int charset;
        int note;
    } rows[] = {
        {"CR LF lines", "one\r\ntwo\r\nthree\r\n", nullptr, nullptr, 1, 2},
        {"lone CR lines", "one\rtwo\rthree", nullptr, nullptr, 1, 3},
        {"LF only: one note", "one\ntwo\nthree\n", nullptr, nullptr, 1, 1},
        {"separator file", "head\r\n--\r\nfirst\r\nline two\r\n--\r\nsecond\r\n", "--", nullptr, 1,
         1},
        {"separator text", "a;;b c;;d", nullptr, ";;", 1, 2},
        {"Cyrillic", "\xcf\xf0\xe8\xe2\xe5\xf2\r\n\xec\xe8\xf0\r\n", nullptr, nullptr, 204, 2},
        {"GBK", "\xc4\xe3\xba\xc3\r\n", nullptr, nullptr, 134, 1},
    };
    for (const auto& row : rows) {
        form = std::make_unique<Form1>(host);
        const QString path = Write("notes.txt", row.bytes);
        QFile::remove(Path("notes.ltrsep"));
        if (row.separatorFile != nullptr) {
            Write("notes.ltrsep", std::string(row.separatorFile) + "\r\n");
        }
        host.inputAnswers = {QString::number(row.charset)};
        form->Form_Load(path);
        form->SettingsDialog().notes_separation_characters->setText(
            QString::fromLatin1(row.separatorText != nullptr ? row.separatorText : ""));
        ASSERT_TRUE(form->LoadNoteFile(path)) << row.name;
        form->ShowLine(static_cast<std::int16_t>(row.note));
        QStringList words = {"--print", QString::number(row.note)};
        if (row.separatorText != nullptr) {
            words << "--separator" << QString::fromLatin1(row.separatorText);
        }
        words << "--charset" << QString::number(row.charset) << path;
        EXPECT_EQ(Print(words),
                  std::pair(int{kPrinted}, form->Text1->toPlainText().toStdString() + "\n"))
            << row.name;
    }
}

// The separator text kept in the settings, random notes that are never blank, the count, and
// what a wrong request says.
TEST_F(PrintCommandTest, SettingsRandomCountAndErrors) {
    const QString path = Write("notes.txt", "one;   ;two\r\nthree;;four");
    form->SettingsDialog().notes_separation_characters->setText(QStringLiteral(";"));
    form->SaveFileSettings();
    ASSERT_TRUE(form->LoadNoteFile(path));
    form->ShowLine(3);
    const std::string third = form->Text1->toPlainText().toStdString() + "\n";
    EXPECT_EQ(Print({"--print", "3", path}), std::pair(int{kPrinted}, third));
    EXPECT_EQ(Print({"--count", path}),
              std::pair(int{kPrinted}, std::to_string(form->NoteList.Count()) + "\n"));
    // The draw takes the last of the notes that are not blank.
    EXPECT_EQ(Print({"--print", path}), std::pair(int{kPrinted}, std::string("four\n")));
    // An empty separator given overrides the setting: a note per line.
    EXPECT_EQ(Print({"--print", "--separator", "", path}),
              std::pair(int{kPrinted}, std::string("three;;four\n")));
    EXPECT_EQ(Print({"--print", "9", path}).first, kOutOfRange);
    EXPECT_EQ(Print({"--print", Path("missing.txt")}).first, kNoFile);
    QString error;
    for (const QStringList& wrong : {QStringList{"--print"},
                                     {"--print", "--charset", "7", path},
                                     {"--print", "1", "2", path},
                                     {"--count", "--separator"}}) {
        const auto request = ParsePrintRequest(wrong, error);
        EXPECT_TRUE(request && request->which.isEmpty()) << wrong.join(' ').toStdString();
    }
    EXPECT_FALSE(ParsePrintRequest({path}, error));
}

}  // namespace
}  // namespace lintrel
