#pragma once

#include "model/IPORecord.h"
#include "model/MarketCalendar.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

// The IPO dates of the merged records as an iCalendar file (RFC 5545) for the user's own
// calendar application. It lives beside the merge because it is a view of the merged records:
// the service's dates together with the user's own figures, read by the settings sheet's
// "导出日历" and by `orvel --ics` alike.
//
// Per IPO, as far as its dates go: the subscription period as an all-day event, the grey-market
// session (16:15 to 18:30 market time on the business day before listing) and the listing day
// as an all-day event. Each event's UID comes from the code and the kind of event alone, so a
// calendar that updates by UID replaces an earlier import instead of doubling it.
namespace CalendarExport {

// Why there is nothing to export: a calendar without an event is not a valid iCalendar file
// (RFC 5545 asks for at least one component), and some calendar applications refuse it.
QString nothingToExportMessage();

// The events the records give; 0 means the file would hold no event at all.
qsizetype eventCount(const QList<IPORecord> &records,
                     const MarketCalendar &calendar = marketCalendar());

// The whole file: CRLF line ends, text values escaped, lines folded at 75 octets without
// splitting a character, times in UTC. `exportedAt` is every event's DTSTAMP. A code that comes
// twice in the list gives its events once (its first record's).
QByteArray document(const QList<IPORecord> &records, const QDateTime &exportedAt,
                    const MarketCalendar &calendar = marketCalendar());

// "orvel-calendar-yyyy-MM-dd.ics" with the local date of `now`, like the CSV backup's name.
QString suggestedFileName(const QDateTime &now);

} // namespace CalendarExport
