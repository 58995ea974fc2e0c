#pragma once

#include "model/IPORecord.h"

#include <QList>
#include <QString>

// Finding IPOs in the table by what the user types: the toolbar's search narrows the list, and
// typing while the table has the focus jumps to a row.
namespace RecordSearch {

// Whether the code or the name contains `query`, ignoring case; a query that is empty or only
// spaces matches every record. Spaces around the query are dropped (pasted codes carry them).
bool matches(const IPORecord &record, const QString &query);

// The records that match `query`, in their order.
QList<IPORecord> matching(const QList<IPORecord> &records, const QString &query);

// The first row, from `from` on (past the end: from the top) and then round from the top, whose
// code or name starts with `prefix` (ignoring case); -1 when none does or the prefix is empty.
int firstWithPrefix(const QList<IPORecord> &records, const QString &prefix, int from);

} // namespace RecordSearch
