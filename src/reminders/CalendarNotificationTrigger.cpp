#include "CalendarNotificationTrigger.h"

std::optional<QDateTime> CalendarNotificationTrigger::fireDate(const QTimeZone &zone) const {
    if (!isValid())
        return std::nullopt;
    const QDateTime instant =
        zone.isValid() ? QDateTime(date, time, zone) : QDateTime(date, time, Qt::LocalTime);
    // A time skipped by a daylight-saving change either fails or is moved by Qt; neither is the
    // moment that was asked for.
    if (!instant.isValid() || instant.date() != date || instant.time() != time)
        return std::nullopt;
    return instant;
}
