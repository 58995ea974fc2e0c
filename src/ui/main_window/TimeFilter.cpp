#include "TimeFilter.h"

QString rawValue(TimeFilter filter) {
    switch (filter) {
    case TimeFilter::thisWeek:
        return QStringLiteral("本周");
    case TimeFilter::thisMonth:
        return QStringLiteral("本月");
    case TimeFilter::last30Days:
        return QStringLiteral("近30天");
    case TimeFilter::all:
        return QStringLiteral("全部");
    }
    return {};
}

std::optional<TimeFilter> timeFilterFromRawValue(QStringView raw) {
    for (TimeFilter filter : allTimeFilters) {
        if (raw == rawValue(filter))
            return filter;
    }
    return std::nullopt;
}

size_t qHash(TimeFilter filter, size_t seed) {
    return qHash(rawValue(filter), seed);
}
