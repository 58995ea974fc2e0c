#include "TimeFilter.h"

#include <QCoreApplication>

QString rawValue(TimeFilter filter) {
    switch (filter) {
    case TimeFilter::thisWeek:
        return QCoreApplication::translate("TimeFilter", "本周");
    case TimeFilter::thisMonth:
        return QCoreApplication::translate("TimeFilter", "本月");
    case TimeFilter::last30Days:
        return QCoreApplication::translate("TimeFilter", "近30天");
    case TimeFilter::all:
        return QCoreApplication::translate("TimeFilter", "全部");
    }
    return {};
}

size_t qHash(TimeFilter filter, size_t seed) {
    return qHash(static_cast<int>(filter), seed);
}
