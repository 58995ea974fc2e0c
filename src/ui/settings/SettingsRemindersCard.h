#pragma once

#include "SettingsSection.h"
#include "reminders/ReminderKind.h"

#include <QCoroTask>
#include <QHash>
#include <QSet>

class AppSettings;
class IPORepository;
class NotificationManager;
class SettingsAlertPresenting;
class SettingsSwitch;

// One switch per kind of reminder, all run by the same path: turning one on may ask for
// permission, and the switch shows what the scheduler made of it once it has answered; the
// setting follows that outcome, not the click.
class SettingsRemindersCard : public SettingsSection {
    Q_OBJECT
public:
    SettingsRemindersCard(AppSettings &settings, NotificationManager &notifications,
                          IPORepository &repository, SettingsAlertPresenting &alerts,
                          QWidget *parent = nullptr);

    // Reads every switch from the settings again, but one whose change is still in flight.
    void reload();
    // The user turned the switch of `kind` to `enabled`.
    void change(const ReminderKind &kind, bool enabled);

signals:
    // A change has finished and its switch shows the outcome.
    void changed();

private:
    QCoro::Task<> runChange(ReminderKind kind, bool enabled);

    AppSettings &m_settings;
    NotificationManager &m_notifications;
    IPORepository &m_repository;
    SettingsAlertPresenting &m_alerts;
    QHash<QString, SettingsSwitch *> m_switches;
    QSet<QString> m_changing;
};
