#include "NotificationManager.h"

#include "DesktopNotificationCentre.h"

#include <QDebug>
#include <QPointer>

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

QCoro::Task<RemindersToggleResult>
NotificationManager::setRemindersEnabled(bool enabled, QList<IPORecord> records) {
    QPointer<NotificationManager> self(this);
    if (!enabled) {
        co_await removeReminders();
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
                false, QStringLiteral("请求通知权限失败：") + granted.error().description(), true};
        if (!*granted)
            co_return RemindersToggleResult{
                false, QStringLiteral("未授予通知权限，请前往系统设置开启暗盘提醒。"), true};
        co_await scheduleReminders(std::move(records));
        co_return RemindersToggleResult{true, std::nullopt, false};
    }
    case NotificationAuthorizationStatus::denied:
        co_return RemindersToggleResult{
            false, QStringLiteral("通知权限已关闭，请前往系统设置开启暗盘提醒。"), true};
    case NotificationAuthorizationStatus::authorized:
        co_await scheduleReminders(std::move(records));
        co_return RemindersToggleResult{true, std::nullopt, false};
    }
    co_return RemindersToggleResult{};
}

QCoro::Task<> NotificationManager::syncReminders(QList<IPORecord> records, bool enabled) {
    QPointer<NotificationManager> self(this);
    if (!enabled) {
        co_await removeReminders();
        co_return;
    }
    const NotificationAuthorizationStatus status = co_await m_center.authorizationStatus();
    if (!self)
        co_return;
    if (status == NotificationAuthorizationStatus::authorized)
        co_await scheduleReminders(std::move(records));
    else
        co_await removeReminders();
}

QCoro::Task<> NotificationManager::removeReminders() {
    QPointer<NotificationManager> self(this);
    const QList<NotificationRequest> pending = co_await m_center.pendingNotificationRequests();
    if (!self)
        co_return;
    QStringList ours;
    for (const NotificationRequest &request : pending) {
        if (isReminderIdentifier(request.identifier))
            ours.append(request.identifier);
    }
    if (!ours.isEmpty())
        m_center.removePendingRequests(ours);
}

QCoro::Task<> NotificationManager::scheduleReminders(QList<IPORecord> records) {
    QPointer<NotificationManager> self(this);
    // Every earlier reminder goes first, also those of IPOs that are no longer listed.
    co_await removeReminders();
    if (!self)
        co_return;
    const QList<IPORecord> due = recordsDueOn(records, m_now(), m_calendar);
    for (const IPORecord &record : due) {
        co_await scheduleReminder(record);
        if (!self)
            co_return;
    }
}

QCoro::Task<> NotificationManager::scheduleReminder(IPORecord record) {
    QPointer<NotificationManager> self(this);
    const std::optional<QDateTime> moment = reminderMoment(m_now(), m_calendar);
    if (!moment)
        co_return;
    // From 16:15 on, today's reminder would come too late to be of use.
    if (*moment <= m_now())
        co_return;
    NotificationRequest request = reminderRequest(record, m_calendar.dayOf(*moment));
    const std::optional<NotificationCentreError> failure =
        co_await m_center.addRequest(std::move(request));
    if (!self)
        co_return;
    if (failure)
        qWarning().noquote() << QStringLiteral("[Notify] Failed to schedule: ") +
                                    failure->description();
    else
        qInfo().noquote() << QStringLiteral("[Notify] Scheduled for ") + record.ipo.name +
                                 QStringLiteral(" at 16:15");
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

NotificationRequest NotificationManager::reminderRequest(const IPORecord &record, QDate day) {
    NotificationRequest request;
    request.identifier = identifierPrefix + record.ipo.code;
    request.content.title = reminderTitle;
    request.content.body = record.ipo.name + reminderBodySuffix;
    request.content.playsDefaultSound = true;
    request.trigger.date = day;
    request.trigger.time = QTime(reminderHour, reminderMinute);
    return request;
}
