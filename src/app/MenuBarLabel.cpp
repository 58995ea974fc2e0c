#include "MenuBarLabel.h"

#include "AppNotificationCenter.h"
#include "ui/look/AppearanceMonitor.h"
#include "ui/look/Palette.h"
#include "ui/look/SymbolImage.h"
#include "ui/look/ViewStyle.h"

MenuBarLabel::MenuBarLabel(AppNotificationCenter &center, Actions actions, QObject *parent)
    : QObject(parent)
    , m_actions(std::move(actions)) {
    m_tray.setIcon(menuBarIcon());
    m_tray.setToolTip(QStringLiteral("ORVEL"));
    m_openAction = m_menu.addAction(QStringLiteral("打开主窗口"));
    m_openAction->setObjectName(QStringLiteral("openMainWindowAction"));
    applyAppearance();
    // The symbol is drawn in the text colour, which differs between light and dark.
    connect(&AppearanceMonitor::shared(), &AppearanceMonitor::appearanceChanged, this,
            &MenuBarLabel::applyAppearance);
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

void MenuBarLabel::applyAppearance() {
    m_openAction->setIcon(
        SymbolImage::icon(u"table", ViewStyle::color(PaletteColor::textPrimary), 16));
}

void MenuBarLabel::handleNotification(const QString &name) {
    if (name != reopenMainWindowNotification)
        return;
    if (m_actions.openMainWindow)
        m_actions.openMainWindow();
    if (m_actions.activateApplication)
        m_actions.activateApplication();
}
