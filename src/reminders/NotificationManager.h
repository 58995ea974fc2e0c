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

// Keeps the desktop's pending reminders in line with the records. Two kinds, each behind its own
// switch: at 16:15 on the business day before a listing the user hears that grey-market trading
// has opened; at 09:00 on a subscription's last day the user hears which IPOs still wait for an
// application. The pending requests in the notification centre are the only state; every run
// replaces the requests of its own kind and leaves the other kind and everyone else's alone.
class NotificationManager : public QObject {
    Q_OBJECT
public:
    enum class ReminderKind { darkMarket, closingDay };

    static inline const QString identifierPrefix = QStringLiteral("dark_market_");
    static inline const QString reminderTitle = QStringLiteral("暗盘开盘通知");
    static inline const QString reminderBodySuffix = QStringLiteral(" 股票暗盘已开启");
    static constexpr int reminderHour = 16;
    static constexpr int reminderMinute = 15;

    static inline const QString closingDayIdentifierPrefix = QStringLiteral("closing_day_");
    static inline const QString closingDayTitle = QStringLiteral("今日截止申购");
    static constexpr int closingDayHour = 9;
    // From this many names on, the body names the first few and gives the count.
    static constexpr int closingDayNamesShown = 5;

    // Defaults: the desktop notification centre, the system clock and the market calendar.
    explicit NotificationManager(UserNotificationCentering *center = nullptr,
                                 Clock nowProvider = systemClock(),
                                 MarketCalendar calendar = marketCalendar(),
                                 QObject *parent = nullptr);

    static NotificationManager &shared();

    // The grey-market switch: may ask the user for permission, and says why reminders stay off.
    QCoro::Task<RemindersToggleResult> setRemindersEnabled(bool enabled, QList<IPORecord> records);
    // The closing-day switch, the same flow with its own texts.
    QCoro::Task<RemindersToggleResult> setClosingDayRemindersEnabled(bool enabled,
                                                                     QList<IPORecord> records);
    // After every rebuild of the records, with both switches: never asks for permission;
    // without it, this application's reminders of both kinds go.
    QCoro::Task<> syncReminders(QList<IPORecord> records, bool darkMarketEnabled,
                                bool closingDayEnabled);

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
    // The request for `record` firing at 16:15 on `day` in the market's `zone`.
    static NotificationRequest reminderRequest(const IPORecord &record, QDate day,
                                               const QTimeZone &zone);
    static bool isReminderIdentifier(const QString &identifier) {
        return identifier.startsWith(identifierPrefix);
    }

    // The closing-day requests from the day of `now` on: one per day on which an IPO that is not
    // listed yet, and that the user has applied for no shares of, ends its subscription; firing
    // at 09:00 market time that day, in day order. A day whose 09:00 has passed gets none.
    static QList<NotificationRequest> closingDayRequests(const QList<IPORecord> &records,
                                                         const QDateTime &now,
                                                         const MarketCalendar &calendar);
    // The names in list order joined by "、"; from six names on, the first five and "等 N 只".
    static QString closingDayBody(const QStringList &names);

private:
    QCoro::Task<RemindersToggleResult> setEnabled(ReminderKind kind, bool enabled,
                                                  QList<IPORecord> records);
    QCoro::Task<> removeReminders(ReminderKind kind);
    QCoro::Task<> schedule(ReminderKind kind, QList<IPORecord> records);
    QCoro::Task<> scheduleReminders(QList<IPORecord> records);
    QCoro::Task<> scheduleReminder(IPORecord record);
    QCoro::Task<> scheduleClosingDayReminders(QList<IPORecord> records);

    UserNotificationCentering &m_center;
    Clock m_now;
    MarketCalendar m_calendar;
};
