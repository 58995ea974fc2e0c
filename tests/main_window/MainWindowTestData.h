#pragma once

#include "model/IPORecord.h"
#include "model/MarketCalendar.h"
#include "service/RemoteIPO.h"

#include <QDateTime>
#include <QTimeZone>

#include <optional>

// Records and instants for the main window's tests, written in the market's zone (UTC+8)
// unless a test says otherwise.
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
    record.ipo.board = QStringLiteral("主板");
    record.subQuantity = subQuantity;
    record.winQuantity = winQuantity;
    record.subMethod = method;
    return record;
}

// One service item; `subStart` is a yyyy-MM-dd day or empty for none.
inline RemoteIPO makeRemoteIPO(const QString &code, const QString &name, const QString &subStart,
                               IPOStatus status = IPOStatus::open) {
    RemoteIPO remote;
    remote.code = code;
    remote.name = name;
    if (!subStart.isEmpty())
        remote.subStart = subStart;
    remote.lotAmount = QStringLiteral("3,030");
    remote.priceRange = QStringLiteral("2.80-3.03");
    remote.status = status;
    return remote;
}

inline QStringList codesOf(const QList<IPORecord> &records) {
    QStringList codes;
    for (const IPORecord &record : records)
        codes.append(record.ipo.code);
    return codes;
}

} // namespace mainwindowtest
