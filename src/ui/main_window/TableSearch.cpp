#include "TableSearch.h"

namespace TableSearch {

bool matches(const IPORecord &record, QStringView query) {
    const QStringView text = query.trimmed();
    return text.isEmpty() || record.ipo.code.contains(text, Qt::CaseInsensitive) ||
           record.ipo.name.contains(text, Qt::CaseInsensitive);
}

QList<IPORecord> filtered(const QList<IPORecord> &records, QStringView query) {
    if (query.trimmed().isEmpty())
        return records;
    QList<IPORecord> kept;
    for (const IPORecord &record : records) {
        if (matches(record, query))
            kept.append(record);
    }
    return kept;
}

} // namespace TableSearch
