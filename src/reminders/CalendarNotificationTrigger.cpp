#include "CalendarNotificationTrigger.h"

std::optional<QDateTime> CalendarNotificationTrigger::fireDate(const QTimeZone &machineZone) const {
    if (!isValid())
        return std::nullopt;
    const QTimeZone &in = zone.isValid() ? zone : machineZone;
    const QDateTime instant =
        in.isValid() ? QDateTime(date, time, in) : QDateTime(date, time, Qt::LocalTime);
    // A time skipped by a daylight-saving change either fails or is moved by Qt; neither is the
    // moment that was asked for.
    if (!instant.isValid() || instant.date() != date || instant.time() != time)
        return std::nullopt;
    return instant;
}
