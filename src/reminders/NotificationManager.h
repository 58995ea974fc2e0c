#pragma once

#include "NotificationRequest.h"
#include "RemindersToggleResult.h"
#include "UserNotificationCentering.h"
#include "model/Clock.h"
#include "model/IPORecord.h"
#include "model/MarketCalendar.h"

#include <QCoroTask>
#include <QList>
#include <QObject>

#include <optional>

// Keeps the desktop's pending grey-market reminders in line with the records: at 16:15 on the
// business day before a listing the user hears that grey-market trading has opened. The pending
// requests in the notification centre are the only state; every run replaces this application's
// reminders and leaves everyone else's requests alone.
class NotificationManager : public QObject {
    Q_OBJECT
public:
    static inline const QString identifierPrefix = QStringLiteral("dark_market_");
    static inline const QString reminderTitle = QStringLiteral("暗盘开盘通知");
    static inline const QString reminderBodySuffix = QStringLiteral(" 股票暗盘已开启");
    static constexpr int reminderHour = 16;
    static constexpr int reminderMinute = 15;

    // Defaults: the desktop notification centre, the system clock and the market calendar.
    explicit NotificationManager(UserNotificationCentering *center = nullptr,
                                 Clock nowProvider = systemClock(),
                                 MarketCalendar calendar = marketCalendar(),
                                 QObject *parent = nullptr);

    static NotificationManager &shared();

    // The settings switch: may ask the user for permission, and says why reminders stay off.
    QCoro::Task<RemindersToggleResult> setRemindersEnabled(bool enabled, QList<IPORecord> records);
    // After every rebuild of the records: never asks for permission; without it, this
    // application's reminders go.
    QCoro::Task<> syncReminders(QList<IPORecord> records, bool enabled);

    // The business day before the listing (weekends skipped, holidays unknown); nothing without
    // a listing date.
    static std::optional<QDate> reminderDay(const IPORecord &record,
                                            const MarketCalendar &calendar);
    // The records whose reminder day is the day of `now`, in their order.
    static QList<IPORecord> recordsDueOn(const QList<IPORecord> &records, const QDateTime &now,
                                         const MarketCalendar &calendar);
    // 16:15 on the day of `now` in `calendar`; nothing if that moment cannot be formed.
    static std::optional<QDateTime> reminderMoment(const QDateTime &now,
                                                   const MarketCalendar &calendar);
    // The request for `record` firing at 16:15 wall-clock time on `day`.
    static NotificationRequest reminderRequest(const IPORecord &record, QDate day);
    static bool isReminderIdentifier(const QString &identifier) {
        return identifier.startsWith(identifierPrefix);
    }

private:
    QCoro::Task<> removeReminders();
    QCoro::Task<> scheduleReminders(QList<IPORecord> records);
    QCoro::Task<> scheduleReminder(IPORecord record);

    UserNotificationCentering &m_center;
    Clock m_now;
    MarketCalendar m_calendar;
};
