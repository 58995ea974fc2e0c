#include "NotificationManager.h"

#include "DesktopNotificationCentre.h"

#include <QDebug>
#include <QMap>
#include <QPointer>
#include <QRegularExpression>

NotificationManager::NotificationManager(UserNotificationCentering *center, Clock nowProvider,
                                         MarketCalendar calendar, QObject *parent)
    : QObject(parent)
    , m_center(center ? *center : DesktopNotificationCentre::shared())
    , m_now(std::move(nowProvider))
    , m_calendar(std::move(calendar)) {}

NotificationManager &NotificationManager::shared() {
    // Lives for the whole run, so no reminder run can outlive it.
    static NotificationManager *const instance = new NotificationManager();
    return *instance;
}

namespace {

// One line per name: a line break inside a name would split the list in the notification.
QString oneLine(QString name) {
    static const QRegularExpression breaks(QStringLiteral("[\\r\\n\\x{2028}\\x{2029}]+"));
    return name.replace(breaks, QStringLiteral(" "));
}

} // namespace

QCoro::Task<RemindersToggleResult>
NotificationManager::setRemindersEnabled(ReminderKind kind, bool enabled,
                                         QList<IPORecord> records) {
    QPointer<NotificationManager> self(this);
    if (!enabled) {
        co_await removeReminders(kind);
        co_return RemindersToggleResult{false, std::nullopt, false};
    }

    const NotificationAuthorizationStatus status = co_await m_center.authorizationStatus();
    if (!self)
        co_return RemindersToggleResult{};
    switch (status) {
    case NotificationAuthorizationStatus::notDetermined: {
        const Expected<bool, NotificationCentreError> granted =
            co_await m_center.requestAuthorization(NotificationAuthorizationOption::alert |
                                                   NotificationAuthorizationOption::sound);
        if (!self)
            co_return RemindersToggleResult{};
        if (!granted)
            co_return RemindersToggleResult{
                false, tr("请求通知权限失败：%1").arg(granted.error().description()), true};
        if (!*granted)
            co_return RemindersToggleResult{
                false, tr("未授予通知权限，请前往系统设置开启%1。").arg(kind.switchName), true};
        co_await schedule(kind, std::move(records));
        co_return RemindersToggleResult{true, std::nullopt, false};
    }
    case NotificationAuthorizationStatus::denied:
        co_return RemindersToggleResult{
            false, tr("通知权限已关闭，请前往系统设置开启%1。").arg(kind.switchName), true};
    case NotificationAuthorizationStatus::authorized:
        co_await schedule(kind, std::move(records));
        co_return RemindersToggleResult{true, std::nullopt, false};
    }
    co_return RemindersToggleResult{};
}

QCoro::Task<> NotificationManager::syncReminders(QList<IPORecord> records,
                                                 QSet<QString> enabledKinds) {
    QPointer<NotificationManager> self(this);
    bool authorized = false;
    if (!enabledKinds.isEmpty()) {
        authorized =
            co_await m_center.authorizationStatus() == NotificationAuthorizationStatus::authorized;
        if (!self)
            co_return;
    }
    // Each kind on its own: a switch that is off, or permission gone, removes that kind only.
    for (const ReminderKind &kind : ReminderKind::all()) {
        if (authorized && enabledKinds.contains(kind.settingsKey))
            co_await schedule(kind, records);
        else
            co_await removeReminders(kind);
        if (!self)
            co_return;
    }
}

QCoro::Task<> NotificationManager::removeReminders(ReminderKind kind) {
    QPointer<NotificationManager> self(this);
    const QList<NotificationRequest> pending = co_await m_center.pendingNotificationRequests();
    if (!self)
        co_return;
    QStringList ours;
    for (const NotificationRequest &request : pending) {
        if (kind.owns(request.identifier))
            ours.append(request.identifier);
    }
    if (!ours.isEmpty())
        m_center.removePendingRequests(ours);
}

QCoro::Task<> NotificationManager::schedule(ReminderKind kind, QList<IPORecord> records) {
    QPointer<NotificationManager> self(this);
    // Replaces every earlier request of the kind, also those of IPOs no longer listed and of days
    // whose IPOs were applied for since.
    co_await removeReminders(kind);
    if (!self)
        co_return;
    const QList<PlannedReminder> planned = kind.plan(records, m_now(), m_calendar);
    for (const PlannedReminder &reminder : planned) {
        const std::optional<NotificationCentreError> failure =
            co_await m_center.addRequest(reminder.request);
        if (!self)
            co_return;
        if (failure)
            qWarning().noquote() << QStringLiteral("[Notify] Failed to schedule: ") +
                                        failure->description();
        else
            qInfo().noquote() << QStringLiteral("[Notify] Scheduled ") + reminder.loggedAs;
    }
}

