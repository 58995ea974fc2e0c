#pragma once

#include <QMenu>
#include <QObject>
#include <QSystemTrayIcon>

#include <functional>

class AppNotificationCenter;

// The tray icon: a click toggles the panel, its menu opens the main window, and it is the one
// object that lives for the whole run, so it also answers "reopenMainWindow".
class MenuBarLabel : public QObject {
    Q_OBJECT
public:
    struct Actions {
        std::function<void()> togglePanel;
        std::function<void()> openMainWindow;
        std::function<void()> activateApplication;
    };

    MenuBarLabel(AppNotificationCenter &center, Actions actions, QObject *parent = nullptr);

    static QIcon menuBarIcon();
    QSystemTrayIcon &trayIcon() { return m_tray; }
    QMenu &contextMenu() { return m_menu; }
    // The icon's place on screen as the desktop reports it (often wrong: see PanelPlacement).
    QRect geometry() const { return m_tray.geometry(); }
    void show() { m_tray.show(); }

private:
    void handleNotification(const QString &name);

    Actions m_actions;
    QSystemTrayIcon m_tray;
    QMenu m_menu;
    QAction *m_openAction;
};
