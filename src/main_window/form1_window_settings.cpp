// SPDX-License-Identifier: GPL-3.0-or-later
// WindowSettings.ini: start maximised, and the main window's saved position and size.
#include <algorithm>
#include <functional>
#include <utility>

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

// The place and size a load read, applied once all lines are in.
struct SavedPlace {
    Field top, left, height, width;
};

// A line holding one of the window's measures in twips, as a single; a load keeps its field.
SettingsLine MeasureLine(std::size_t line, std::function<double()> measure, Field& loaded) {
    return {line,
            [measure = std::move(measure)](SettingsWriter& w) {
                w.Single(static_cast<float>(measure()));
            },
            [&loaded](const Field& f) { loaded = f; }};
}

// The lines of WindowSettings.ini in their order.
SettingsLines WindowLines(Form1& form, Dialog& d, SavedPlace& saved) {
    return {CheckLine(0, d.start_max),
            CheckLine(1, d.save_win_pos),
            MeasureLine(
                2, [&form] { return form.Top(); }, saved.top),
            MeasureLine(
                3, [&form] { return form.Left(); }, saved.left),
            CheckLine(4, d.save_win_size),
            MeasureLine(
                5, [&form] { return form.Height(); }, saved.height),
            MeasureLine(
                6, [&form] { return form.Width(); }, saved.width)};
}

}  // namespace

void Form1::SaveWindowSettings() {
    SavedPlace unused;
    SaveSettingsFile(host_, kWindowSettings, WindowLines(*this, SettingsDialog(), unused));
}

void Form1::LoadWindowSettings() {
    Dialog& d = SettingsDialog();
    const QSize screen = host_.ScreenSize();
    SavedPlace saved;
    LoadSettingsFile(
        host_, kWindowSettings, WindowLines(*this, d, saved),
        [&] {
            if (!host_.CanPlaceWindows()) {
                // The compositor places the window: the place the file holds is kept as it is,
                // for the next start on a desktop that lets a window be placed.
                KeepPlace(ReadSingleValue(saved.top), ReadSingleValue(saved.left));
            } else if (d.save_win_pos->Value() != 1) {
                Centre(*this, screen);
            } else if (const auto place =
                           AcceptedPlace(ReadSingleValue(saved.top), ReadSingleValue(saved.left),
                                         ScreenAreas(host_))) {
                SetTop(place->top);
                SetLeft(place->left);
            }
            if (d.save_win_size->Value() == 1) {
                // No larger than all screens together: a window beyond them cannot be used.
                const QSize desktop = host_.DesktopSize();
                SetHeight(
                    std::min<double>(ReadSingle(saved.height), PixelsToTwips(desktop.height())));
                SetWidth(std::min<double>(ReadSingle(saved.width), PixelsToTwips(desktop.width())));
            }
            if (d.start_max->Value() == 1) {
                setWindowState(windowState() | Qt::WindowMaximized);
            }
        },
        [&] { Centre(*this, screen); });
}

}  // namespace lintrel
