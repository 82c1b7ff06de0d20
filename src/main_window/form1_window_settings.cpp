// SPDX-License-Identifier: GPL-3.0-or-later
// WindowSettings.ini: start maximised, and the main window's saved position and size.
#include <algorithm>

#include "main_window/control_values.h"
#include "main_window/form1.h"
#include "platform/host.h"
#include "platform/units.h"
#include "settings/settings_file.h"
#include "settings/window_placement.h"
#include "settings_dialog/check_box.h"
#include "settings_dialog/dialog.h"

namespace lintrel {

namespace {

// The lines of WindowSettings.ini in their order, and their count.
enum WindowLine : std::size_t {
    kStartMaximised,
    kSavePosition,
    kTop,
    kLeft,
    kSaveSize,
    kHeight,
    kWidth,
    kWindowLines
};

// Centres the window on the screen for its present outer size.
void Centre(Form1& form, const QSize& screen) {
    const WindowPlace place = CentredPlace(
        form.Width(), form.Height(), PixelsToTwips(screen.width()), PixelsToTwips(screen.height()));
    form.SetTop(place.top);
    form.SetLeft(place.left);
}

// The desktop's screens in twips, where a saved place may lie.
std::vector<ScreenArea> ScreenAreas(Host& host) {
    std::vector<ScreenArea> areas;
    for (const QRect& screen : host.Screens()) {
        areas.push_back({PixelsToTwips(screen.x()), PixelsToTwips(screen.y()),
                         PixelsToTwips(screen.width()), PixelsToTwips(screen.height())});
    }
    return areas;
}

}  // namespace

void Form1::SaveWindowSettings() {
    Dialog& d = SettingsDialog();
    SaveSettingsFile(host_, kWindowSettings, kWindowLines, [&](SettingsWriter& w) {
        w.At(kStartMaximised).Integer(d.start_max->Value());
        w.At(kSavePosition).Integer(d.save_win_pos->Value());
        w.At(kTop).Single(static_cast<float>(Top()));
        w.At(kLeft).Single(static_cast<float>(Left()));
        w.At(kSaveSize).Integer(d.save_win_size->Value());
        w.At(kHeight).Single(static_cast<float>(Height()));
        w.At(kWidth).Single(static_cast<float>(Width()));
    });
}

void Form1::LoadWindowSettings() {
    Dialog& d = SettingsDialog();
    const QSize screen = host_.ScreenSize();
    LoadSettingsFile(
        host_, kWindowSettings, kWindowLines,
        [&](const std::vector<Field>& f) {
            SetCheckState(d.start_max, f[kStartMaximised]);
            SetCheckState(d.save_win_pos, f[kSavePosition]);
            SetCheckState(d.save_win_size, f[kSaveSize]);
            if (!host_.CanPlaceWindows()) {
                // The compositor places the window: the place the file holds is kept as it is,
                // for the next start on a desktop that lets a window be placed.
                KeepPlace(ReadSingleValue(f[kTop]), ReadSingleValue(f[kLeft]));
            } else if (d.save_win_pos->Value() != 1) {
                Centre(*this, screen);
            } else if (const auto place =
                           AcceptedPlace(ReadSingleValue(f[kTop]), ReadSingleValue(f[kLeft]),
                                         ScreenAreas(host_))) {
                SetTop(place->top);
                SetLeft(place->left);
            }
            if (d.save_win_size->Value() == 1) {
                // No larger than all screens together: a window beyond them cannot be used.
                const QSize desktop = host_.DesktopSize();
                SetHeight(
                    std::min<double>(ReadSingle(f[kHeight]), PixelsToTwips(desktop.height())));
                SetWidth(std::min<double>(ReadSingle(f[kWidth]), PixelsToTwips(desktop.width())));
            }
            if (d.start_max->Value() == 1) {
                setWindowState(windowState() | Qt::WindowMaximized);
            }
        },
        [&] { Centre(*this, screen); });
}

}  // namespace lintrel
