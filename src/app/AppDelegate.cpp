#include "AppDelegate.h"

#include "AppNotificationCenter.h"

AppDelegate::AppDelegate(AppNotificationCenter &center, ActivateApplication activate)
    : m_center(center)
    , m_activate(std::move(activate)) {}

bool AppDelegate::applicationShouldHandleReopen(bool hasVisibleWindows) {
    if (!hasVisibleWindows)
        m_center.post(reopenMainWindowNotification);
    if (m_activate)
        m_activate();
    return true;
}
