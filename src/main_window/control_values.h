// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/settings_format.h"
#include "settings_dialog/check_box.h"

namespace lintrel {

// Sets a check box from a field by the 16-bit read rule; a state other than 0, 1 or 2 is
// refused by the box and fails the load.
inline void SetCheckState(CheckBox* box, const Field& field) {
    if (!box->SetValue(ReadInt16(field))) {
        throw SettingsError("not a check state: " + field.text);
    }
}

}  // namespace lintrel
