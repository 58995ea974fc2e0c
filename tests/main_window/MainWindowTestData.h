#pragma once

#include "model/IPORecord.h"
#include "model/MarketCalendar.h"

#include <QDateTime>
#include <QTimeZone>

#include <optional>

namespace mainwindowtest {

inline QDateTime marketTime(int year, int month, int day, int hour = 0, int minute = 0,
                            int second = 0) {
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second), marketTimeZone());
}

inline QDateTime utcTime(int year, int month, int day, int hour = 0, int minute = 0,
                         int second = 0) {
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second), Qt::UTC);
}

inline IPORecord makeIPORecord(const QString &code, const QString &name,
                               std::optional<QDateTime> subStart = std::nullopt,
                               qint64 subQuantity = 0, qint64 winQuantity = 0,
                               SubMethod method = SubMethod::cash) {
    IPORecord record;
    record.ipo.code = code;
    record.ipo.name = name;
    record.ipo.status = IPOStatus::open;
    record.ipo.subStart = std::move(subStart);
    record.ipo.lotAmount = QStringLiteral("3,030");
    record.ipo.priceRange = QStringLiteral("2.80-3.03");
    record.subQuantity = subQuantity;
    record.winQuantity = winQuantity;
    record.subMethod = method;
    return record;
}

} // namespace mainwindowtest
