#pragma once

#include "app/Palette.h"

#include <QColor>
#include <QFont>
#include <QString>

// Fonts and colours of the settings sheet. Sizes are points, and one point is one
// device-independent pixel, so fonts are sized in pixels.
namespace SettingsStyle {

// The application's font at `points` with the given weight and extra letter spacing.
QFont font(int points, QFont::Weight weight = QFont::Normal, qreal letterSpacing = 0);
// The desktop's fixed-pitch font at `points`, for figures and the version line.
QFont monospacedFont(int points, QFont::Weight weight = QFont::Normal);

// A palette colour of the current appearance with its alpha multiplied by `opacity`.
QColor color(PaletteColor name, qreal opacity = 1.0);
// The platform's red that marks failures, the one colour outside the palette.
QColor failureRed();

// "rgba(r, g, b, a)" for style sheets.
QString css(const QColor &color);

} // namespace SettingsStyle
