// SPDX-License-Identifier: GPL-3.0-or-later
#include <QFontDatabase>
#include <QFontInfo>

#include "form_fixture.h"

namespace lintrel {
namespace {

// The machine's own fonts, as the real program sees them.
class RealFontsHost : public test::FakeHost {
  public:
    QStringList FontFamilies() override { return QFontDatabase::families(); }
    QString ResolveFontFamily(const QString& requested) override {
        return QFontInfo(QFont(requested)).family();
    }
};

// Every installed face, with a size, styles and colours, comes back on the next start
// without a message.
TEST(RealFontsTest, EveryInstalledFaceRoundTrips) {
    QTemporaryDir dir;
    RealFontsHost host;
    host.folder = dir.path();
    Form1 first(host);
    first.LoadFontSettings();
    Dialog& d = first.SettingsDialog();
    ASSERT_GT(d.font_list->count(), 0);
    EXPECT_EQ(d.font_list->currentText(), host.ResolveFontFamily(QStringLiteral("MS Sans Serif")));
    for (int i = 0; i < d.font_list->count(); ++i) {
        d.font_list->setCurrentIndex(i);
        d.font_size_list->setCurrentIndex(i % d.font_size_list->count());
        d.it->SetValue(i % 2);
        d.font_colour->SetBackColor(static_cast<std::uint32_t>(i * 0x010203));
        first.SaveFontSettings();

        RealFontsHost host2;
        host2.folder = dir.path();
        Form1 second(host2);
        second.LoadFontSettings();
        EXPECT_TRUE(host2.messages.empty()) << d.font_list->currentText().toStdString();
        Dialog& d2 = second.SettingsDialog();
        EXPECT_EQ(d2.font_list->currentText(), d.font_list->currentText());
        EXPECT_EQ(d2.font_size_list->currentText(), d.font_size_list->currentText());
        EXPECT_EQ(d2.it->Value(), d.it->Value());
        EXPECT_EQ(d2.font_colour->BackColor(), d.font_colour->BackColor());
        EXPECT_EQ(second.Text1->font().family(), d.font_list->currentText());
    }
}

}  // namespace
}  // namespace lintrel
