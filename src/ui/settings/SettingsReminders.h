#pragma once

#include "SettingsAlertMessage.h"
#include "reminders/RemindersToggleResult.h"

#include <optional>

// What the reminder switch tells the user once the scheduler has answered.
namespace SettingsReminders {

// The scheduler's message under "提醒设置失败" when it reports a failure, otherwise under
// "提醒设置已更新"; no alert when there is no message.
std::optional<SettingsAlertMessage> alertFor(const RemindersToggleResult &result);

} // namespace SettingsReminders
