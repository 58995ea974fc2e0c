#pragma once

#include "model/BrokerCharges.h"
#include "model/Clock.h"
#include "model/IPORecord.h"
#include "model/IPOResult.h"
#include "model/YearFigures.h"

#include <QByteArray>
#include <QCoroTask>
#include <QJsonObject>
#include <QTextStream>

class IPORepository;

// `orvel --list`: the merged records as tab-separated lines, for scripts and for a quick look
// at what the service answers without opening a window. `--list --json` gives the same records
// as one JSON array, `--ics` as an iCalendar file. `--results [YEAR]` prints a year's figures and
// IPOs (`--json`: as one JSON object).
namespace ListCommand {

enum class Format { table, json, calendar, results, resultsJson };

// What a run prints beyond the list: the charges results are worked out with, and the year of
// `--results` (none: this year in Hong Kong).
struct Options {
    BrokerCharges broker = {};
    std::optional<int> year = {};
};

QString headerLine();
QString recordLine(const IPORecord &record);
// One record for `--json`: dates as "yyyy-MM-dd" or null, a missing prospectus link as null; the
// sale (prices and money as exact decimal text, null when not given) and its "result".
QJsonObject recordObject(const IPORecord &record, const BrokerCharges &broker = {});
// The figures of one IPO: money as decimal text ("1173.78"), returnPercent a number with one
// decimal or null when nothing was sold.
QJsonObject resultObject(const IPOResult &result);
// The whole `--json` output: one array in list order.
QByteArray jsonDocument(const QList<IPORecord> &records, const BrokerCharges &broker = {});

// `--results`: "name<TAB>value" lines for the year's figures, "month<TAB>yyyy-MM<TAB>result" for
// each month, then a blank line and one tab-separated line per IPO under a header.
QString resultsText(const YearFigures &year);
// `--results --json`: the same as one object.
QByteArray resultsJson(const YearFigures &year);

// One forced refresh, then the merged records to `out` in the service's order, or the error's
// description to `err`; the exit status. `clock` stamps the calendar's export time.
QCoro::Task<int> run(IPORepository &repository, QTextStream &out, QTextStream &err,
                     Format format = Format::table, Clock clock = systemClock(),
                     Options options = {});

} // namespace ListCommand
