#include "SettingsCalendarExport.h"

#include "repository/CalendarExport.h"

#include <QCoreApplication>

namespace SettingsCalendarExport {

SettingsBackup::WriteResult write(const QList<IPORecord> &records, const QDateTime &exportedAt,
                                  const QString &path) {
    return SettingsBackup::writeFile(CalendarExport::document(records, exportedAt), path);
}

std::optional<SettingsAlertMessage> nothingToExportAlert(const QList<IPORecord> &records) {
    if (CalendarExport::eventCount(records) > 0)
        return std::nullopt;
    return SettingsAlertMessage::make(
        QCoreApplication::translate("SettingsCalendarExport", "导出失败"),
        CalendarExport::nothingToExportMessage());
}

SettingsAlertMessage exportAlert(const SettingsBackup::WriteResult &result) {
    if (!result)
        return SettingsAlertMessage::make(
            QCoreApplication::translate("SettingsCalendarExport", "导出失败"), result.error());
    return SettingsAlertMessage::make(
        QCoreApplication::translate("SettingsCalendarExport", "导出成功"),
        QCoreApplication::translate("SettingsCalendarExport",
                                    "新股日历已导出为 .ics 文件，可在常用的日历应用中导入。"));
}

} // namespace SettingsCalendarExport
