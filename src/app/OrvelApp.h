#pragma once

#include "AppDelegate.h"
#include "TaskbarPresence.h"
#include "WindowPlaceFile.h"
#include "model/Clock.h"
#include "ui/menu_bar/MainWindowOpening.h"

#include <QObject>

#include <memory>

class AnalyticsTracking;
class AppSettings;
class IPOAPIClientProtocol;
class IPORepository;
class MainWindow;
class MenuBarLabel;
class NotificationManager;
class PanelWindow;
class UserIPOStore;

// The application object: creates the long-lived parts in a fixed order (settings, delegate,
// the repository on first use, usage analytics) and the two scenes, the tray icon with its
// panel and the main window. The windows' contents are built each time they open.
class OrvelApp : public QObject, public MainWindowOpening {
    Q_OBJECT
public:
    // What the application is made of. shared() is the user's own: the shared settings, service
    // client, store, reminder manager and usage tracker, the system clock, whether the desktop
    // has a tray, and the window's place in the data folder. Tests hand in their own.
    struct Parts {
        AppSettings &settings;
        IPOAPIClientProtocol &apiClient;
        UserIPOStore &store;
        // None: the shared reminder manager, made when it is first needed (it connects to the
        // session bus, which the start need not wait for).
        NotificationManager *notifications = nullptr;
        // Started shortly after the application and told of every save; none: no usage events.
        AnalyticsTracking *tracker = nullptr;
        Clock clock = systemClock();
        bool trayAvailable = false;
        // Empty: the window's place is not kept.
        QString windowPlaceFile;

        static Parts shared();
    };

    // How long after construction the usage tracker starts (and sends the day's launch event).
    static constexpr int trackerStartDelayMs = 1000;

    explicit OrvelApp(QObject *parent = nullptr);
    explicit OrvelApp(Parts parts, QObject *parent = nullptr);
    ~OrvelApp() override;

    // Declares the scenes and shows what the desktop allows: the tray icon, and the main window.
    void start();

    // The one repository, created on first use and kept for the application's life.
    IPORepository &repository();
    AppDelegate &delegate() { return m_delegate; }
    MainWindow &mainWindow();
    // The tray panel's window, created the first time it is asked for.
    PanelWindow &panelWindow();
    // The tray icon; it appears after the main window's first frame.
    MenuBarLabel *menuBarLabel() const { return m_label.get(); }
    static constexpr int trayIconLatestMs = 1000;
    bool hasTray() const { return m_parts.trayAvailable; }
    bool isMainWindowVisible() const;
    bool isPanelVisible() const;

    void openMainWindow() override;
    void togglePanel();
    // Brings the application in front of other applications: its main window when that is
    // open, since the panel is only ever a drop-down on its way out.
    void activateApplication();
    bool hasVisibleWindows() const;
    // What "Quit" and the session's end do: the windows close (the main window keeps its
    // place), then the event loop ends; the store closes as the application goes.
    void quit();

private:
    void showTrayIcon();
    NotificationManager &notifications();

    Parts m_parts;
    AppSettings &m_settings;
    AppDelegate m_delegate;
    std::unique_ptr<IPORepository> m_repository;
    TaskbarPresence m_taskbar;
    WindowPlaceFile m_windowPlace;
    std::unique_ptr<MenuBarLabel> m_label;
    std::unique_ptr<PanelWindow> m_panel;
    std::unique_ptr<MainWindow> m_mainWindow;
};
