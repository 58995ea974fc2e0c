#pragma once

#include "model/IPORecord.h"
#include "model/MarketCalendar.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QLocale>
#include <QString>

#include <optional>

// The month grid's arithmetic, kept apart from the widgets so it can be checked without drawing.

// Records grouped by the market day their subscription opens; a key is that day's midnight in
// the market's zone, and each list keeps the order of the records it was built from.
using RecordsByDay = QHash<QDateTime, QList<IPORecord>>;
// One grid row: Monday to Friday, an empty slot for a day outside the month shown.
using WeekRow = QList<std::optional<QDateTime>>;

// The market calendar with weeks starting on Monday; the grid does all its week arithmetic here.
const MarketCalendar &gridCalendar();

RecordsByDay recordsByDay(const QList<IPORecord> &records);

// The weeks of the month containing `selectedMonth`, each exactly five slots (Monday to Friday).
// Days of neighbouring months are empty slots; empty when the month cannot be formed.
QList<WeekRow> weekRows(const QDateTime &selectedMonth);

// Points of height for a week: two tags fit into the minimum, each further tag adds a line.
inline constexpr int minimumRowHeight = 96;
inline constexpr int rowHeightBase = 60;
inline constexpr int rowHeightPerTag = 18;
int rowHeight(const WeekRow &week, const RecordsByDay &ipos);

// The records listed on the cell of `day` (any instant of that market day).
QList<IPORecord> recordsOn(const QDateTime &day, const RecordsByDay &ipos);

// `instant` moved by whole months in `calendar`, keeping the wall-clock time and the day of
// month where the target month has it (clamped otherwise). Invalid when it cannot be formed.
QDateTime addingMonths(const QDateTime &instant, int months,
                       const MarketCalendar &calendar = gridCalendar());

// Whether `day` is the market day of `now`: the cell that gets the amber circle.
bool isMarketToday(const QDateTime &day, const QDateTime &now);

// The header's title: the full month name and the year as `locale` writes them ("May 2025",
// "2025年5月"). Years never get a grouping separator.
QString monthTitle(const QDateTime &selectedMonth, const QLocale &locale);
