#include "MarketCalendar.h"

MarketCalendar::MarketCalendar(QTimeZone zone, Qt::DayOfWeek firstWeekday)
    : m_zone(std::move(zone))
    , m_firstWeekday(firstWeekday) {}

MarketCalendar MarketCalendar::withFirstWeekday(Qt::DayOfWeek day) const {
    return MarketCalendar(m_zone, day);
}

QDate MarketCalendar::dayOf(const QDateTime &instant) const {
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
