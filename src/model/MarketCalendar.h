#pragma once

#include <QDate>
#include <QDateTime>
#include <QTimeZone>

#include <limits>

// Gregorian day arithmetic in one time zone. IPO dates are instants; which day they fall on is
// always decided in the market's zone, never in the machine's.
class MarketCalendar {
public:
    explicit MarketCalendar(QTimeZone zone, Qt::DayOfWeek firstWeekday = Qt::Sunday);

    const QTimeZone &timeZone() const { return m_zone; }
    Qt::DayOfWeek firstWeekday() const { return m_firstWeekday; }
    // The same calendar with weeks starting on another day (the month grid starts on Monday).
    MarketCalendar withFirstWeekday(Qt::DayOfWeek day) const;

    QDate dayOf(const QDateTime &instant) const;
    QDateTime startOfDay(QDate day) const;
    QDateTime startOfDay(const QDateTime &instant) const { return startOfDay(dayOf(instant)); }
    bool isSameDay(const QDateTime &a, const QDateTime &b) const { return dayOf(a) == dayOf(b); }
    bool isDateInWeekend(const QDateTime &instant) const;
    // Moves by whole calendar days keeping the wall-clock time; an invalid result (out of the
    // calendar's range) gives an invalid QDateTime.
    QDateTime addingDays(const QDateTime &instant, qint64 days) const;

private:
    QTimeZone m_zone;
    Qt::DayOfWeek m_firstWeekday;
    // Where the zone keeps one offset from some instant on (Hong Kong and Shanghai since 1991),
    // the day of a later instant is plain arithmetic: a year's figures ask it tens of thousands
    // of times, and a time-zone lookup each time would cost milliseconds.
    qint64 m_fixedOffsetSinceMSecs = std::numeric_limits<qint64>::max();
    qint64 m_fixedOffsetMSecs = 0;
};

// "Asia/Shanghai", or the system zone where the platform does not know it. Created once.
const QTimeZone &marketTimeZone();
// The calendar every part uses for IPO dates, in marketTimeZone.
const MarketCalendar &marketCalendar();

// The day before `before`, stepping back over Saturdays and Sundays (public holidays are not
// known to the system).
QDateTime previousBusinessDay(const QDateTime &before,
                              const MarketCalendar &calendar = marketCalendar());
