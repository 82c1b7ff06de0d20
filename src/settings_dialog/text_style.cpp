// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings_dialog/text_style.h"

#include <QPalette>

#include "desktop/colour_value.h"

namespace lintrel {

QString FamilyWithoutFoundry(const QString& family) {
    if (family.endsWith(QLatin1Char(']'))) {
        const qsizetype open = family.lastIndexOf(QStringLiteral(" ["));
        if (open > 0) {
            return family.left(open);
        }
    }
    return family;
}

void SetTextColour(QWidget* text, std::uint32_t plain, bool background) {
    QPalette palette = text->palette();
    const QColor colour = ColourFromValue(plain);
    if (background) {
        palette.setColor(QPalette::Base, colour);
    } else {
        palette.setColor(QPalette::Text, colour);
    }
    text->setPalette(palette);
}

}  // namespace lintrel
