// SPDX-License-Identifier: GPL-3.0-or-later
#include "form_fixture.h"

namespace lintrel {
namespace {

class FontSettingsTest : public test::FormTest {
  protected:
    QFont TextFont() const { return form->Text1->font(); }
    QColor TextColour(QPalette::ColorRole role) const { return form->Text1->palette().color(role); }
};

const QString kLoadError = QStringLiteral("Error in loading \"FontSettings.ini\".");

TEST_F(FontSettingsTest, MissingFileFillsTheListsOnly) {
    const QColor before = TextColour(QPalette::Text);
    form->LoadFontSettings();
    EXPECT_EQ(D().font_list->count(), 5);
    EXPECT_EQ(D().font_list->currentText(), QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(D().font_size_list->currentText(), QStringLiteral("12"));
    EXPECT_EQ(TextColour(QPalette::Text), before);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(FontSettingsTest, RestoresFaceSizeStylesAndColours) {
    Write("FontSettings.ini",
          " 1 \r\nLiberation Mono\r\n20\r\n 1 \r\n 0 \r\n 2 \r\n 0 \r\n 255 \r\n 65280 \r\n");
    form->LoadFontSettings();
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(D().font_list->currentText(), QStringLiteral("Liberation Mono"));
    EXPECT_EQ(D().font_size_list->currentText(), QStringLiteral("20"));
    EXPECT_EQ(TextFont().family(), QStringLiteral("Liberation Mono"));
    EXPECT_EQ(TextFont().pointSizeF(), 20.0);
    EXPECT_TRUE(TextFont().bold());
    EXPECT_FALSE(TextFont().italic());
    EXPECT_TRUE(TextFont().underline());  // greyed counts as on
    EXPECT_EQ(D().un->Value(), 2);
    EXPECT_EQ(TextColour(QPalette::Text), QColor(255, 0, 0));
    EXPECT_EQ(TextColour(QPalette::Base), QColor(0, 255, 0));
    EXPECT_EQ(D().font_colour->BackColor(), 255u);
}

TEST_F(FontSettingsTest, UncheckedFillIgnoresFaceAndSize) {
    Write("FontSettings.ini",
          " 0 \r\nLiberation Mono\r\n20\r\n 0 \r\n 1 \r\n 0 \r\n 0 \r\n 0 \r\n 16777215 \r\n");
    form->LoadFontSettings();
    EXPECT_EQ(D().font_list->count(), 0);
    EXPECT_TRUE(TextFont().italic());
    form->SaveFontSettings();
    EXPECT_EQ(Read("FontSettings.ini"),
              " 0 \r\n\r\n\r\n 0 \r\n 1 \r\n 0 \r\n 0 \r\n 0 \r\n 16777215 \r\n");
}

TEST_F(FontSettingsTest, EmptyFaceKeepsTheDefaultEntry) {
    Write("FontSettings.ini", " 1 \r\n\r\n14\r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n 16777215 \r\n");
    form->LoadFontSettings();
    EXPECT_EQ(D().font_list->currentText(), QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(D().font_size_list->currentText(), QStringLiteral("14"));
}

TEST_F(FontSettingsTest, FaceNotInstalledOrSizeNotListedFails) {
    for (const std::string& file :
         {std::string(" 1 \r\nNo Such Face\r\n12\r\n 1 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n"),
          std::string(" 1 \r\nDejaVu Sans\r\n13\r\n 1 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n"),
          std::string(" 1 \r\nDejaVu Sans\r\n12\r\n 1 \r\n 0 \r\n 0 \r\n 0 \r\nred\r\n 0 \r\n")}) {
        host.messages.clear();
        Write("FontSettings.ini", file);
        form->LoadFontSettings();
        EXPECT_EQ(host.MessageTexts(), std::vector<QString>{kLoadError}) << file;
        EXPECT_FALSE(Exists("FontSettings.ini"));
    }
}

TEST_F(FontSettingsTest, SystemColourIsKeptAsItIs) {
    Write("FontSettings.ini",
          " 1 \r\n\r\n\r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n-2147483640 \r\n-2147483643 \r\n");
    form->LoadFontSettings();
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(D().font_colour->BackColor(), 0x80000008u);
    EXPECT_EQ(TextColour(QPalette::Base), QColor(255, 255, 255));
    form->SaveFontSettings();
    EXPECT_NE(Read("FontSettings.ini").find("-2147483640 \r\n-2147483643 \r\n"), std::string::npos);
}

TEST_F(FontSettingsTest, UnknownSystemColourFails) {
    Write("FontSettings.ini", " 1 \r\n\r\n\r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n-2147483520 \r\n 0 \r\n");
    form->LoadFontSettings();
    EXPECT_EQ(host.MessageTexts(), std::vector<QString>{kLoadError});
}

// A family installed from several foundries is listed once, under its own name; a file of an
// earlier version that names it with its foundry still selects it.
TEST_F(FontSettingsTest, FoundriesListedOnceAndOldNamesStillLoad) {
    host.families = {QStringLiteral("C059 [UKWN]"), QStringLiteral("C059 [urw]"),
                     QStringLiteral("DejaVu Sans")};
    Write("FontSettings.ini",
          " 1 \r\nC059 [urw]\r\n12\r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n 16777215 \r\n");
    form->LoadFontSettings();
    EXPECT_TRUE(host.messages.empty());
    QStringList listed;
    for (int i = 0; i < D().font_list->count(); ++i) {
        listed << D().font_list->itemText(i);
    }
    EXPECT_EQ(listed, QStringList({QStringLiteral("C059"), QStringLiteral("DejaVu Sans")}));
    EXPECT_EQ(D().font_list->currentText(), QStringLiteral("C059"));
}

// Family names with commas come back whole.
TEST_F(FontSettingsTest, RoundTripOfEverySetting) {
    form->LoadFontSettings();
    for (const QString& face : {QStringLiteral("Noto Sans, Bold"), QStringLiteral("Cantarell")}) {
        D().font_list->setCurrentIndex(D().font_list->findText(face));
        D().font_size_list->setCurrentIndex(D().font_size_list->findText(QStringLiteral("28")));
        D().bo->click();
        D().st->click();
        D().font_colour->SetBackColor(0x336699);
        D().font_background_colour->SetBackColor(0x102030);
        form->SaveFontSettings();

        test::FakeHost host2;
        host2.folder = dir.path();
        Form1 second(host2);
        second.LoadFontSettings();
        EXPECT_TRUE(host2.messages.empty());
        Dialog& d = second.SettingsDialog();
        EXPECT_EQ(d.font_list->currentText(), face);
        EXPECT_EQ(second.Text1->font().family(), face);
        EXPECT_EQ(d.font_size_list->currentText(), QStringLiteral("28"));
        EXPECT_EQ(d.bo->Value(), D().bo->Value());
        EXPECT_EQ(d.st->Value(), D().st->Value());
        EXPECT_EQ(d.font_colour->BackColor(), 0x336699u);
        EXPECT_EQ(d.font_background_colour->BackColor(), 0x102030u);
        EXPECT_EQ(second.Text1->palette().color(QPalette::Text), QColor(0x99, 0x66, 0x33));
    }
}

}  // namespace
}  // namespace lintrel
