#include "MarketCalendar.h"

MarketCalendar::MarketCalendar(QTimeZone zone, Qt::DayOfWeek firstWeekday)
    : m_zone(std::move(zone))
    , m_firstWeekday(firstWeekday) {
    if (!m_zone.isValid())
        return;
    // No transition after this instant: the offset of any later one is the offset of this one.
    const QDateTime probe = QDateTime::currentDateTimeUtc();
    if (!m_zone.hasTransitions()) {
        if (m_zone.hasDaylightTime())
            return;
        m_fixedOffsetSinceMSecs = std::numeric_limits<qint64>::min();
    } else {
        if (m_zone.nextTransition(probe).atUtc.isValid())
            return;
        const QDateTime last = m_zone.previousTransition(probe).atUtc;
        m_fixedOffsetSinceMSecs =
            last.isValid() ? last.toMSecsSinceEpoch() : std::numeric_limits<qint64>::min();
    }
    m_fixedOffsetMSecs = qint64(m_zone.offsetFromUtc(probe)) * 1000;
}

MarketCalendar MarketCalendar::withFirstWeekday(Qt::DayOfWeek day) const {
    return MarketCalendar(m_zone, day);
}

QDate MarketCalendar::dayOf(const QDateTime &instant) const {
    if (instant.isValid()) {
        const qint64 msecs = instant.toMSecsSinceEpoch();
        constexpr qint64 safe = std::numeric_limits<qint64>::max() / 2;
        if (msecs >= m_fixedOffsetSinceMSecs && msecs < safe && msecs > -safe) {
            constexpr qint64 msecsPerDay = 86'400'000;
            constexpr qint64 julianDayOfEpoch = 2'440'588;
            const qint64 local = msecs + m_fixedOffsetMSecs;
            const qint64 days = local / msecsPerDay - (local % msecsPerDay < 0 ? 1 : 0);
            return QDate::fromJulianDay(days + julianDayOfEpoch);
        }
    }
    return instant.toTimeZone(m_zone).date();
}

QDateTime MarketCalendar::startOfDay(QDate day) const {
    return day.startOfDay(m_zone);
}

bool MarketCalendar::isDateInWeekend(const QDateTime &instant) const {
    const int weekday = dayOf(instant).dayOfWeek();
    return weekday == Qt::Saturday || weekday == Qt::Sunday;
}

QDateTime MarketCalendar::addingDays(const QDateTime &instant, qint64 days) const {
    const QDateTime local = instant.toTimeZone(m_zone);
    const QDate day = local.date().addDays(days);
    if (!day.isValid())
        return {};
    return QDateTime(day, local.time(), m_zone);
}

const QTimeZone &marketTimeZone() {
    static const QTimeZone zone = [] {
        QTimeZone shanghai(QByteArrayLiteral("Asia/Shanghai"));
        return shanghai.isValid() ? shanghai : QTimeZone::systemTimeZone();
    }();
    return zone;
}

const MarketCalendar &marketCalendar() {
    static const MarketCalendar calendar(marketTimeZone());
    return calendar;
}

QDateTime previousBusinessDay(const QDateTime &before, const MarketCalendar &calendar) {
    QDateTime day = calendar.addingDays(before, -1);
    if (!day.isValid())
        day = before;
    while (calendar.isDateInWeekend(day)) {
        const QDateTime earlier = calendar.addingDays(day, -1);
        if (!earlier.isValid())
            break;
        day = earlier;
    }
    return day;
}
