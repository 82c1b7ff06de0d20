// SPDX-License-Identifier: GPL-3.0-or-later
// FontSettings.ini: the note text's face, size, styles and colours.
#include <QComboBox>

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

// The lines of FontSettings.ini in their order, and their count: the four style boxes in the
// order bold, italic, underlined, strikeout.
enum FontLine : std::size_t {
    kLoadFontList,
    kFace,
    kSize,
    kFirstStyle,
    kFontColour = kFirstStyle + 4,
    kBackgroundColour,
    kFontLines
};

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

}  // namespace

void Form1::SaveFontSettings() {
    Dialog& d = SettingsDialog();
    SaveSettingsFile(host_, kFontSettings, kFontLines, [&](SettingsWriter& w) {
        w.At(kLoadFontList).Integer(d.load_font_list_at_startup->Value());
        w.At(kFace).Text(SettingsBytes(d.font_list->currentText()));
        w.At(kSize).Text(SettingsBytes(d.font_size_list->currentText()));
        std::size_t line = kFirstStyle;
        for (CheckBox* style : {d.bo, d.it, d.un, d.st}) {
            w.At(line++).Integer(style->Value());
        }
        w.At(kFontColour).Integer(static_cast<std::int32_t>(d.font_colour->BackColor()));
        w.At(kBackgroundColour)
            .Integer(static_cast<std::int32_t>(d.font_background_colour->BackColor()));
    });
}

void Form1::LoadFontSettings() {
    Dialog& d = SettingsDialog();
    LoadSettingsFile(
        host_, kFontSettings, kFontLines,
        [&](const std::vector<Field>& f) {
            SetCheckState(d.load_font_list_at_startup, f[kLoadFontList]);
            if (d.load_font_list_at_startup->Value() == 1) {
                d.Load_Font_list();
                // Selecting an entry applies it to Text1; the handler runs again for an entry
                // that was already selected.
                if (f[kFace].kind != Field::Kind::Nothing) {
                    // Earlier versions saved a family with its foundry.
                    QString face = SettingsText(ReadText(f[kFace]));
                    if (d.font_list->findText(face) < 0) {
                        face = FamilyWithoutFoundry(face);
                    }
                    SelectEntry(d.font_list, face);
                    d.font_list_Click();
                }
                if (f[kSize].kind != Field::Kind::Nothing) {
                    SelectEntry(d.font_size_list, SettingsText(ReadText(f[kSize])));
                    d.font_size_list_Click();
                }
            }
            // Each style box, then the matching style of Text1, in the file's order.
            SetCheckState(d.bo, f[kFirstStyle]);
            d.bo_Click();
            SetCheckState(d.it, f[kFirstStyle + 1]);
            d.it_Click();
            SetCheckState(d.un, f[kFirstStyle + 2]);
            d.un_Click();
            SetCheckState(d.st, f[kFirstStyle + 3]);
            d.st_Click();
            SetColour(d.font_colour, f[kFontColour]);
            SetColour(d.font_background_colour, f[kBackgroundColour]);
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
