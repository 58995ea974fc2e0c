#include "TimeFiltering.h"

namespace TimeFiltering {

QDate startOfWeek(QDate day, Qt::DayOfWeek firstWeekday) {
    const int offset = (day.dayOfWeek() - static_cast<int>(firstWeekday) + 7) % 7;
    return day.addDays(-offset);
}

QDateTime last30DaysThreshold(const QDateTime &now, const MarketCalendar &calendar) {
    const QDateTime threshold = calendar.addingDays(now, -30);
    return threshold.isValid() ? threshold : now;
}

bool passes(const std::optional<QDateTime> &subStart, TimeFilter filter, const QDateTime &now,
            const MarketCalendar &calendar) {
    if (filter == TimeFilter::all)
        return true;
    if (!subStart || !subStart->isValid())
        return false;
    switch (filter) {
    case TimeFilter::thisWeek: {
        const Qt::DayOfWeek first = calendar.firstWeekday();
        return startOfWeek(calendar.dayOf(*subStart), first) ==
               startOfWeek(calendar.dayOf(now), first);
    }
    case TimeFilter::thisMonth: {
        const QDate start = calendar.dayOf(*subStart);
        const QDate today = calendar.dayOf(now);
        return start.year() == today.year() && start.month() == today.month();
    }
    case TimeFilter::last30Days:
        // No upper bound: subscriptions that open later stay listed.
        return *subStart >= last30DaysThreshold(now, calendar);
    case TimeFilter::all:
        break;
    }
    return true;
}

QDateTime nextChange(const QDateTime &now, const MarketCalendar &calendar) {
    // Past the midnight of today when the evaluation came early (a timer is allowed to), so
    // that it is never the midnight itself that decides.
    const QDateTime todays = calendar.startOfDay(now).addSecs(1);
    if (todays > now)
        return todays;
    return calendar.startOfDay(calendar.dayOf(now).addDays(1)).addSecs(1);
}

QList<IPORecord> filtered(const QList<IPORecord> &records, TimeFilter filter, const QDateTime &now,
                          const MarketCalendar &calendar) {
    QList<IPORecord> kept;
    kept.reserve(records.size());
    for (const IPORecord &record : records) {
        if (passes(record.ipo.subStart, filter, now, calendar))
            kept.append(record);
    }
    return kept;
}

} // namespace TimeFiltering
