#pragma once

#include "model/IPORecord.h"

#include <QCoroTask>
#include <QTextStream>

class IPOAPIClientProtocol;

// `orvel --list`: the merged records as tab-separated lines, for scripts and for a quick look
// at what the service answers without opening a window.
namespace ListCommand {

QString headerLine();
QString recordLine(const IPORecord &record);

// Prints the list to `out`, or the error's description to `err`; the exit status.
QCoro::Task<int> run(IPOAPIClientProtocol &client, QTextStream &out, QTextStream &err);

} // namespace ListCommand
