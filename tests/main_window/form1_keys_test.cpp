// SPDX-License-Identifier: GPL-3.0-or-later
// Beyond the design: finding a note, reading the file again, the keys that reach the
// commands, and the tooltips of the two labels.
#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QTest>

#include "form_fixture.h"

namespace lintrel {
namespace {

class FindTest : public test::FormTest {};

TEST_F(FindTest, FindsAsksWithTheLastTextAndRepeats) {
    LoadLines({"alpha", "beta", "Alpha again", "gamma"});
    form->ShowLine(1);
    host.inputAnswers = {QStringLiteral("ALPHA")};
    form->FindNote();
    EXPECT_EQ(host.prompts.back(), QStringLiteral("Find the next note containing:"));
    EXPECT_EQ(host.initialTexts.back(), QString());
    EXPECT_EQ(form->CurrentLine, 3);
    EXPECT_EQ(Caption(), QStringLiteral("Line number: 3"));
    // F3 repeats without asking, and wraps.
    const std::size_t asked = host.prompts.size();
    form->FindAgain();
    EXPECT_EQ(host.prompts.size(), asked);
    EXPECT_EQ(form->CurrentLine, 1);
    // Ctrl+F offers the last text; Cancel and an empty answer change nothing.
    host.inputAnswers = {std::nullopt, QString()};
    form->FindNote();
    EXPECT_EQ(host.initialTexts.back(), QStringLiteral("ALPHA"));
    form->FindNote();
    EXPECT_EQ(form->CurrentLine, 1);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(FindTest, NothingFoundSaysSoAndF3AsksFirst) {
    LoadLines({"alpha", "beta"});
    form->ShowLine(2);
    host.inputAnswers = {QStringLiteral("kiwi")};
    form->FindAgain();  // no text yet: it asks
    ASSERT_EQ(host.prompts.size(), 1u);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, QStringLiteral("No note contains the text you specified."));
    EXPECT_EQ(host.messages[0].icon, MsgIcon::Information);
    EXPECT_EQ(form->CurrentLine, 2);
    EXPECT_EQ(Shown(), QStringLiteral("beta"));
}

class ReloadTest : public test::FormTest {};

TEST_F(ReloadTest, ReadsTheFileAgainAndKeepsTheNumber) {
    struct Case {
        const char* name;
        std::string rewritten;  // the file's new bytes; "<gone>" removes it
        QString separator;      // set in the dialog before reloading
        int shownAfter;
        QString textAfter;
        std::size_t countAfter;
        bool message;
    };
    const Case cases[] = {
        {"same number", "one\r\nTWO\r\nthree\r\n", "", 2, "TWO", 3, false},
        {"shorter file", "only\r\n", "", 1, "only", 1, false},
        {"empty file", "", "", 2, "", 0, false},
        {"vanished file", "<gone>", "", 2, "two", 3, true},
        {"separator changed meanwhile", "a#b#c#d", "#", 2, "c", 3, false},
    };
    for (const Case& c : cases) {
        host.messages.clear();
        D().notes_separation_characters->clear();
        const QString path = LoadLines({"one", "two", "three"});
        form->ShowLine(2);
        if (std::string(c.rewritten) == "<gone>") {
            QFile::remove(path);
        } else {
            Write("notes.txt", c.rewritten);
        }
        D().notes_separation_characters->setText(c.separator);
        form->ReloadNoteFile();
        EXPECT_EQ(form->CurrentLine, c.shownAfter) << c.name;
        EXPECT_EQ(Shown(), c.textAfter) << c.name;
        EXPECT_EQ(form->NoteList.Count(), c.countAfter) << c.name;
        ASSERT_EQ(host.messages.size(), c.message ? 1u : 0u) << c.name;
        if (c.message) {
            EXPECT_EQ(host.messages[0].text,
                      QStringLiteral("The note file could not be read again."));
            EXPECT_EQ(host.messages[0].icon, MsgIcon::Information);
        }
    }
}

TEST_F(ReloadTest, NothingLoadedNothingHappens) {
    form->ReloadNoteFile();
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(form->file_name->text(), QStringLiteral("File Name"));
}

class KeysTest : public test::FormTest {
  protected:
    void SetUp() override {
        LoadLines({"one", "two", "three", "four"});
        form->show();
        QApplication::setActiveWindow(form.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
        form->ShowLine(2);
    }
};

// Each key works from the note box and from a button.
TEST_F(KeysTest, EveryKeyReachesItsCommandFromAnyControl) {
    struct Case {
        const char* name;
        QKeyCombination key;
        std::function<void(test::FakeHost&)> script;
        std::function<bool(Form1&, test::FakeHost&)> happened;
    };
    const Case cases[] = {
        {"Alt+Right: Next", Qt::ALT | Qt::Key_Right, nullptr,
         [](Form1& f, test::FakeHost&) { return f.CurrentLine == 3; }},
        {"Alt+Left: Previous", Qt::ALT | Qt::Key_Left, nullptr,
         [](Form1& f, test::FakeHost&) { return f.CurrentLine == 1; }},
        {"Ctrl+G: Go to", Qt::CTRL | Qt::Key_G,
         [](test::FakeHost& h) { h.inputAnswers = {QStringLiteral("4")}; },
         [](Form1& f, test::FakeHost&) { return f.CurrentLine == 4; }},
        {"Ctrl+O: Browse", Qt::CTRL | Qt::Key_O, nullptr,
         [](Form1&, test::FakeHost& h) { return h.fileDialogs.size() == 1; }},
        {"F1: About", QKeyCombination(Qt::Key_F1), nullptr,
         [](Form1&, test::FakeHost& h) {
             return !h.messages.empty() && h.messages[0].text.contains(QStringLiteral("Ctrl+F"));
         }},
        {"Ctrl+F: Find", Qt::CTRL | Qt::Key_F,
         [](test::FakeHost& h) { h.inputAnswers = {QStringLiteral("THREE")}; },
         [](Form1& f, test::FakeHost&) { return f.CurrentLine == 3; }},
        {"F5: Reload", QKeyCombination(Qt::Key_F5), nullptr,
         [](Form1& f, test::FakeHost&) { return f.CurrentLine == 2 && f.NoteList.Count() == 4; }},
    };
    for (QWidget* from :
         {static_cast<QWidget*>(form->Text1), static_cast<QWidget*>(form->Command6)}) {
        for (const Case& c : cases) {
            form->ShowLine(2);
            host.messages.clear();
            host.fileDialogs.clear();
            if (c.script) {
                c.script(host);
            }
            from->setFocus();
            QTest::keyClick(from, c.key.key(), c.key.keyboardModifiers());
            EXPECT_TRUE(c.happened(*form, host))
                << c.name << " from " << from->objectName().toStdString();
        }
    }
}

// Each press of a button's Alt key clicks it, however quick, and so does each repeat of a
// held one, as Alt+Right does.
TEST_F(KeysTest, EveryAltKeyPressAndRepeatClicksTheButton) {
    LoadLines({"1", "2", "3", "4", "5", "6"});
    form->ShowLine(1);
    QTest::keyClick(form->Text1, Qt::Key_N, Qt::AltModifier);
    QTest::keyClick(form->Text1, Qt::Key_N, Qt::AltModifier);
    EXPECT_EQ(form->CurrentLine, 3);
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_N, Qt::AltModifier, QStringLiteral("n"), true);
    QApplication::sendEvent(form->Text1, &repeat);
    EXPECT_EQ(form->CurrentLine, 4);
    QTest::keyClick(form->Text1, Qt::Key_P, Qt::AltModifier);
    EXPECT_EQ(form->CurrentLine, 3);
}

TEST_F(KeysTest, CtrlQClosesAsExitDoes) {
    QTest::keyClick(form->Text1, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(Exists("GeneralSettings.ini"));
}

TEST_F(KeysTest, NothingWhileAModalBoxIsOpen) {
    QDialog modal(form.get());
    modal.setModal(true);
    modal.show();
    QTest::keyClick(form->Text1, Qt::Key_Right, Qt::AltModifier);
    EXPECT_EQ(form->CurrentLine, 2);
}

TEST_F(KeysTest, TooltipsShowTheWholePathAndTheRealCount) {
    std::vector<std::string> many(40000, "x");
    const QString path = LoadLines(many, "a-long-name-of-a-note-file-that-runs-under-Browse.txt");
    form->ShowLine(7);
    EXPECT_EQ(form->file_name->toolTip(),
              path + QStringLiteral("\n(followed: changes show by themselves)"));
    EXPECT_EQ(form->line_shown->toolTip(), QStringLiteral("Note 7 of 40000"));
}

}  // namespace
}  // namespace lintrel
