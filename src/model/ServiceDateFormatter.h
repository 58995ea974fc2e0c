#pragma once

#include "MarketCalendar.h"

#include <QString>

#include <optional>

// Reads and writes the service's "yyyy-MM-dd" days. Reading is strict: exactly four-digit year,
// two-digit month and day, a real calendar date, nothing before or after. A day stands for its
// midnight in the calendar's zone.
class ServiceDateFormatter {
public:
    explicit ServiceDateFormatter(const MarketCalendar &calendar);

    std::optional<QDateTime> date(QStringView text) const;
    QString string(const QDateTime &instant) const;

private:
    const MarketCalendar &m_calendar;
};

const ServiceDateFormatter &serviceDateFormatter();
