#pragma once

#include "model/IPOStatus.h"

#include <QDateTime>
#include <QString>
#include <QUrl>

#include <optional>

// The texts of the main table's cells, also used by the detail panel's badges.
namespace TableCellText {

// "—", what every empty cell shows.
QString emptyCell();

// The lot amount as whole dollars without separators ("3,030.00" → "3030"); the service's text
// unchanged when it is not a number (or not a finite one within the integer range).
QString lotAmount(const QString &serviceText);

// "待申购", "申购中" or "已上市".
QString statusLabel(IPOStatus status);

// The market-zone calendar day of the subscription start as yyyy-MM-dd; "—" when absent.
QString subscriptionDate(const std::optional<QDateTime> &subStart);

// A share count as plain digits, or nothing when there is none to show (0 or negative).
std::optional<QString> quantityBadge(qint64 count);

// The prospectus address the row may open: present, not empty, a valid absolute URL with a
// host, and http or https. Anything else is no link at all.
std::optional<QUrl> prospectusLink(const std::optional<QString> &prospectusURL);

} // namespace TableCellText
