#include "WindowPlacement.h"

#include <algorithm>

bool WindowPlacement::canBeGrabbed(const QRect &frame, const QList<QRect> &availableScreens) {
    const QRect topEdge(frame.topLeft(),
                        QSize(frame.width(), std::min(grabHeight, frame.height())));
    const int needed = std::min(grabWidth, frame.width());
    return std::any_of(availableScreens.begin(), availableScreens.end(), [&](const QRect &screen) {
        const QRect shown = topEdge.intersected(screen);
        return shown.width() >= needed && shown.height() == topEdge.height();
    });
}

QPoint WindowPlacement::keptOnScreen(const QRect &frame, const QList<QRect> &availableScreens,
                                     const QRect &primaryAvailable) {
    if (canBeGrabbed(frame, availableScreens) || primaryAvailable.isEmpty())
        return frame.topLeft();
    QRect centred(QPoint(), frame.size());
    centred.moveCenter(primaryAvailable.center());
    return {std::max(centred.left(), primaryAvailable.left()),
            std::max(centred.top(), primaryAvailable.top())};
}
