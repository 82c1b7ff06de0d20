// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings_dialog/colour_swatch.h"

#include "desktop/colour_value.h"
#include "platform/colour_chooser.h"

namespace lintrel {

ColourSwatch::ColourSwatch(Host& host, QWidget* parent) : QPushButton(parent), host_(host) {
    setAutoDefault(false);
    SetBackColor(0);
}

bool ColourSwatch::SetBackColor(std::uint32_t value) {
    std::uint32_t plain = 0;
    if (OleTranslateColor(host_, value, 0, &plain) != 0) {
        return false;
    }
    value_ = value;
    // The keyboard focus shows as a frame in the highlight colour.
    setStyleSheet(QStringLiteral("QPushButton { background-color: %1; border: 1px solid "
                                 "palette(dark); }"
                                 "QPushButton:focus { border: 3px solid palette(highlight); }")
                      .arg(ColourFromValue(plain).name()));
    return true;
}

}  // namespace lintrel
