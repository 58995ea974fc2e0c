#pragma once

// Whether this application may show notifications on the desktop.
enum class NotificationAuthorizationStatus {
    notDetermined,
    denied,
    authorized,
};
