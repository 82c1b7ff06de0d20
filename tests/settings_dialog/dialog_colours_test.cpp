// SPDX-License-Identifier: GPL-3.0-or-later
#include "form_fixture.h"
#include "platform/colour_chooser.h"

namespace lintrel {
namespace {

class ColourTest : public test::FormTest {};

TEST_F(ColourTest, RecordIsFilledForEveryCall) {
    host.colourAnswers = {std::nullopt, std::nullopt};
    EXPECT_EQ(D().ShowColorDialog(0, true, 0), -1);
    EXPECT_EQ(D().ShowColorDialog(7, false, 0x00FF00), -1);
    ASSERT_EQ(host.colourCalls.size(), 2u);
    const CHOOSECOLOR& first = host.colourCalls[0].record;
    EXPECT_EQ(first.lStructSize, 36u);
    EXPECT_EQ(first.hwndOwner, 0);
    EXPECT_EQ(first.hInstance, 0);
    EXPECT_EQ(first.rgbResult, 0);
    EXPECT_EQ(first.Flags, 0x183u);
    EXPECT_EQ(first.lCustData, 0);
    EXPECT_EQ(first.lpfnHook, 0);
    EXPECT_EQ(first.lpTemplateName, nullptr);
    const CHOOSECOLOR& second = host.colourCalls[1].record;
    EXPECT_EQ(second.hwndOwner, 7);
    EXPECT_EQ(second.rgbResult, 0x00FF00);
    EXPECT_EQ(second.Flags, 0x181u);
    // A fresh all-black custom table each call, whatever the last call left in it.
    EXPECT_EQ(host.colourCalls[1].custom, std::vector<std::int32_t>(16, 0));
}

// While the chooser is open the other swatch opens no second chooser.
TEST_F(ColourTest, OneChooserAtATime) {
    host.colourAnswers = {0x0000FFu};
    host.whileChoosing = [this] {
        host.whileChoosing = nullptr;
        D().font_background_colour->click();
    };
    D().font_colour->click();
    EXPECT_EQ(host.colourCalls.size(), 1u);
    EXPECT_EQ(D().font_colour->BackColor(), 0x0000FFu);
    // Once it has closed, a swatch opens it again.
    D().font_background_colour->click();
    EXPECT_EQ(host.colourCalls.size(), 2u);
}

TEST_F(ColourTest, SystemColoursAreTranslated) {
    host.colourAnswers = {std::nullopt, std::nullopt};
    D().ShowColorDialog(0, true, static_cast<std::int32_t>(0x8000000F));
    D().ShowColorDialog(0, true, static_cast<std::int32_t>(0x80000099));
    EXPECT_EQ(host.colourCalls[0].record.rgbResult, 0xC0C0C0);
    EXPECT_EQ(host.colourCalls[1].record.rgbResult, -1);
}

TEST(OleTranslateColorTest, PlainSystemAndInvalid) {
    test::FakeHost host;
    std::uint32_t out = 1;
    EXPECT_EQ(OleTranslateColor(host, 0x123456, 0, &out), 0);
    EXPECT_EQ(out, 0x123456u);
    EXPECT_EQ(OleTranslateColor(host, 0x80000005, 0, &out), 0);
    EXPECT_EQ(out, 0xFFFFFFu);
    EXPECT_NE(OleTranslateColor(host, 0x80000019, 0, &out), 0);
    EXPECT_NE(OleTranslateColor(host, 0x01000000, 0, &out), 0);
    EXPECT_NE(OleTranslateColor(host, 0xFFFFFFFF, 0, &out), 0);
}

TEST_F(ColourTest, ConfirmedColourChangesSwatchAndText) {
    host.colourAnswers = {0x0000FF, 0x00FFFF};
    D().font_colour->click();
    D().font_background_colour_Click();
    EXPECT_EQ(D().font_colour->BackColor(), 0x0000FFu);
    EXPECT_EQ(form->Text1->palette().color(QPalette::Text), QColor(255, 0, 0));
    EXPECT_EQ(form->Text1->palette().color(QPalette::Base), QColor(255, 255, 0));
    EXPECT_EQ(host.colourCalls[1].record.rgbResult, 0xFFFFFF);  // opened at white
}

TEST_F(ColourTest, CancelChangesNothing) {
    const QColor before = form->Text1->palette().color(QPalette::Text);
    host.colourAnswers = {std::nullopt};
    D().font_colour_Click();
    EXPECT_EQ(D().font_colour->BackColor(), 0u);
    EXPECT_EQ(form->Text1->palette().color(QPalette::Text), before);
}

TEST_F(ColourTest, SystemColourSwatchStoresThePlainChoice) {
    ASSERT_TRUE(D().font_background_colour->SetBackColor(0x80000005));
    host.colourAnswers = {0x336699};
    D().font_background_colour_Click();
    EXPECT_EQ(host.colourCalls[0].record.rgbResult, 0xFFFFFF);
    EXPECT_EQ(D().font_background_colour->BackColor(), 0x336699u);
}

}  // namespace
}  // namespace lintrel
