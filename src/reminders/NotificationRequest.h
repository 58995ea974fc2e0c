#pragma once

#include "CalendarNotificationTrigger.h"
#include "NotificationContent.h"

#include <QString>

// One notification waiting for its moment. A later request with the same identifier replaces
// an earlier one.
struct NotificationRequest {
    QString identifier;
    NotificationContent content;
    CalendarNotificationTrigger trigger;

    friend bool operator==(const NotificationRequest &, const NotificationRequest &) = default;
};
