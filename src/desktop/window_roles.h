// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace lintrel {

// Makes the main window report itself to screen readers as a window and the settings window
// as a dialog; plain widgets would report neither. Safe to call more than once.
void InstallWindowRoles();

}  // namespace lintrel
