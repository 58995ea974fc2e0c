#include "MenuBarLabel.h"

#include "AppNotificationCenter.h"
#include "ui/look/AppLook.h"

MenuBarLabel::MenuBarLabel(AppNotificationCenter &center, Actions actions, QObject *parent)
    : QObject(parent)
    , m_actions(std::move(actions)) {
    m_tray.setIcon(menuBarIcon());
    m_tray.setToolTip(QStringLiteral("ORVEL"));
    m_openAction = m_menu.addAction(tr("打开主窗口"));
    m_openAction->setObjectName(QStringLiteral("openMainWindowAction"));
    // The symbol is drawn in the text colour, which differs between light and dark.
    AppLook::setSymbol(m_openAction, QStringLiteral("table"), PaletteColor::textPrimary, 16);
    connect(m_openAction, &QAction::triggered, this, [this] {
        if (m_actions.openMainWindow)
            m_actions.openMainWindow();
    });
    m_tray.setContextMenu(&m_menu);
    connect(
        &m_tray, &QSystemTrayIcon::activated, this,
        [this](QSystemTrayIcon::ActivationReason reason) {
            if ((reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::MiddleClick) &&
                m_actions.togglePanel)
                m_actions.togglePanel();
        });
    connect(&center, &AppNotificationCenter::posted, this, &MenuBarLabel::handleNotification);
}

QIcon MenuBarLabel::menuBarIcon() {
    return QIcon(QStringLiteral(":/icons/MenuBarIcon.svg"));
}

void MenuBarLabel::handleNotification(const QString &name) {
    if (name != reopenMainWindowNotification)
        return;
    if (m_actions.openMainWindow)
        m_actions.openMainWindow();
    if (m_actions.activateApplication)
        m_actions.activateApplication();
}
