#include "SettingsReminders.h"

#include <QCoreApplication>

namespace SettingsReminders {

std::optional<SettingsAlertMessage> alertFor(const RemindersToggleResult &result) {
    if (!result.message)
        return std::nullopt;
    return SettingsAlertMessage::make(
        result.messageIsFailure
            ? QCoreApplication::translate("SettingsReminders", "提醒设置失败")
            : QCoreApplication::translate("SettingsReminders", "提醒设置已更新"),
        *result.message);
}

} // namespace SettingsReminders
