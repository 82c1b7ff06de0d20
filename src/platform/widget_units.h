#pragma once

#include <QRect>
#include <QWidget>

#include "platform/units.h"

namespace lintrel {

// Places `widget` at a rectangle given in twips, rounding each edge to a pixel.
inline void PlaceInTwips(QWidget* widget, const QRect& twips) {
    const int left = TwipsToPixels(twips.x());
    const int top = TwipsToPixels(twips.y());
    const int right = TwipsToPixels(twips.x() + twips.width());
    const int bottom = TwipsToPixels(twips.y() + twips.height());
    widget->setGeometry(left, top, right - left, bottom - top);
}

}  // namespace lintrel
