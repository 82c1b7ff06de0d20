// SPDX-License-Identifier: GPL-3.0-or-later
// The settings dialog from the keyboard: first focus, Tab order, arrows within an option
// frame, Enter and Escape.
#include <QApplication>
#include <QTest>

#include "form_fixture.h"

namespace lintrel {
namespace {

class KeyboardTest : public test::FormTest {
  protected:
    // Shows the dialog as the Settings command does and makes it the active window.
    Dialog& Open() {
        form->show();
        form->Command6_Click();
        QApplication::setActiveWindow(&D());
        EXPECT_TRUE(QTest::qWaitForWindowActive(&D()));
        return D();
    }
    static QString Focused() {
        QWidget* w = QApplication::focusWidget();
        return w == nullptr ? QStringLiteral("<none>") : w->objectName();
    }
    static void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key), modifiers);
    }
};

TEST_F(KeyboardTest, TabWalksTheTableAndStopsOnTheChosenOption) {
    Dialog& d = Open();
    EXPECT_EQ(Focused(), QStringLiteral("OKButton"));
    // Disabled boxes are passed; each option frame is one stop, at its chosen option.
    const QStringList expected = {"font_list",
                                  "font_size_list",
                                  "bo",
                                  "it",
                                  "un",
                                  "st",
                                  "random_line",
                                  "text_editor_path",
                                  "start_max",
                                  "save_win_pos",
                                  "save_win_size",
                                  "load_font_list_at_startup",
                                  "load_font_list_now",
                                  "load_default",
                                  "Command2",
                                  "font_colour",
                                  "font_background_colour",
                                  "notes_separation_characters",
                                  "OKButton"};
    QStringList walked;
    for (qsizetype i = 0; i < expected.size(); ++i) {
        Press(Qt::Key_Tab);
        walked << Focused();
    }
    EXPECT_EQ(walked, expected);
    Press(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(Focused(), QStringLiteral("notes_separation_characters"));
    // With "Line number:" chosen, the frame's stop moves to its tab index (after the editor
    // path), and its enabled box follows it.
    d.line_no->setChecked(true);
    d.st->setFocus();
    QStringList after;
    for (int i = 0; i < 4; ++i) {
        Press(Qt::Key_Tab);
        after << Focused();
    }
    EXPECT_EQ(after,
              QStringList({"text_editor_path", "line_no", "line_load_startup", "start_max"}));
}

TEST_F(KeyboardTest, ArrowsMoveTheChoiceWithinTheFrame) {
    Dialog& d = Open();
    struct Step {
        int key;
        QRadioButton* Dialog::*chosen;
    };
    d.random_line->setFocus();
    for (const Step& step : std::vector<Step>{{Qt::Key_Down, &Dialog::line_no},
                                              {Qt::Key_Down, &Dialog::first_line},
                                              {Qt::Key_Up, &Dialog::line_no},
                                              {Qt::Key_Left, &Dialog::random_line},
                                              {Qt::Key_Right, &Dialog::line_no}}) {
        Press(step.key);
        EXPECT_TRUE((d.*step.chosen)->isChecked()) << (d.*step.chosen)->objectName().toStdString();
        EXPECT_EQ(QApplication::focusWidget(), d.*step.chosen);
    }
    // The handler ran: the line number box follows its option.
    EXPECT_TRUE(d.line_load_startup->isEnabled());
    // The other frame is untouched; its options move among themselves.
    EXPECT_TRUE(d.load_default->isChecked());
    d.load_default->setFocus();
    Press(Qt::Key_Up);
    EXPECT_TRUE(d.load_specified->isChecked());
    EXPECT_TRUE(d.Command1->isEnabled());
    EXPECT_TRUE(d.line_no->isChecked());
}

TEST_F(KeyboardTest, SpaceOnTheChosenOptionChangesNothing) {
    Dialog& d = Open();
    d.random_line->setFocus();
    Press(Qt::Key_Space);
    EXPECT_TRUE(d.random_line->isChecked());
    for (QRadioButton* o : {d.first_line, d.last_line, d.line_no}) {
        EXPECT_FALSE(o->isChecked());
    }
}

TEST_F(KeyboardTest, EnterAndEscapeHideWithValuesKept) {
    Dialog& d = Open();
    for (const int key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        // From a text box too: typing there and pressing the key keeps what was typed.
        d.notes_separation_characters->setFocus();
        QTest::keyClicks(d.notes_separation_characters, QStringLiteral("#"));
        Press(key);
        EXPECT_FALSE(d.isVisible()) << key;
        Open();
    }
    EXPECT_EQ(d.notes_separation_characters->text(), QStringLiteral("###"));
    EXPECT_TRUE(d.random_line->isChecked());
}

TEST_F(KeyboardTest, FocusedSwatchShowsAFrame) {
    Dialog& d = Open();
    d.OKButton->setFocus();
    const QImage unfocused = d.font_background_colour->grab().toImage();
    d.font_background_colour->setFocus();
    const QImage focused = d.font_background_colour->grab().toImage();
    EXPECT_NE(focused, unfocused);
    // The frame is drawn in the highlight colour at the swatch's edge.
    EXPECT_EQ(focused.pixelColor(1, focused.height() / 2), d.palette().color(QPalette::Highlight));
}

TEST_F(KeyboardTest, SettingsBringsBackAMinimisedDialog) {
    Dialog& d = Open();
    d.showMinimized();
    form->Command6_Click();
    EXPECT_FALSE(d.isMinimized());
    EXPECT_TRUE(d.isVisible());
}

}  // namespace
}  // namespace lintrel
