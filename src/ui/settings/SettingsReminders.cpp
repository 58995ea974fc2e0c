#include "SettingsReminders.h"

namespace SettingsReminders {

std::optional<SettingsAlertMessage> alertFor(const RemindersToggleResult &result) {
    if (!result.message)
        return std::nullopt;
    return SettingsAlertMessage::make(result.messageIsFailure ? QStringLiteral("提醒设置失败")
                                                              : QStringLiteral("提醒设置已更新"),
                                      *result.message);
}

} // namespace SettingsReminders
