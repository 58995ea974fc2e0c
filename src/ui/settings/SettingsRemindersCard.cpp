#include "SettingsRemindersCard.h"

#include "SettingsAlertPresenting.h"
#include "SettingsReminders.h"
#include "SettingsSwitch.h"
#include "reminders/NotificationManager.h"
#include "repository/IPORepository.h"
#include "settings/AppSettings.h"

#include <QPointer>
#include <QVBoxLayout>

SettingsRemindersCard::SettingsRemindersCard(AppSettings &settings,
                                             NotificationManager &notifications,
                                             IPORepository &repository,
                                             SettingsAlertPresenting &alerts, QWidget *parent)
    : SettingsSection(tr("提醒设置"), parent)
    , m_settings(settings)
    , m_notifications(notifications)
    , m_repository(repository)
    , m_alerts(alerts) {
    for (const ReminderKind &kind : ReminderKind::all()) {
        auto *toggle = new SettingsSwitch(kind.switchName);
        toggle->setObjectName(kind.switchObjectName);
        connect(toggle, &QAbstractButton::clicked, this,
                [this, kind](bool enabled) { change(kind, enabled); });
        m_switches.insert(kind.settingsKey, toggle);
        rows()->addWidget(labelledRow(kind.switchName, kind.hint, toggle));
    }
}

void SettingsRemindersCard::reload() {
    for (const ReminderKind &kind : ReminderKind::all()) {
        if (!m_changing.contains(kind.settingsKey))
            m_switches.value(kind.settingsKey)
                ->setChecked(m_settings.isReminderEnabled(kind.settingsKey));
    }
}

void SettingsRemindersCard::change(const ReminderKind &kind, bool enabled) {
    if (m_changing.contains(kind.settingsKey))
        return;
    m_changing.insert(kind.settingsKey);
    SettingsSwitch *toggle = m_switches.value(kind.settingsKey);
    toggle->setChecked(enabled);
    toggle->setEnabled(false);
    runChange(kind, enabled);
}

QCoro::Task<> SettingsRemindersCard::runChange(ReminderKind kind, bool enabled) {
    const QPointer<SettingsRemindersCard> self(this);
    const RemindersToggleResult result =
        co_await m_notifications.setRemindersEnabled(kind, enabled, m_repository.records());
    if (!self)
        co_return;
    m_changing.remove(kind.settingsKey);
    SettingsSwitch *toggle = m_switches.value(kind.settingsKey);
    toggle->setChecked(result.remindersActive);
    toggle->setEnabled(true);
    m_settings.setReminderEnabled(kind.settingsKey, result.remindersActive);
    emit changed();
    if (const auto alert = SettingsReminders::alertFor(result))
        m_alerts.presentAlert(this, *alert);
}
