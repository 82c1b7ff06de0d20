// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <functional>

#include "settings/settings_file.h"
#include "settings/settings_format.h"

class QLineEdit;
class QRadioButton;

namespace lintrel {

class CheckBox;

// Sets a check box from a field by the 16-bit read rule; a state other than 0, 1 or 2 is
// refused by the box and fails the load.
void SetCheckState(CheckBox* box, const Field& field);

// Settings lines that hold one control's value.
// An option button's state, as a boolean.
SettingsLine OptionLine(std::size_t line, QRadioButton* option);
// A check box's state, as a 16-bit integer; `then`, when given, runs after a load sets it.
SettingsLine CheckLine(std::size_t line, CheckBox* box, std::function<void()> then = {});
// A text box's text.
SettingsLine TextLine(std::size_t line, QLineEdit* box);

}  // namespace lintrel
