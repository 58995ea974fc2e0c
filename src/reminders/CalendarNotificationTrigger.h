#pragma once

#include <QDate>
#include <QDateTime>
#include <QTime>
#include <QTimeZone>

#include <optional>

// Fires once at a wall-clock moment given as a day and a time of day, without a time zone: the
// moment is read in the zone of the machine that shows the notification.
struct CalendarNotificationTrigger {
    QDate date;
    QTime time;

    bool isValid() const { return date.isValid() && time.isValid(); }

    // The instant these components name in `zone`, or in the machine's local time when `zone` is
    // invalid; nothing when the components are incomplete or name no existing moment there.
    std::optional<QDateTime> fireDate(const QTimeZone &zone = {}) const;

    friend bool operator==(const CalendarNotificationTrigger &,
                           const CalendarNotificationTrigger &) = default;
};
