#pragma once

#include "TableRowBand.h"
#include "model/IPORecord.h"
#include "model/MarketCalendar.h"

#include <QHash>
#include <QList>
#include <QString>

// Row bands for the listed records, keyed by code. Walking the list in table order, each run of
// records opening on the same calendar day shares a band and the next dated run takes the other
// one, starting with warmLight; undated records get missing and do not break a run. Should a
// code be listed twice, the later row's band wins.
namespace RowBanding {

QHash<QString, TableRowBand> bands(const QList<IPORecord> &listed, const MarketCalendar &calendar);

// The band of `code`; missing when the table has none for it.
TableRowBand bandOf(const QHash<QString, TableRowBand> &bands, const QString &code);

} // namespace RowBanding
