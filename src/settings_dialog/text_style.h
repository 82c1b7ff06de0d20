// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QWidget>

#include <cstdint>

namespace lintrel {

// What the settings window and the font settings loader both do to the note box's text.

// A font family as the font list shows it: without the foundry that the font database adds
// when a family is installed from several ("C059 [urw]" is listed as "C059").
QString FamilyWithoutFoundry(const QString& family);

// Applies a plain colour to the note text box's text or background.
void SetTextColour(QWidget* text, std::uint32_t plain, bool background);

}  // namespace lintrel
