#pragma once

#include "model/Clock.h"
#include "model/IPORecord.h"

#include <QByteArray>
#include <QCoroTask>
#include <QJsonObject>
#include <QTextStream>

class IPORepository;

// `orvel --list`: the merged records as tab-separated lines, for scripts and for a quick look
// at what the service answers without opening a window. `--list --json` gives the same records
// as one JSON array, `--ics` as an iCalendar file.
namespace ListCommand {

enum class Format { table, json, calendar };

QString headerLine();
QString recordLine(const IPORecord &record);
// One record for `--json`: dates as "yyyy-MM-dd" or null, a missing prospectus link as null.
QJsonObject recordObject(const IPORecord &record);
// The whole `--json` output: one array in list order.
QByteArray jsonDocument(const QList<IPORecord> &records);

// One forced refresh, then the merged records to `out` in the service's order, or the error's
// description to `err`; the exit status. `clock` stamps the calendar's export time.
QCoro::Task<int> run(IPORepository &repository, QTextStream &out, QTextStream &err,
                     Format format = Format::table, Clock clock = systemClock());

} // namespace ListCommand
