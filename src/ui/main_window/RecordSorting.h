#pragma once

#include "model/IPORecord.h"

#include <QList>
#include <QStringView>

// The main table's order: newest subscription start first, undated records last, ties by name
// and then by code.
namespace RecordSorting {

// Compares by Unicode code points after canonical composition, so that a name typed with
// combining marks sorts with its composed spelling and characters outside the Basic
// Multilingual Plane sort after every character inside it. Negative, zero or positive.
int compareUnicode(QStringView a, QStringView b);

// Whether `a` is listed before `b`. Equal dates (or none) with equal name and code: neither.
bool isOrderedBefore(const IPORecord &a, const IPORecord &b);

// The records in table order; records that are equal in that order keep their given order.
QList<IPORecord> sorted(QList<IPORecord> records);

} // namespace RecordSorting
