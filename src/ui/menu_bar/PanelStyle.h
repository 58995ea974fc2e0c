#pragma once

#include <QColor>
#include <QFont>

// Fonts and colour helpers of the menu-bar panel. Sizes are points, one point being one
// device-independent pixel, so fonts are sized in pixels rather than typographic points.
namespace PanelStyle {

// The application's font at `pixelSize` with the given weight and extra spacing between letters.
QFont font(int pixelSize, QFont::Weight weight = QFont::Normal, qreal letterSpacing = 0);
// The desktop's fixed-pitch font, for figures whose digits should line up.
QFont monospacedFont(int pixelSize, QFont::Weight weight = QFont::Normal);

// `color` with its alpha multiplied by `opacity`.
QColor withOpacity(QColor color, qreal opacity);
// `from` blended towards `to` by `progress` (0 … 1), alpha included.
QColor blended(const QColor &from, const QColor &to, qreal progress);

} // namespace PanelStyle
