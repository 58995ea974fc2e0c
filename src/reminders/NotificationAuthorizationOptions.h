#pragma once

#include <QFlags>

// What the application asks to be allowed to do when it asks for permission.
enum class NotificationAuthorizationOption {
    alert = 0x1,
    sound = 0x2,
};
Q_DECLARE_FLAGS(NotificationAuthorizationOptions, NotificationAuthorizationOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(NotificationAuthorizationOptions)
