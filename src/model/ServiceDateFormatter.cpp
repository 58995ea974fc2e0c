#include "ServiceDateFormatter.h"

namespace {

int digitsValue(QStringView text, qsizetype from, qsizetype count, bool *ok) {
    int value = 0;
    for (qsizetype i = from; i < from + count; ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9') {
            *ok = false;
            return 0;
        }
        value = value * 10 + (c - u'0');
    }
    return value;
}

} // namespace

ServiceDateFormatter::ServiceDateFormatter(const MarketCalendar &calendar)
    : m_calendar(calendar) {}

std::optional<QDateTime> ServiceDateFormatter::date(QStringView text) const {
    if (text.size() != 10 || text[4] != u'-' || text[7] != u'-')
        return std::nullopt;
    bool ok = true;
    const int year = digitsValue(text, 0, 4, &ok);
    const int month = digitsValue(text, 5, 2, &ok);
    const int day = digitsValue(text, 8, 2, &ok);
    if (!ok)
        return std::nullopt;
    const QDate parsed(year, month, day);
    if (!parsed.isValid())
        return std::nullopt;
    return m_calendar.startOfDay(parsed);
}

QString ServiceDateFormatter::string(const QDateTime &instant) const {
    return m_calendar.dayOf(instant).toString(QStringLiteral("yyyy-MM-dd"));
}

const ServiceDateFormatter &serviceDateFormatter() {
    static const ServiceDateFormatter formatter(marketCalendar());
    return formatter;
}
