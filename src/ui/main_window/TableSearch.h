#pragma once

#include "model/IPORecord.h"

#include <QList>
#include <QStringView>

// The main table's search: a record is kept when its code or its name holds the typed text,
// case-insensitively (names mix Chinese with Latin letters, "-B", "-W"); surrounding spaces do
// not count, and an empty search keeps every record. It narrows what the time filter lists.
namespace TableSearch {

bool matches(const IPORecord &record, QStringView query);
// The records that match, in their given order.
QList<IPORecord> filtered(const QList<IPORecord> &records, QStringView query);

} // namespace TableSearch
