#pragma once

#include "ui/look/Palette.h"

#include <QColor>
#include <QFont>
#include <QPixmap>

#include <functional>

class QPainter;
class QRectF;

// Fonts and colours the windows draw with. Sizes are points, and one point is one
// device-independent pixel.
namespace ViewStyle {

// The application's font at `points` with the given weight and tracking.
QFont font(int points, QFont::Weight weight = QFont::Normal, qreal letterSpacing = 0);
// The system's fixed-pitch font at `points`.
QFont monospacedFont(int points, QFont::Weight weight = QFont::Normal);

// A palette colour with its own opacity multiplied by `opacity`.
QColor color(PaletteColor name, qreal opacity = 1.0);
// A colour asked for at paint time, so that it follows light and dark without being set again.
using ColorSource = std::function<QColor()>;
ColorSource tone(PaletteColor name, qreal opacity = 1.0);
// The platform's red, which marks failures; the only colour outside the palette.
QColor failureRed();
// A result's colour: red for a gain when `gainIsRed` (the mainland convention), green
// otherwise, the other for a loss; `zero` for nothing either way.
QColor resultColor(qint64 cents, bool gainIsRed, PaletteColor zero = PaletteColor::textPrimary);

// A named symbol drawn in `color`, cached: rows repaint it many times while scrolling.
QPixmap symbol(const QString &name, const QColor &color, int points, qreal devicePixelRatio);

// "rgba(r, g, b, a)" for style sheets.
QString css(const QColor &color);

// A rounded rectangle with a soft shadow under it (black at `shadowOpacity`, blurred over
// `radius` points, moved down by `offsetY`), then filled with `fill`.
void fillRoundedWithShadow(QPainter &painter, const QRectF &rect, qreal cornerRadius,
                           const QColor &fill, qreal shadowOpacity, qreal shadowRadius,
                           qreal offsetY);

} // namespace ViewStyle
