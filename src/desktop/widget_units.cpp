// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/widget_units.h"

#include <QFontMetricsF>

#include <algorithm>

namespace lintrel {

double LayoutScale(const QFont& font) {
    const QFontMetricsF metrics(font);
    const double letters = metrics.horizontalAdvance(QStringLiteral("abcdefghijklmnopqrstuvwxyz"
                                                                    "ABCDEFGHIJKLMNOPQRSTUVWXYZ")) /
                           52.0;
    return std::max({1.0, letters / kDesignLetterWidth, metrics.height() / kDesignLineHeight});
}

double FittedScale(double fontScale, QSizeF clientTwips, QSizeF frameTwips, QSize available) {
    const double across =
        (PixelsToTwips(available.width()) - frameTwips.width()) / clientTwips.width();
    const double down =
        (PixelsToTwips(available.height()) - frameTwips.height()) / clientTwips.height();
    return std::max(0.1, std::min({fontScale, across, down}));
}

QFont FontFitting(QFont font, double scale) {
    // No font asks less than the design's own scale.
    scale = std::max(1.0, scale);
    const double asked = LayoutScale(font);
    if (asked <= scale) {
        return font;
    }
    // Text does not shrink in proportion to its size at every size: step down until it fits.
    font.setPointSizeF(font.pointSizeF() * scale / asked);
    while (LayoutScale(font) > scale && font.pointSizeF() > 4) {
        font.setPointSizeF(font.pointSizeF() - 0.25);
    }
    return font;
}

void ShrinkFontTo(QWidget* window, double scale) {
    if (LayoutScale(window->font()) > scale) {
        window->setFont(FontFitting(window->font(), scale));
    }
}

void PlaceInTwips(QWidget* widget, const QRect& twips, double scale) {
    const int left = TwipsToPixels(twips.x() * scale);
    const int top = TwipsToPixels(twips.y() * scale);
    const int right = TwipsToPixels((twips.x() + twips.width()) * scale);
    const int bottom = TwipsToPixels((twips.y() + twips.height()) * scale);
    widget->setGeometry(left, top, right - left, bottom - top);
}

void GrowToHintHeight(QWidget* widget) {
    const QRect place = widget->geometry();
    const int wanted = widget->hasHeightForWidth() ? widget->heightForWidth(place.width())
                                                   : widget->sizeHint().height();
    if (wanted <= place.height()) {
        return;
    }
    const int top = place.top() - (wanted - place.height()) / 2;
    widget->setGeometry(place.left(), top, place.width(), wanted);
}

}  // namespace lintrel
