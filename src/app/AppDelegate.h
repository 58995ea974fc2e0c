#pragma once

#include <functional>

class AppNotificationCenter;

// Handles the user reopening the running application (a second launch, the desktop's
// launcher): with no window visible it asks for the main window through the
// "reopenMainWindow" notification, and in every case brings the application to the front.
class AppDelegate {
public:
    using ActivateApplication = std::function<void()>;

    AppDelegate(AppNotificationCenter &center, ActivateApplication activate);

    bool applicationShouldHandleReopen(bool hasVisibleWindows);

private:
    AppNotificationCenter &m_center;
    ActivateApplication m_activate;
};
