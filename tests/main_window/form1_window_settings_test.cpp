// SPDX-License-Identifier: GPL-3.0-or-later
#include "form_fixture.h"

namespace lintrel {
namespace {

// Screen 1280 x 800 pixels: 19200 x 12000 twips. The window is 8670 x 4215 twips outside.
class WindowSettingsTest : public test::FormTest {
  protected:
    void WriteWindow(const std::string& lines) { Write("WindowSettings.ini", lines); }
    QPoint Centred() const { return {(19200 - 8670) / 2, (12000 - 4215) / 2}; }
    QPoint Place() const { return {static_cast<int>(form->Left()), static_cast<int>(form->Top())}; }
};

TEST_F(WindowSettingsTest, MissingFileCentres) {
    form->LoadWindowSettings();
    // Centring in twips, rounded to whole pixels.
    EXPECT_NEAR(form->Left(), Centred().x(), 15);
    EXPECT_NEAR(form->Top(), Centred().y(), 15);
    EXPECT_EQ(form->Width(), 8670);
    EXPECT_FALSE(form->isMaximized());
}

// A place saved on the right-hand monitor of two comes back there, and is refused once that
// monitor is gone.
TEST_F(WindowSettingsTest, APlaceOnASecondMonitor) {
    host.screens = {QRect(0, 0, 1280, 800), QRect(1280, 0, 1920, 1080)};
    WriteWindow(" 0 \r\n 1 \r\n 1500 \r\n 30000 \r\n 0 \r\n 0 \r\n 0 \r\n");
    form->LoadWindowSettings();
    EXPECT_EQ(form->Left(), 30000);
    EXPECT_EQ(form->Top(), 1500);
    host.screens = {QRect(0, 0, 1280, 800)};
    Form1 undocked(host);
    undocked.LoadWindowSettings();
    EXPECT_LT(undocked.Left(), 19200);
}

struct PlaceCase {
    const char* name;
    std::string file;
    bool restored;  // else centred, or kept where created when `kept`
    bool kept;
    QPoint place;
};

// Shown in failures by its name, not as raw bytes.
void PrintTo(const PlaceCase& c, std::ostream* out) {
    *out << c.name;
}

class PlacementTest : public WindowSettingsTest, public ::testing::WithParamInterface<PlaceCase> {};

TEST_P(PlacementTest, Places) {
    const auto& c = GetParam();
    const QPoint created = Place();
    WriteWindow(c.file);
    form->LoadWindowSettings();
    EXPECT_TRUE(host.messages.empty());
    if (c.restored) {
        EXPECT_EQ(Place(), c.place);
    } else if (c.kept) {
        EXPECT_EQ(Place(), created);
    } else {
        EXPECT_NEAR(form->Left(), Centred().x(), 15);
        EXPECT_NEAR(form->Top(), Centred().y(), 15);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, PlacementTest,
    ::testing::Values(PlaceCase{"Restored",
                                " 0 \r\n 1 \r\n 1500 \r\n 3000 \r\n 0 \r\n 0 \r\n 0 \r\n",
                                true,
                                false,
                                {3000, 1500}},
                      PlaceCase{"TopMinus1000Kept",
                                " 0 \r\n 1 \r\n-1000 \r\n 3000 \r\n 0 \r\n 0 \r\n 0 \r\n",
                                false,
                                true,
                                {}},
                      PlaceCase{"TopMinus999Restored",
                                " 0 \r\n 1 \r\n-990 \r\n 3000 \r\n 0 \r\n 0 \r\n 0 \r\n",
                                true,
                                false,
                                {3000, -990}},
                      PlaceCase{"LeftAtScreenWidthKept",
                                " 0 \r\n 1 \r\n 0 \r\n 19200 \r\n 0 \r\n 0 \r\n 0 \r\n",
                                false,
                                true,
                                {}},
                      PlaceCase{"LeftJustInsideRestored",
                                " 0 \r\n 1 \r\n 0 \r\n 19185 \r\n 0 \r\n 0 \r\n 0 \r\n",
                                true,
                                false,
                                {19185, 0}},
                      PlaceCase{"TextReadsAsZero",
                                " 0 \r\n 1 \r\nabc\r\nxyz\r\n 0 \r\n 0 \r\n 0 \r\n",
                                true,
                                false,
                                {0, 0}},
                      PlaceCase{"GreyedCentres",
                                " 0 \r\n 2 \r\n 1500 \r\n 3000 \r\n 0 \r\n 0 \r\n 0 \r\n",
                                false,
                                false,
                                {}},
                      PlaceCase{"UncheckedCentres",
                                " 0 \r\n 0 \r\n 1500 \r\n 3000 \r\n 0 \r\n 0 \r\n 0 \r\n",
                                false,
                                false,
                                {}}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(WindowSettingsTest, SizeRestoredAroundTheCentredCorner) {
    WriteWindow(" 0 \r\n 0 \r\n 0 \r\n 0 \r\n 1 \r\n 6000 \r\n 12000 \r\n");
    form->LoadWindowSettings();
    EXPECT_EQ(form->Width(), 12000);
    EXPECT_EQ(form->Height(), 6000);
    EXPECT_NEAR(form->Left(), Centred().x(), 15);
}

TEST_F(WindowSettingsTest, SizeBelowTheMinimumTakesTheMinimum) {
    WriteWindow(" 0 \r\n 0 \r\n 0 \r\n 0 \r\n 1 \r\n 100 \r\n 100 \r\n");
    form->LoadWindowSettings();
    EXPECT_EQ(form->Width(), 8670);
    EXPECT_EQ(form->Height(), 4215);
}

TEST_F(WindowSettingsTest, StartMaximisedDisablesTheBoxesAndMaximises) {
    WriteWindow(" 1 \r\n 1 \r\n 1500 \r\n 3000 \r\n 1 \r\n 6000 \r\n 12000 \r\n");
    form->LoadWindowSettings();
    EXPECT_TRUE(form->windowState() & Qt::WindowMaximized);
    EXPECT_FALSE(D().save_win_pos->isEnabled());
    EXPECT_EQ(D().save_win_pos->Value(), 1);
}

TEST_F(WindowSettingsTest, BadCheckStateFails) {
    WriteWindow(" 0 \r\n 3 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n");
    form->LoadWindowSettings();
    EXPECT_EQ(host.MessageTexts(),
              std::vector<QString>{QStringLiteral("Error in loading \"WindowSettings.ini\".")});
    EXPECT_FALSE(Exists("WindowSettings.ini"));
}

TEST_F(WindowSettingsTest, HugeAndNegativeSizesDoNotBreakTheWindow) {
    WriteWindow(" 0 \r\n 1 \r\n 1e30 \r\n-1e30 \r\n 1 \r\n 1e38 \r\n-5 \r\n");
    form->LoadWindowSettings();
    EXPECT_GE(form->Width(), 8670);
    EXPECT_TRUE(host.messages.empty());
}

// A size beyond all screens together is held to them, before the window is shown.
TEST_F(WindowSettingsTest, SizeIsBoundByTheDesktop) {
    host.desktop = QSize(2560, 1024);
    WriteWindow(" 0 \r\n 0 \r\n 0 \r\n 0 \r\n 1 \r\n 1e30 \r\n 1e30 \r\n");
    form->LoadWindowSettings();
    EXPECT_LE(form->frameGeometry().width(), 2560);
    EXPECT_LE(form->frameGeometry().height(), 1024);
    EXPECT_EQ(form->Width(), 2560 * 15);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(WindowSettingsTest, SaveThenLoadKeepsPlaceAndSizeOverRuns) {
    D().save_win_pos->click();
    D().save_win_size->click();
    form->move(200, 150);
    form->resize(700, 400);
    form->SaveWindowSettings();
    const std::string first = Read("WindowSettings.ini");
    EXPECT_EQ(first, " 0 \r\n 1 \r\n 2250 \r\n 3000 \r\n 1 \r\n 6480 \r\n 10620 \r\n");
    for (int run = 0; run < 3; ++run) {
        test::FakeHost h;
        h.folder = dir.path();
        Form1 next(h);
        next.LoadWindowSettings();
        next.SaveWindowSettings();
        EXPECT_EQ(Read("WindowSettings.ini"), first) << "run " << run;
    }
}

// Where the platform places windows (Wayland), the place the file holds comes back as it was,
// whether it was to be restored or not, and wherever the window really stands.
TEST_F(WindowSettingsTest, PlaceIsKeptWhereThePlatformPlacesWindows) {
    host.canPlaceWindows = false;
    for (const std::string file : {" 0 \r\n 1 \r\n 2250 \r\n 3000 \r\n 0 \r\n 0 \r\n 0 \r\n",
                                   " 0 \r\n 0 \r\n-450 \r\n 99999 \r\n 0 \r\n 0 \r\n 0 \r\n"}) {
        WriteWindow(file);
        Form1 next(host);
        next.LoadWindowSettings();
        next.move(0, 0);
        next.SaveWindowSettings();
        EXPECT_EQ(Read("WindowSettings.ini").substr(0, 30), file.substr(0, 30));
    }
    EXPECT_TRUE(host.messages.empty());
}

}  // namespace
}  // namespace lintrel
