#include "RowBanding.h"

namespace RowBanding {

QHash<QString, TableRowBand> bands(const QList<IPORecord> &listed, const MarketCalendar &calendar) {
    QHash<QString, TableRowBand> result;
    result.reserve(listed.size());
    std::optional<QDate> previousDay;
    qint64 counter = -1;
    for (const IPORecord &record : listed) {
        if (!record.ipo.subStart || !record.ipo.subStart->isValid()) {
            result.insert(record.ipo.code, TableRowBand::missing);
            continue;
        }
        const QDate day = calendar.dayOf(*record.ipo.subStart);
        if (!previousDay)
            counter = 0;
        else if (day != *previousDay)
            ++counter;
        previousDay = day;
        result.insert(record.ipo.code,
                      counter % 2 == 0 ? TableRowBand::warmLight : TableRowBand::warmGray);
    }
    return result;
}

TableRowBand bandOf(const QHash<QString, TableRowBand> &bands, const QString &code) {
    return bands.value(code, TableRowBand::missing);
}

} // namespace RowBanding
