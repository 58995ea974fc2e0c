#pragma once

#include "AppDelegate.h"
#include "TaskbarPresence.h"
#include "ui/menu_bar/MainWindowOpening.h"

#include <QObject>

#include <memory>

class AppSettings;
class ContentView;
class IPORepository;
class MainWindow;
class MenuBarLabel;
class PanelWindow;

// The application object: creates the long-lived parts in a fixed order (settings, delegate,
// the repository on first use, usage analytics) and the two scenes, the tray icon with its
// panel and the main window.
class OrvelApp : public QObject, public MainWindowOpening {
    Q_OBJECT
public:
    explicit OrvelApp(QObject *parent = nullptr);
    ~OrvelApp() override;

    // Declares the scenes and shows what the desktop allows: the tray icon, and the main window.
    void start();

    // The one repository, created on first use and kept for the application's life.
    IPORepository &repository();
    AppDelegate &delegate() { return m_delegate; }
    MainWindow &mainWindow();
    PanelWindow &panelWindow();
    ContentView &panelContent() { return *m_panelContent; }
    MenuBarLabel *menuBarLabel() const { return m_label.get(); }
    bool hasTray() const { return m_hasTray; }

    void openMainWindow() override;
    void togglePanel();
    void activateApplication();
    bool hasVisibleWindows() const;

private:
    AppSettings &m_settings;
    AppDelegate m_delegate;
    std::unique_ptr<IPORepository> m_repository;
    bool m_hasTray;
    TaskbarPresence m_taskbar;
    std::unique_ptr<MenuBarLabel> m_label;
    ContentView *m_panelContent = nullptr;
    std::unique_ptr<PanelWindow> m_panel;
    std::unique_ptr<MainWindow> m_mainWindow;
};
