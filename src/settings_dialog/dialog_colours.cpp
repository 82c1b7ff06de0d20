// SPDX-License-Identifier: GPL-3.0-or-later
// The two colour swatches and the colour chooser behind them.

#include <array>

#include "desktop/colour_value.h"
#include "platform/colour_chooser.h"
#include "settings_dialog/colour_swatch.h"
#include "settings_dialog/dialog.h"
#include "settings_dialog/text_style.h"

namespace lintrel {

std::int32_t Dialog::ShowColorDialog(std::int32_t hParent, bool bFullOpen, std::int32_t InitColor) {
    std::array<std::int32_t, 16> custom{};
    std::int32_t start = 0;
    if (InitColor != 0) {
        std::uint32_t translated = 0;
        start = OleTranslateColor(host_, static_cast<std::uint32_t>(InitColor), 0, &translated) == 0
                    ? static_cast<std::int32_t>(translated)
                    : -1;
    }
    CHOOSECOLOR record;
    record.lStructSize = 36;
    record.hwndOwner = hParent;
    record.hInstance = 0;
    record.rgbResult = start;
    record.lpCustColors = custom.data();
    record.Flags = CC_RGBINIT | CC_SOLIDCOLOR | CC_ANYCOLOR | (bFullOpen ? CC_FULLOPEN : 0);
    record.lCustData = 0;
    record.lpfnHook = 0;
    record.lpTemplateName = nullptr;
    if (ChooseColorA(host_, &record) != 0) {
        return record.rgbResult;
    }
    return -1;
}

void Dialog::SwatchClicked(ColourSwatch* swatch, bool background) {
    // The chooser leaves both windows usable: a swatch clicked while it is open opens no
    // second one.
    if (choosing_) {
        return;
    }
    choosing_ = true;
    const std::int32_t chosen =
        ShowColorDialog(0, true, static_cast<std::int32_t>(swatch->BackColor()));
    choosing_ = false;
    if (chosen == -1) {
        return;
    }
    if (!swatch->SetBackColor(static_cast<std::uint32_t>(chosen))) {
        return;
    }
    std::uint32_t plain = 0;
    if (OleTranslateColor(host_, swatch->BackColor(), 0, &plain) == 0) {
        SetTextColour(noteBox_, plain, background);
    }
}

void Dialog::font_colour_Click() {
    SwatchClicked(font_colour, false);
}
void Dialog::font_background_colour_Click() {
    SwatchClicked(font_background_colour, true);
}

}  // namespace lintrel
