// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QAbstractButton;

namespace lintrel {

// Makes each press of the button's Alt key (its underlined letter), and each repeat of a held
// one, click it at once. Qt's own answer animates a press for 100 ms and swallows the presses
// meanwhile, so Alt+N pressed twice quickly, or held, stepped once.
void ClickOnEveryMnemonic(QAbstractButton* button);

}  // namespace lintrel
