// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

namespace lintrel {

// Tells an X11 window manager that `window`, a tool window about to be mapped, stays out of
// the task bar and has no minimise box. Qt states neither: it sets no skip-taskbar state,
// and Openbox draws a minimise box on every utility window, dropping it only for toolbars
// and torn-off menus, so under Openbox the window is typed as a toolbar first. Call it each
// time before the window is shown: the window manager forgets the state on hiding. Does
// nothing on other platforms.
void MarkAsToolWindow(QWidget& window);

}  // namespace lintrel
