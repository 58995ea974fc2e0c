#pragma once

#include "model/IPORecord.h"
#include "model/MarketCalendar.h"

#include <QDateTime>
#include <QList>
#include <QStringList>

#include <optional>

namespace menubartest {

inline QDateTime marketDay(const QString &day) {
    return marketCalendar().startOfDay(QDate::fromString(day, Qt::ISODate));
}

inline QDateTime marketTime(const QString &day, const QString &time) {
    return QDateTime(QDate::fromString(day, Qt::ISODate), QTime::fromString(time, Qt::ISODate),
                     marketTimeZone());
}

inline QDateTime utc(const QString &isoInstant) {
    return QDateTime::fromString(isoInstant, Qt::ISODate).toUTC();
}

// "5,000" with "4.50-5.00" is 1000 shares per lot at a top price of 5.00.
struct RecordFields {
    QString code;
    QString subStart;    // "yyyy-MM-dd" or empty for none
    QString listingDate; // "yyyy-MM-dd" or empty for none
    qint64 subQuantity = 0;
    qint64 winQuantity = 0;
    SubMethod method = SubMethod::cash;
    QString priceRange = QStringLiteral("4.50-5.00");
};

inline IPORecord record(const RecordFields &fields) {
    IPORecord record;
    record.ipo.code = fields.code;
    record.ipo.name = QStringLiteral("名") + fields.code;
    if (!fields.subStart.isEmpty())
        record.ipo.subStart = marketDay(fields.subStart);
    if (!fields.listingDate.isEmpty())
        record.ipo.listingDate = marketDay(fields.listingDate);
    record.ipo.lotAmount = QStringLiteral("5,000");
    record.ipo.priceRange = fields.priceRange;
    record.subQuantity = fields.subQuantity;
    record.winQuantity = fields.winQuantity;
    record.subMethod = fields.method;
    return record;
}

inline QList<IPORecord> records(const QList<RecordFields> &fieldList) {
    QList<IPORecord> list;
    for (const RecordFields &fields : fieldList)
        list.append(record(fields));
    return list;
}

inline QStringList codesOf(const QList<IPORecord> &records) {
    QStringList codes;
    for (const IPORecord &record : records)
        codes.append(record.ipo.code);
    return codes;
}

} // namespace menubartest
