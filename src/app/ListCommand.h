#pragma once

#include "model/IPORecord.h"

#include <QCoroTask>
#include <QTextStream>

class IPORepository;

// `orvel --list`: the merged records as tab-separated lines, for scripts and for a quick look
// at what the service answers without opening a window.
namespace ListCommand {

QString headerLine();
QString recordLine(const IPORecord &record);

// One forced refresh, then the merged records to `out` in the service's order, or the error's
// description to `err`; the exit status.
QCoro::Task<int> run(IPORepository &repository, QTextStream &out, QTextStream &err);

} // namespace ListCommand
