#pragma once

#include "store/UserIPOBackupRow.h"
#include "store/UserIPOEntry.h"

#include <QByteArray>
#include <QDate>
#include <QHash>
#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QString>

// Deterministic, realistic-looking inputs for the benchmarks and for the whole-process runs:
// the same generator feeds the micro benchmarks and the local service's data file, so both
// measure the same kind of list.
namespace benchdata {

// The day the generated IPOs are spread around (subscriptions from 60 days before to 30 days
// after it). Fixed, so every run decodes and sorts the same data.
QDate referenceDay();

// The code of the index-th listed IPO: five digits, every twentieth code, so 500 items cover
// the codes 00000 to 09980 and each of them has a stored entry among 10,000 (00000 to 09999).
QString itemCode(int index);
QString entryCode(int index);

// One service record as the list endpoint sends it.
QJsonObject remoteIPOJson(int index, QDate around);
QJsonArray remoteIPOItems(int count, QDate around);
// The list endpoint's whole answer: {"items": [...], "count": count}.
QByteArray listAnswer(int count, QDate around);
// The local service's data-file form for `count` items.
QJsonObject serviceData(int count, QDate around);

// `count` stored entries with codes entryCode(0..count-1), a mix of cash and margin, each with
// a copy of its IPO (listed in referenceDay's year) and most allotted ones with a sale.
QList<UserIPOEntry> userEntries(int count);
// The same entries by code, as the store hands them to the merge.
QHash<QString, UserIPOEntry> userEntriesByCode(int count);
// The same entries as backup rows.
QList<UserIPOBackupRow> backupRows(int count);

} // namespace benchdata
