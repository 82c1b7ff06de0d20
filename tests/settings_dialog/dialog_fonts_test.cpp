// SPDX-License-Identifier: GPL-3.0-or-later
#include "form_fixture.h"

namespace lintrel {
namespace {

class FontListsTest : public test::FormTest {};

TEST_F(FontListsTest, FillingTwiceGivesNoDuplicatesAndSizesInOrder) {
    host.families << QStringLiteral("DejaVu Sans");  // listed twice by the system
    D().Load_Font_list();
    D().load_font_list_now->click();
    EXPECT_EQ(D().font_list->count(), 5);
    ASSERT_EQ(D().font_size_list->count(), 16);
    QStringList sizes;
    for (int i = 0; i < 16; ++i) {
        sizes << D().font_size_list->itemText(i);
    }
    EXPECT_EQ(sizes.join(' '), QStringLiteral("8 9 10 11 12 14 16 18 20 22 24 26 28 36 48 72"));
    QStringList faces;
    for (int i = 0; i < D().font_list->count(); ++i) {
        faces << D().font_list->itemText(i);
    }
    QStringList sorted = faces;
    sorted.sort(Qt::CaseInsensitive);
    EXPECT_EQ(faces, sorted);
}

TEST_F(FontListsTest, FillSelectsTheSansSerifFaceAndTwelve) {
    D().Load_Font_list();
    D().font_list->setCurrentIndex(D().font_list->findText(QStringLiteral("DejaVu Serif")));
    D().font_size_list->setCurrentIndex(D().font_size_list->findText(QStringLiteral("36")));
    EXPECT_EQ(form->Text1->font().family(), QStringLiteral("DejaVu Serif"));
    D().load_font_list_now->click();
    EXPECT_EQ(D().font_list->currentText(), QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(form->Text1->font().family(), QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(form->Text1->font().pointSizeF(), 12.0);
}

TEST_F(FontListsTest, FillCompletesWithoutTheSansSerifFace) {
    host.resolvedSansSerif = QStringLiteral("Not Installed");
    EXPECT_EQ(D().Load_Font_list(), 0);
    EXPECT_EQ(D().font_list->count(), 5);
    EXPECT_EQ(D().font_size_list->currentText(), QStringLiteral("12"));
}

TEST_F(FontListsTest, EmptyFamilyListStillFillsSizes) {
    host.families.clear();
    D().Load_Font_list();
    EXPECT_EQ(D().font_list->count(), 0);
    EXPECT_EQ(D().font_size_list->count(), 16);
}

TEST_F(FontListsTest, SizeChangesOnlyTheSize) {
    D().Load_Font_list();
    D().bo->click();
    D().font_size_list->setCurrentIndex(D().font_size_list->findText(QStringLiteral("9")));
    EXPECT_EQ(form->Text1->font().pointSizeF(), 9.0);
    EXPECT_TRUE(form->Text1->font().bold());
    EXPECT_EQ(form->Text1->font().family(), QStringLiteral("DejaVu Sans"));
}

TEST_F(FontListsTest, StylesApplyAtOnceAndCombine) {
    Dialog& d = D();
    d.bo->click();
    d.it->click();
    d.un->click();
    d.st->click();
    QFont f = form->Text1->font();
    EXPECT_TRUE(f.bold() && f.italic() && f.underline() && f.strikeOut());
    d.it->click();
    d.st->SetValue(0);  // from code too
    f = form->Text1->font();
    EXPECT_TRUE(f.bold());
    EXPECT_FALSE(f.italic());
    EXPECT_TRUE(f.underline());
    EXPECT_FALSE(f.strikeOut());
}

TEST_F(FontListsTest, UnfilledListsLeaveTheFontAlone) {
    const QFont before = form->Text1->font();
    EXPECT_EQ(D().font_list->count(), 0);
    EXPECT_EQ(form->Text1->font(), before);
}

}  // namespace
}  // namespace lintrel

namespace lintrel {
namespace {

// The settings window stands on its own: built without a main window, it styles the note box
// it was given.
TEST(DialogAloneTest, StylesTheNoteBoxItWasGiven) {
    test::FakeHost host;
    CommonDialog fileDialog;
    QWidget noteBox;
    Dialog dialog(host, fileDialog, &noteBox);
    dialog.Load_Font_list();
    dialog.bo->click();
    EXPECT_TRUE(noteBox.font().bold());
}

}  // namespace
}  // namespace lintrel
