// SPDX-License-Identifier: GPL-3.0-or-later
// FontSettings.ini: the note text's face, size, styles and colours.
#include <QComboBox>

#include <functional>
#include <utility>

#include "main_window/control_values.h"
#include "main_window/form1.h"
#include "platform/colour_chooser.h"
#include "platform/host.h"
#include "settings/settings_file.h"
#include "settings_dialog/check_box.h"
#include "settings_dialog/colour_swatch.h"
#include "settings_dialog/dialog.h"
#include "settings_dialog/text_style.h"

namespace lintrel {

namespace {

// Selects the entry `text` of a drop-down list, which runs the list's handler; a text that
// is not an entry is refused.
void SelectEntry(QComboBox* list, const QString& text) {
    const int index = list->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index < 0) {
        throw SettingsError("not an entry of the list");
    }
    list->setCurrentIndex(index);
}

void SetColour(ColourSwatch* swatch, const Field& field) {
    if (!swatch->SetBackColor(static_cast<std::uint32_t>(ReadInt32(field)))) {
        throw SettingsError("not a colour: " + field.text);
    }
}

// A line holding one of the two colour swatches' colours.
SettingsLine ColourLine(std::size_t line, ColourSwatch* swatch) {
    return {
        line,
        [swatch](SettingsWriter& w) { w.Integer(static_cast<std::int32_t>(swatch->BackColor())); },
        [swatch](const Field& f) { SetColour(swatch, f); }};
}

// A line holding a drop-down list's entry. Where the list was filled at start-up, a load
// selects the entry, which applies it to Text1; `handler` runs too, for an entry that was
// already selected. `text` gives the entry to select for the field's text.
SettingsLine EntryLine(std::size_t line, Dialog& d, QComboBox* list, void (Dialog::*handler)(),
                       std::function<QString(const QString&)> text) {
    return {line, [list](SettingsWriter& w) { w.Text(SettingsBytes(list->currentText())); },
            [&d, list, handler, text = std::move(text)](const Field& f) {
                if (d.load_font_list_at_startup->Value() == 1 && f.kind != Field::Kind::Nothing) {
                    SelectEntry(list, text(SettingsText(ReadText(f))));
                    (d.*handler)();
                }
            }};
}

// The lines of FontSettings.ini in their order: the font list's start-up box (a load fills
// the list when it is set), the face, the size, the four styles (each applied to Text1 when
// set), and the two colours.
SettingsLines FontLines(Dialog& d) {
    const auto fillList = [&d] {
        if (d.load_font_list_at_startup->Value() == 1) {
            d.Load_Font_list();
        }
    };
    // Earlier versions saved a family with its foundry.
    const auto face = [&d](const QString& saved) {
        return d.font_list->findText(saved) < 0 ? FamilyWithoutFoundry(saved) : saved;
    };
    return {CheckLine(0, d.load_font_list_at_startup, fillList),
            EntryLine(1, d, d.font_list, &Dialog::font_list_Click, face),
            EntryLine(2, d, d.font_size_list, &Dialog::font_size_list_Click,
                      [](const QString& size) { return size; }),
            CheckLine(3, d.bo, [&d] { d.bo_Click(); }),
            CheckLine(4, d.it, [&d] { d.it_Click(); }),
            CheckLine(5, d.un, [&d] { d.un_Click(); }),
            CheckLine(6, d.st, [&d] { d.st_Click(); }),
            ColourLine(7, d.font_colour),
            ColourLine(8, d.font_background_colour)};
}

}  // namespace

void Form1::SaveFontSettings() {
    SaveSettingsFile(host_, kFontSettings, FontLines(SettingsDialog()));
}

void Form1::LoadFontSettings() {
    Dialog& d = SettingsDialog();
    LoadSettingsFile(
        host_, kFontSettings, FontLines(d),
        [&] {
            std::uint32_t plain = 0;
            if (OleTranslateColor(host_, d.font_colour->BackColor(), 0, &plain) == 0) {
                SetTextColour(Text1, plain, false);
            }
            if (OleTranslateColor(host_, d.font_background_colour->BackColor(), 0, &plain) == 0) {
                SetTextColour(Text1, plain, true);
            }
        },
        [&] { d.Load_Font_list(); });
}

}  // namespace lintrel
