#include "RecordSearch.h"

namespace RecordSearch {

namespace {

bool startsWith(const IPORecord &record, const QString &prefix) {
    return record.ipo.code.startsWith(prefix, Qt::CaseInsensitive) ||
           record.ipo.name.startsWith(prefix, Qt::CaseInsensitive);
}

} // namespace

bool matches(const IPORecord &record, const QString &query) {
    const QString needle = query.trimmed();
    return needle.isEmpty() || record.ipo.code.contains(needle, Qt::CaseInsensitive) ||
           record.ipo.name.contains(needle, Qt::CaseInsensitive);
}

QList<IPORecord> matching(const QList<IPORecord> &records, const QString &query) {
    if (query.trimmed().isEmpty())
        return records;
    QList<IPORecord> kept;
    for (const IPORecord &record : records) {
        if (matches(record, query))
            kept.append(record);
    }
    return kept;
}

int firstWithPrefix(const QList<IPORecord> &records, const QString &prefix, int from) {
    const int count = static_cast<int>(records.size());
    if (prefix.isEmpty() || count == 0)
        return -1;
    const int start = ((from % count) + count) % count;
    for (int step = 0; step < count; ++step) {
        const int row = (start + step) % count;
        if (startsWith(records[row], prefix))
            return row;
    }
    return -1;
}

} // namespace RecordSearch