std::optional<QDate> NotificationManager::reminderDay(const IPORecord &record,
                                                      const MarketCalendar &calendar) {
    if (!record.ipo.listingDate || !record.ipo.listingDate->isValid())
        return std::nullopt;
    const QDate day = calendar.dayOf(previousBusinessDay(*record.ipo.listingDate, calendar));
    if (!day.isValid())
        return std::nullopt;
    return day;
}

QList<IPORecord> NotificationManager::recordsDueOn(const QList<IPORecord> &records,
                                                   const QDateTime &now,
                                                   const MarketCalendar &calendar) {
    const QDate today = calendar.dayOf(now);
    QList<IPORecord> due;
    for (const IPORecord &record : records) {
        if (reminderDay(record, calendar) == today)
            due.append(record);
    }
    return due;
}

std::optional<QDateTime> NotificationManager::reminderMoment(const QDateTime &now,
                                                             const MarketCalendar &calendar) {
    const QDate day = calendar.dayOf(now);
    if (!day.isValid())
        return std::nullopt;
    const QDateTime moment(day, QTime(reminderHour, reminderMinute), calendar.timeZone());
    if (!moment.isValid())
        return std::nullopt;
    return moment;
}

NotificationRequest NotificationManager::reminderRequest(const IPORecord &record, QDate day,
                                                         const QTimeZone &zone) {
    NotificationRequest request;
    request.identifier = identifierPrefix + record.ipo.code;
    request.content.title = tr("暗盘开盘通知");
    request.content.body = tr("%1 股票暗盘已开启").arg(record.ipo.name);
    request.content.playsDefaultSound = true;
    request.trigger.date = day;
    request.trigger.time = QTime(reminderHour, reminderMinute);
    // The same moment as the check above: the market's, not the machine's.
    request.trigger.zone = zone;
    return request;
}

QList<PlannedReminder> NotificationManager::darkMarketReminders(const QList<IPORecord> &records,
                                                                const QDateTime &now,
                                                                const MarketCalendar &calendar) {
    const std::optional<QDateTime> moment = reminderMoment(now, calendar);
    // From 16:15 on, today's reminder would come too late to be of use.
    if (!moment || *moment <= now)
        return {};
    QList<PlannedReminder> planned;
    for (const IPORecord &record : recordsDueOn(records, now, calendar))
        planned.append({reminderRequest(record, calendar.dayOf(*moment), calendar.timeZone()),
                        QStringLiteral("for ") + record.ipo.name + QStringLiteral(" at 16:15")});
    return planned;
}

QList<PlannedReminder> NotificationManager::closingDayReminders(const QList<IPORecord> &records,
                                                                const QDateTime &now,
                                                                const MarketCalendar &calendar) {
    QList<PlannedReminder> planned;
    for (const NotificationRequest &request : closingDayRequests(records, now, calendar))
        planned.append({request, QStringLiteral("closing-day reminder for ") +
                                     request.trigger.date.toString(Qt::ISODate) +
                                     QStringLiteral(" at 09:00")});
    return planned;
}

QList<NotificationRequest> NotificationManager::closingDayRequests(const QList<IPORecord> &records,
                                                                   const QDateTime &now,
                                                                   const MarketCalendar &calendar) {
    const QDate today = calendar.dayOf(now);
    QMap<QDate, QStringList> namesByDay;
    for (const IPORecord &record : records) {
        if (record.ipo.status == IPOStatus::listed || record.subQuantity > 0)
            continue;
        if (!record.ipo.subEnd || !record.ipo.subEnd->isValid())
            continue;
        const QDate day = calendar.dayOf(*record.ipo.subEnd);
        if (day.isValid() && day >= today)
            namesByDay[day].append(oneLine(record.ipo.name));
    }

    QList<NotificationRequest> requests;
    for (auto it = namesByDay.cbegin(); it != namesByDay.cend(); ++it) {
        const QTime at(closingDayHour, 0);
        const QDateTime moment(it.key(), at, calendar.timeZone());
        // Past 09:00 the day gets none, as the grey-market day gets none past 16:15: a request
        // for a moment gone would be shown at once again after every rebuild of the records.
        if (!moment.isValid() || moment <= now)
            continue;
        NotificationRequest request;
        request.identifier = closingDayIdentifierPrefix + it.key().toString(Qt::ISODate);
        request.content.title = tr("今日截止申购");
        request.content.body = closingDayBody(it.value());
        request.content.playsDefaultSound = true;
        request.trigger.date = it.key();
        request.trigger.time = at;
        request.trigger.zone = calendar.timeZone();
        requests.append(request);
    }
    return requests;
}

QString NotificationManager::closingDayBody(const QStringList &names) {
    const QString separator = tr("、", "between the names of IPOs in a notification");
    if (names.size() <= closingDayNamesShown)
        return names.join(separator);
    //: the first few names of the IPOs closing today, then how many there are in all
    return tr("%1等 %n 只", nullptr, int(names.size()))
        .arg(names.first(closingDayNamesShown).join(separator));
}
