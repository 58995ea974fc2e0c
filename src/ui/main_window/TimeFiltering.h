#pragma once

#include "TimeFilter.h"
#include "model/IPORecord.h"
#include "model/MarketCalendar.h"

#include <QDateTime>
#include <QList>

// Which records the main table lists for a time filter. Days, weeks and months are those of
// `calendar` (the market's zone), read against one reading of the clock, `now`.
namespace TimeFiltering {

// The first day of the week holding `day`, with weeks starting on the calendar's first weekday.
QDate startOfWeek(QDate day, Qt::DayOfWeek firstWeekday);
// The earliest subscription start the last-30-days filter keeps: the same clock time 30
// calendar days before `now`, or `now` itself when the calendar cannot form that date.
QDateTime last30DaysThreshold(const QDateTime &now, const MarketCalendar &calendar);

// Whether a record whose subscription starts at `subStart` passes `filter`. Only "all" keeps
// records without a start; the listing date plays no part.
bool passes(const std::optional<QDateTime> &subStart, TimeFilter filter, const QDateTime &now,
            const MarketCalendar &calendar);

// When to look at the clock again after an evaluation at `now`: one second past the next
// midnight of the calendar's day. Only then can a filter list other records: weeks and months
// turn at midnight, and every subscription start is a midnight, which the last-30-days window
// moves past just after midnight, 30 days on (at midnight itself it still keeps it).
QDateTime nextChange(const QDateTime &now, const MarketCalendar &calendar);

// The records that pass, in their given order.
QList<IPORecord> filtered(const QList<IPORecord> &records, TimeFilter filter, const QDateTime &now,
                          const MarketCalendar &calendar);

} // namespace TimeFiltering
