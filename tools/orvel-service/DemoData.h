#pragma once

#include <QDate>
#include <QJsonObject>

namespace orvelservice {

// A believable Hong Kong IPO calendar around `today` (a day in the market's time zone), in the
// data-file form {"items": [...], "stats": {...}}: listed IPOs in the past, some open now, some
// upcoming, one listing on the next business day (so its grey-market day is today) and a few not
// yet dated. Subscription and listing days fall on Monday to Friday. Items come newest
// subscription first, undated ones before all others. The same `today` always gives the same data.
QJsonObject demoData(const QDate &today);

} // namespace orvelservice
