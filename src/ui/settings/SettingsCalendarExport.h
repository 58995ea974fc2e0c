#pragma once

#include "SettingsAlertMessage.h"
#include "SettingsBackup.h"
#include "model/IPORecord.h"

#include <QDateTime>
#include <QList>

#include <optional>

// The settings sheet's "导出日历": the IPO dates of the current list as an iCalendar file, and
// the alerts that report it.
namespace SettingsCalendarExport {

// Writes the calendar of `records`, stamped `exportedAt`, to `path` (through QSaveFile).
SettingsBackup::WriteResult write(const QList<IPORecord> &records, const QDateTime &exportedAt,
                                  const QString &path);

// Before the save dialog: a list without a single date would give an empty calendar, which is
// no use to import; the alert says so instead.
std::optional<SettingsAlertMessage> nothingToExportAlert(const QList<IPORecord> &records);
// After the write: "导出成功" with how to use the file, or "导出失败" with the reason.
SettingsAlertMessage exportAlert(const SettingsBackup::WriteResult &result);

} // namespace SettingsCalendarExport
