#include "ReminderKind.h"

#include "NotificationManager.h"

#include <QCoreApplication>

// Built on first use, after the language's translator is in place.
const ReminderKind &ReminderKind::darkMarket() {
    static const ReminderKind kind{
        QStringLiteral("darkMarketNotificationsEnabled"),
        NotificationManager::identifierPrefix,
        QCoreApplication::translate("ReminderKind", "暗盘提醒"),
        QCoreApplication::translate(
            "ReminderKind", "仅在你主动开启后请求通知权限，并在上市前一个工作日 16:15 提醒。"),
        QStringLiteral("ReminderSwitch"),
        &NotificationManager::darkMarketReminders};
    return kind;
}

const ReminderKind &ReminderKind::closingDay() {
    static const ReminderKind kind{
        QStringLiteral("closingDayNotificationsEnabled"),
        NotificationManager::closingDayIdentifierPrefix,
        QCoreApplication::translate("ReminderKind", "截止提醒"),
        QCoreApplication::translate("ReminderKind", "申购截止当天 09:00 提醒尚未申购的新股。"),
        QStringLiteral("ClosingDaySwitch"),
        &NotificationManager::closingDayReminders};
    return kind;
}

const QList<ReminderKind> &ReminderKind::all() {
    static const QList<ReminderKind> kinds{darkMarket(), closingDay()};
    return kinds;
}
