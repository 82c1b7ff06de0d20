// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QRect>
#include <QWidget>

#include "platform/units.h"

namespace lintrel {

// The windows were designed in twips for a narrow font: 5.5 pixels for the average of the 52
// Latin letters and 13 pixels for a line, at 96 dpi. Wider or taller desktop fonts scale every
// designed place and size by the larger of the two ratios, never below 1, so that the design
// keeps its proportions and every caption fits.
constexpr double kDesignLetterWidth = 5.5;
// The face the windows were designed with: the note's first face, and the style boxes' face.
inline const QString kDesignFace = QStringLiteral("MS Sans Serif");
constexpr double kDesignLineHeight = 13.0;

// The layout scale for a window whose controls use `font`.
double LayoutScale(const QFont& font);

// The scale for a window whose client area was designed at `clientTwips`, drawn in a frame of
// `frameTwips` (not scaled), on a screen whose free area is `available` pixels: `fontScale`
// where the window then fits, else the largest scale at which it fits.
double FittedScale(double fontScale, QSizeF clientTwips, QSizeF frameTwips, QSize available);

// `font` made smaller, where a layout had to take a smaller scale than the font asks, until
// it asks no more than `scale`, so that every caption keeps fitting; else `font` itself.
QFont FontFitting(QFont font, double scale);
// Gives `window` its own font fitting `scale`.
void ShrinkFontTo(QWidget* window, double scale);

// Places `widget` at a rectangle given in design twips, scaled by `scale`, rounding each edge
// to a pixel.
void PlaceInTwips(QWidget* widget, const QRect& twips, double scale = 1.0);

// Makes `widget` at least as tall as its size hint asks (or, where its height depends on its
// width, as that asks), keeping the middle of its row.
void GrowToHintHeight(QWidget* widget);

}  // namespace lintrel
