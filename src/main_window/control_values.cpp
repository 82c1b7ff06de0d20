// SPDX-License-Identifier: GPL-3.0-or-later
#include "main_window/control_values.h"

#include <QLineEdit>
#include <QRadioButton>

#include <utility>

#include "settings_dialog/check_box.h"
#include "settings_dialog/dialog.h"

namespace lintrel {

void SetCheckState(CheckBox* box, const Field& field) {
    if (!box->SetValue(ReadInt16(field))) {
        throw SettingsError("not a check state: " + field.text);
    }
}

SettingsLine OptionLine(std::size_t line, QRadioButton* option) {
    return {line, [option](SettingsWriter& w) { w.Boolean(option->isChecked()); },
            [option](const Field& f) { Dialog::SetOption(option, ReadBoolean(f)); }};
}

SettingsLine CheckLine(std::size_t line, CheckBox* box, std::function<void()> then) {
    return {line, [box](SettingsWriter& w) { w.Integer(box->Value()); },
            [box, then = std::move(then)](const Field& f) {
                SetCheckState(box, f);
                if (then) {
                    then();
                }
            }};
}

SettingsLine TextLine(std::size_t line, QLineEdit* box) {
    return {line, [box](SettingsWriter& w) { w.Text(SettingsBytes(box->text())); },
            [box](const Field& f) { box->setText(SettingsText(ReadText(f))); }};
}

}  // namespace lintrel
