#pragma once

#include <QList>
#include <QPoint>
#include <QRect>

// Where the main window goes back to. A place remembered on a screen that has since gone (a
// laptop taken off its monitor) would open the window where nobody can reach it; it only stays
// where it is while a screen still shows enough of its top edge to grab it by.
namespace WindowPlacement {

// How much of the window's top edge must show on one screen: its height, and the width of it.
inline constexpr int grabHeight = 24;
inline constexpr int grabWidth = 80;

bool canBeGrabbed(const QRect &frame, const QList<QRect> &availableScreens);
// `frame`'s top left when it can be grabbed; otherwise the top left that centres it on the
// primary screen, never above or left of that screen's available area.
QPoint keptOnScreen(const QRect &frame, const QList<QRect> &availableScreens,
                    const QRect &primaryAvailable);

} // namespace WindowPlacement
