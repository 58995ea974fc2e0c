#pragma once

#include "NotificationRequest.h"
#include "ReminderKind.h"
#include "RemindersToggleResult.h"
#include "UserNotificationCentering.h"
#include "model/Clock.h"
#include "model/IPORecord.h"
#include "model/MarketCalendar.h"

#include <QCoroTask>
#include <QList>
#include <QObject>
#include <QSet>

#include <optional>

// Keeps the desktop's pending reminders in line with the records, for every kind of reminder
// (ReminderKind), each behind its own switch. The pending requests in the notification centre
// are the only state; every run replaces the requests of its own kind and leaves the other kinds
// and everyone else's alone.
class NotificationManager : public QObject {
    Q_OBJECT
public:
    static inline const QString identifierPrefix = QStringLiteral("dark_market_");
    static constexpr int reminderHour = 16;
    static constexpr int reminderMinute = 15;

    static inline const QString closingDayIdentifierPrefix = QStringLiteral("closing_day_");
    static constexpr int closingDayHour = 9;
    // From this many names on, the body names the first few and gives the count.
    static constexpr int closingDayNamesShown = 5;

    // Defaults: the desktop notification centre, the system clock and the market calendar.
    explicit NotificationManager(UserNotificationCentering *center = nullptr,
                                 Clock nowProvider = systemClock(),
                                 MarketCalendar calendar = marketCalendar(),
                                 QObject *parent = nullptr);

    static NotificationManager &shared();

    // A switch of the settings sheet: may ask the user for permission, and says why the kind's
    // reminders stay off.
    QCoro::Task<RemindersToggleResult> setRemindersEnabled(ReminderKind kind, bool enabled,
                                                           QList<IPORecord> records);
    // After every rebuild of the records, with the settings keys of the kinds switched on: never
    // asks for permission; without it, this application's reminders of every kind go.
    QCoro::Task<> syncReminders(QList<IPORecord> records, QSet<QString> enabledKinds);

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
    // The grey-market requests for the day of `now`, while its 16:15 is still ahead.
    static QList<PlannedReminder> darkMarketReminders(const QList<IPORecord> &records,
                                                      const QDateTime &now,
                                                      const MarketCalendar &calendar);

    // The closing-day requests from the day of `now` on: one per day on which an IPO that is not
    // listed yet, and that the user has applied for no shares of, ends its subscription; firing
    // at 09:00 market time that day, in day order. A day whose 09:00 has passed gets none.
    static QList<NotificationRequest> closingDayRequests(const QList<IPORecord> &records,
                                                         const QDateTime &now,
                                                         const MarketCalendar &calendar);
    static QList<PlannedReminder> closingDayReminders(const QList<IPORecord> &records,
                                                      const QDateTime &now,
                                                      const MarketCalendar &calendar);
    // The names in list order joined by "、"; from six names on, the first five and "等 N 只".
    static QString closingDayBody(const QStringList &names);

private:
    QCoro::Task<> removeReminders(ReminderKind kind);
    QCoro::Task<> schedule(ReminderKind kind, QList<IPORecord> records);

    UserNotificationCentering &m_center;
    Clock m_now;
    MarketCalendar m_calendar;
};
