// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QPushButton>

#include "form_fixture.h"

namespace lintrel {
namespace {

class DialogTest : public test::FormTest {};

TEST_F(DialogTest, CreatedOnceHiddenWithTheDefaults) {
    EXPECT_FALSE(form->HasSettingsDialog());
    Dialog& d = D();
    EXPECT_EQ(&d, &D());
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Settings - Lintrel"));
    EXPECT_TRUE(d.load_default->isChecked());
    EXPECT_TRUE(d.random_line->isChecked());
    EXPECT_EQ(d.text_editor_path->text(), QStringLiteral("notepad.exe"));
    EXPECT_EQ(d.line_load_startup->text(), QStringLiteral("1"));
    EXPECT_FALSE(d.line_load_startup->isEnabled());
    EXPECT_FALSE(d.note_file_specified_path->isEnabled());
    EXPECT_FALSE(d.Command1->isEnabled());
    EXPECT_TRUE(d.Command2->isEnabled());
    EXPECT_EQ(d.load_font_list_at_startup->Value(), 1);
    for (CheckBox* c : {d.start_max, d.save_win_pos, d.save_win_size, d.bo, d.it, d.un, d.st}) {
        EXPECT_EQ(c->Value(), 0);
    }
    EXPECT_TRUE(d.save_win_pos->isEnabled());
    EXPECT_EQ(d.font_colour->BackColor(), 0u);
    EXPECT_EQ(d.font_background_colour->BackColor(), 0xFFFFFFu);
    EXPECT_EQ(d.font_list->count(), 0);
    EXPECT_EQ(d.size(), QSize(585, 369));
}

TEST_F(DialogTest, FramesHoldTheirControls) {
    Dialog& d = D();
    EXPECT_EQ(d.Frame2->title(), QStringLiteral("General settings"));
    EXPECT_EQ(d.Frame3->title(), QStringLiteral("Window settings"));
    EXPECT_EQ(d.Frame1->title(), QStringLiteral("Font settings"));
    EXPECT_EQ(d.Frame4->title(), QStringLiteral("File settings"));
    EXPECT_EQ(d.line_no->parentWidget(), d.Frame2);
    EXPECT_EQ(d.load_specified->parentWidget(), d.Frame4);
    EXPECT_EQ(d.load_specified->geometry(), QRect(16, 88, 209, 17));
    EXPECT_EQ(d.OKButton->geometry(), QRect(248, 336, 89, 25));
    EXPECT_TRUE(d.bo->font().bold());
    EXPECT_TRUE(d.it->font().italic());
    EXPECT_TRUE(d.un->font().underline());
    EXPECT_TRUE(d.st->font().strikeOut());
}

TEST_F(DialogTest, LineNumberOptionEnablesItsBox) {
    Dialog& d = D();
    d.line_load_startup->setText(QStringLiteral("42"));
    d.line_no->click();
    EXPECT_TRUE(d.line_load_startup->isEnabled());
    d.first_line->click();
    EXPECT_FALSE(d.line_load_startup->isEnabled());
    EXPECT_EQ(d.line_load_startup->text(), QStringLiteral("42"));
}

TEST_F(DialogTest, SpecifiedFileOptionEnablesPathAndBrowse) {
    Dialog& d = D();
    d.load_specified->click();
    EXPECT_TRUE(d.note_file_specified_path->isEnabled());
    EXPECT_TRUE(d.Command1->isEnabled());
    d.note_file_specified_path->setText(QStringLiteral("/x.txt"));
    d.load_nothing->click();
    EXPECT_FALSE(d.note_file_specified_path->isEnabled());
    EXPECT_FALSE(d.Command1->isEnabled());
    EXPECT_EQ(d.note_file_specified_path->text(), QStringLiteral("/x.txt"));
}

TEST_F(DialogTest, StartMaximisedDisablesWithoutClearing) {
    Dialog& d = D();
    d.save_win_pos->click();
    d.start_max->click();
    EXPECT_FALSE(d.save_win_pos->isEnabled());
    EXPECT_FALSE(d.save_win_size->isEnabled());
    EXPECT_EQ(d.save_win_pos->Value(), 1);
    d.start_max->click();
    EXPECT_TRUE(d.save_win_pos->isEnabled());
    EXPECT_EQ(d.save_win_pos->Value(), 1);
}

TEST_F(DialogTest, ClicksToggleOnlyClearAndChecked) {
    Dialog& d = D();
    d.bo->SetValue(2);
    d.bo->click();
    EXPECT_EQ(d.bo->Value(), 1);
    d.bo->click();
    EXPECT_EQ(d.bo->Value(), 0);
    d.bo->click();
    EXPECT_EQ(d.bo->Value(), 1);
    EXPECT_FALSE(d.bo->SetValue(3));
}

TEST_F(DialogTest, OptionsFromCodeRunTheHandlersAndCanLeaveNoneChosen) {
    Dialog& d = D();
    Dialog::SetOption(d.line_no, true);
    EXPECT_TRUE(d.line_load_startup->isEnabled());
    EXPECT_FALSE(d.random_line->isChecked());
    Dialog::SetOption(d.line_no, false);
    for (QRadioButton* o : {d.first_line, d.last_line, d.last_loaded_line, d.line_pre_last,
                            d.line_next_last, d.random_line, d.line_no}) {
        EXPECT_FALSE(o->isChecked());
    }
    d.last_line->click();
    EXPECT_TRUE(d.last_line->isChecked());
}

TEST_F(DialogTest, CloseAndOkOnlyHideAndKeepPlaceAndValues) {
    Dialog& d = D();
    const QPoint centred = d.pos();
    // (screen - outer size) / 2 in twips, rounded to pixels.
    EXPECT_EQ(centred, QPoint(345, 203));
    form->Command6_Click();
    d.move(100, 120);
    d.load_specified->click();
    d.close();
    EXPECT_FALSE(d.isVisible());
    form->Command6_Click();
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(d.pos(), QPoint(100, 120));
    EXPECT_TRUE(d.note_file_specified_path->isEnabled());
    d.OKButton->click();
    EXPECT_FALSE(d.isVisible());
}

TEST_F(DialogTest, BrowseButtonsFillTheirBoxes) {
    Dialog& d = D();
    host.fileAnswers = {QStringLiteral("/home/u/start.txt"), QStringLiteral("/usr/bin/kate"),
                        std::nullopt};
    d.Command1_Click();
    d.Command2_Click();
    ASSERT_EQ(host.fileDialogs.size(), 2u);
    EXPECT_EQ(host.fileDialogs[0].DialogTitle,
              QStringLiteral("Select a file to open with Lintrel on program startup"));
    EXPECT_EQ(host.fileDialogs[1].DialogTitle,
              QStringLiteral("Select an external text editor to use with Lintrel"));
    EXPECT_EQ(host.fileDialogs[1].Filter,
              QStringLiteral("Executable Files (*.exe)|*.exe|All Files (*.*)|*.*"));
    EXPECT_EQ(host.fileDialogs[1].Flags, 4100);
    EXPECT_EQ(d.note_file_specified_path->text(), QStringLiteral("/home/u/start.txt"));
    EXPECT_EQ(d.text_editor_path->text(), QStringLiteral("/usr/bin/kate"));
    d.Command2_Click();  // cancelled
    EXPECT_EQ(d.text_editor_path->text(), QStringLiteral("/usr/bin/kate"));
}

TEST_F(DialogTest, TabOrderFollowsTheTabIndex) {
    Dialog& d = D();
    const std::vector<QWidget*> expected = {d.OKButton, d.font_list, d.font_size_list, d.bo, d.it,
                                            d.un,       d.st};
    QWidget* w = expected[0];
    for (std::size_t i = 1; i < expected.size(); ++i) {
        w = w->nextInFocusChain();
        while (w->focusPolicy() == Qt::NoFocus) {
            w = w->nextInFocusChain();
        }
        EXPECT_EQ(w, expected[i]) << "place " << i;
    }
}

}  // namespace
}  // namespace lintrel
