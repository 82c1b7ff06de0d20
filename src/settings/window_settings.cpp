// WindowSettings.ini: start maximised, and the main window's saved position and size.
#include <algorithm>

#include "main_window/form1.h"
#include "platform/host.h"
#include "platform/units.h"
#include "settings/control_values.h"
#include "settings/settings_file.h"
#include "settings_dialog/check_box.h"
#include "settings_dialog/dialog.h"

namespace lintrel {

namespace {

const QString kWindowSettings = QStringLiteral("WindowSettings.ini");

// Centres the window on the screen for its present size.
void Centre(Form1& form, const QSize& screen) {
    form.SetTop(static_cast<float>((PixelsToTwips(screen.height()) - form.Height()) / 2));
    form.SetLeft(static_cast<float>((PixelsToTwips(screen.width()) - form.Width()) / 2));
}

}  // namespace

void Form1::SaveWindowSettings() {
    RunSettingsProcedure(host_, kWindowSettings, true, [this](const QString& path) {
        Dialog& d = SettingsDialog();
        SettingsWriter w;
        w.Integer(d.start_max->Value());
        w.Integer(d.save_win_pos->Value());
        w.Single(static_cast<float>(Top()));
        w.Single(static_cast<float>(Left()));
        w.Integer(d.save_win_size->Value());
        w.Single(static_cast<float>(Height()));
        w.Single(static_cast<float>(Width()));
        WriteSettingsFile(path, w.Bytes());
    });
}

void Form1::LoadWindowSettings() {
    RunSettingsProcedure(host_, kWindowSettings, false, [this](const QString& path) {
        Dialog& d = SettingsDialog();
        const QSize screen = host_.ScreenSize();
        const auto fields = ReadSettingsFile(path, 7);
        if (!fields) {
            Centre(*this, screen);
            return;
        }
        const auto& f = *fields;
        SetCheckState(d.start_max, f[0]);
        SetCheckState(d.save_win_pos, f[1]);
        SetCheckState(d.save_win_size, f[4]);

        if (d.save_win_pos->Value() == 1) {
            const double top = ReadSingleValue(f[2]);
            const double left = ReadSingleValue(f[3]);
            if (top > -1000 && left > -1000) {
                const auto narrowTop = static_cast<float>(top);
                const auto narrowLeft = static_cast<float>(left);
                if (narrowTop < PixelsToTwips(screen.height()) &&
                    narrowLeft < PixelsToTwips(screen.width())) {
                    SetTop(narrowTop);
                    SetLeft(narrowLeft);
                }
            }
        } else {
            Centre(*this, screen);
        }

        if (d.save_win_size->Value() == 1) {
            // No larger than all screens together: a window beyond them cannot be used.
            const QSize desktop = host_.DesktopSize();
            SetHeight(std::min<double>(ReadSingle(f[5]), PixelsToTwips(desktop.height())));
            SetWidth(std::min<double>(ReadSingle(f[6]), PixelsToTwips(desktop.width())));
        }
        if (d.start_max->Value() == 1) {
            setWindowState(windowState() | Qt::WindowMaximized);
        }
    });
}

}  // namespace lintrel
