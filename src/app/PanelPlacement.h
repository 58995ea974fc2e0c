#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>

// Where the tray panel opens. Tray icon geometry is wrong on many Linux desktops (empty, or at
// the origin), so it is only trusted when it lies on the screen; then the pointer is used (the
// user just clicked the icon); then the top right corner of the screen. The panel always ends
// up wholly inside the available area.
namespace PanelPlacement {

inline constexpr int margin = 6;

bool isPlausibleTrayGeometry(const QRect &tray, const QRect &screen);
QPoint position(std::optional<QRect> trayGeometry, std::optional<QPoint> cursor, QSize panel,
                const QRect &availableScreen, const QRect &fullScreen);

} // namespace PanelPlacement
