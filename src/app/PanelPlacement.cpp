#include "PanelPlacement.h"

#include <algorithm>

namespace {

// Below an anchor in the upper half of the screen (a top panel), above it otherwise.
QPoint besideAnchor(const QRect &anchor, QSize panel, const QRect &screen) {
    const int x = anchor.center().x() - panel.width() / 2;
    const bool upperHalf = anchor.center().y() < screen.center().y();
    const int y = upperHalf ? anchor.bottom() + 1 + PanelPlacement::margin
                            : anchor.top() - PanelPlacement::margin - panel.height();
    return {x, y};
}

QPoint clamped(QPoint point, QSize panel, const QRect &area) {
    const int maxX = std::max(area.left(), area.right() + 1 - panel.width());
    const int maxY = std::max(area.top(), area.bottom() + 1 - panel.height());
    return {std::clamp(point.x(), area.left(), maxX), std::clamp(point.y(), area.top(), maxY)};
}

} // namespace

bool PanelPlacement::isPlausibleTrayGeometry(const QRect &tray, const QRect &screen) {
    if (!tray.isValid() || tray.isEmpty() || tray.width() > 256 || tray.height() > 256)
        return false;
    // Some desktops report (0,0) with a plausible size for icons they never place there.
    if (tray.topLeft() == QPoint(0, 0))
        return false;
    return screen.contains(tray.center());
}

QPoint PanelPlacement::position(std::optional<QRect> trayGeometry, std::optional<QPoint> cursor,
                                QSize panel, const QRect &availableScreen,
                                const QRect &fullScreen) {
    QPoint point;
    if (trayGeometry && isPlausibleTrayGeometry(*trayGeometry, fullScreen))
        point = besideAnchor(*trayGeometry, panel, fullScreen);
    else if (cursor && fullScreen.contains(*cursor))
        point = besideAnchor(QRect(*cursor, QSize(1, 1)), panel, fullScreen);
    else
        point = QPoint(availableScreen.right() + 1 - margin - panel.width(),
                       availableScreen.top() + margin);
    return clamped(point, panel, availableScreen);
}
