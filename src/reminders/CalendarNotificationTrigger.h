#pragma once

#include <QDate>
#include <QDateTime>
#include <QTime>
#include <QTimeZone>

#include <optional>

// Fires once at a moment given as a day and a time of day in a zone. Reminders name moments of
// the Hong Kong market and carry its zone, so they fire at that moment wherever the machine is
// and whatever zone it moves to; without a zone the components are read in the machine's own.
struct CalendarNotificationTrigger {
    QDate date;
    QTime time;
    QTimeZone zone;

    bool isValid() const { return date.isValid() && time.isValid(); }

    // The instant these components name in their own zone or, without one, in `machineZone`
    // (the machine's local time when that is invalid too); nothing when the components are
    // incomplete or name no existing moment there.
    std::optional<QDateTime> fireDate(const QTimeZone &machineZone = {}) const;

    friend bool operator==(const CalendarNotificationTrigger &,
                           const CalendarNotificationTrigger &) = default;
};
