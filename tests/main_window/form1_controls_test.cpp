// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QPushButton>
#include <QScrollBar>

#include "form_fixture.h"

namespace lintrel {
namespace {

class Form1LayoutTest : public test::FormTest {};

TEST_F(Form1LayoutTest, CreatedAtTheDesignedClientSize) {
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Lintrel"));
    EXPECT_EQ(form->size(), QSize(570, 249));
    EXPECT_EQ(form->Width(), 8670);
    EXPECT_EQ(form->Height(), 4215);
    EXPECT_EQ(form->Command4->geometry(), QRect(504, 216, 57, 25));
    EXPECT_EQ(form->Text1->geometry().topLeft(), QPoint(8, 40));
    EXPECT_EQ(form->file_name->text(), QStringLiteral("File Name"));
    EXPECT_EQ(form->line_shown->text(), QStringLiteral("Line Shown"));
    EXPECT_EQ(form->Text1->toPlainText(), QStringLiteral("Text1"));
    // The note box shows its scroll bar even when the note fits.
    form->show();
    QApplication::processEvents();
    EXPECT_TRUE(form->Text1->verticalScrollBar()->isVisible());
}

TEST_F(Form1LayoutTest, ResizeFollowsTheRulesAndKeepsTheMinimum) {
    form->show();
    form->resize(800, 500);
    QApplication::processEvents();
    EXPECT_EQ(form->Command4->geometry().topLeft(), QPoint(800 + 8 - 74, 500 + 32 - 65));
    EXPECT_EQ(form->Text1->geometry().right() + 1, 800 - 10);
    EXPECT_EQ(form->Command1->geometry().topLeft(), QPoint(8, 500 - 33));
    form->resize(100, 400);
    QApplication::processEvents();
    EXPECT_EQ(form->size(), QSize(570, 400));
    form->resize(700, 50);
    QApplication::processEvents();
    EXPECT_EQ(form->size(), QSize(700, 249));
}

TEST_F(Form1LayoutTest, TabOrderStartsAtTheNote) {
    const std::vector<QWidget*> expected = {form->Text1,    form->Command1, form->Command2,
                                            form->Command3, form->Command4, form->Command5,
                                            form->Command6, form->Command7, form->Command8,
                                            form->Command9, form->Text1};
    QWidget* w = form->Text1;
    for (std::size_t i = 1; i < expected.size(); ++i) {
        w = w->nextInFocusChain();
        while (w->focusPolicy() == Qt::NoFocus || !w->isWidgetType() ||
               w->parentWidget() != form.get()) {
            w = w->nextInFocusChain();
        }
        EXPECT_EQ(w, expected[i]) << "place " << i;
    }
}

TEST_F(Form1LayoutTest, NoButtonIsTheDefault) {
    for (auto* b : form->findChildren<QPushButton*>()) {
        EXPECT_FALSE(b->isDefault());
        EXPECT_FALSE(b->autoDefault());
    }
}

TEST_F(Form1LayoutTest, MinimisedKeepsTheLayout) {
    form->show();
    form->resize(800, 500);
    QApplication::processEvents();
    const QRect before = form->Command4->geometry();
    form->showMinimized();
    form->Form_Resize();
    EXPECT_EQ(form->Command4->geometry(), before);
    EXPECT_TRUE(host.messages.empty());
}

}  // namespace
}  // namespace lintrel
