#include "SettingsTaskbarCard.h"

#include "SettingsSwitch.h"
#include "settings/AppSettings.h"

#include <QSignalBlocker>
#include <QVBoxLayout>

SettingsTaskbarCard::SettingsTaskbarCard(AppSettings &settings, QWidget *parent)
    : SettingsSection(tr("界面设置"), parent)
    , m_settings(settings) {
    m_switch = new SettingsSwitch(tr("隐藏任务栏图标"));
    m_switch->setObjectName(QStringLiteral("TaskbarSwitch"));
    m_switch->setChecked(m_settings.hideDockIcon());
    connect(m_switch, &QAbstractButton::clicked, this,
            [this](bool hide) { m_settings.setHideDockIcon(hide); });
    connect(&m_settings, &AppSettings::hideDockIconChanged, this, [this](bool hide) {
        const QSignalBlocker blocker(m_switch);
        m_switch->setChecked(hide);
    });
    rows()->addWidget(labelledRow(tr("隐藏任务栏图标"), tr("隐藏后 ORVEL 仅在系统托盘显示"), m_switch));
}

void SettingsTaskbarCard::reload() {
    const QSignalBlocker blocker(m_switch);
    m_switch->setChecked(m_settings.hideDockIcon());
}
