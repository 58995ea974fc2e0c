#pragma once

#include <QColor>
#include <QFont>

// Colour helpers of the menu-bar panel; its fonts are the shared ViewStyle ones.
namespace PanelStyle {

// `color` with its alpha multiplied by `opacity`.
QColor withOpacity(QColor color, qreal opacity);
// `from` blended towards `to` by `progress` (0 … 1), alpha included.
QColor blended(const QColor &from, const QColor &to, qreal progress);

} // namespace PanelStyle
