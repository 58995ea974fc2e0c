#include "OrvelApp.h"

#include "AppNotificationCenter.h"
#include "MainWindow.h"
#include "MenuBarLabel.h"
#include "PanelPlacement.h"
#include "PanelWindow.h"
#include "analytics/AnalyticsTracker.h"
#include "reminders/NotificationManager.h"
#include "repository/IPORepository.h"
#include "service/IPOAPIClient.h"
#include "settings/AppSettings.h"
#include "store/UserIPOStore.h"
#include "ui/main_window/MainWindowView.h"
#include "ui/menu_bar/ContentView.h"
#include "ui/settings/SettingsView.h"

#include <QDialog>

#include <QApplication>
#include <QCursor>
#include <QDebug>
#include <QScreen>
#include <QSystemTrayIcon>

namespace {

void syncReminders(const QList<IPORecord> &records, IPORepository::ReminderSwitches switches) {
    // Fire and forget: the rebuild never waits for the notification centre.
    NotificationManager::shared().syncReminders(records, switches.darkMarket, switches.closingDay);
}

IPORepository::ReminderSwitches reminderSwitches() {
    const AppSettings &settings = AppSettings::shared();
    return {settings.darkMarketNotificationsEnabled(), settings.closingDayNotificationsEnabled()};
}

} // namespace

OrvelApp::OrvelApp(QObject *parent)
    : QObject(parent)
    , m_settings(AppSettings::shared())
    , m_delegate(AppNotificationCenter::defaultCenter(), [this] { activateApplication(); })
    , m_hasTray(QSystemTrayIcon::isSystemTrayAvailable())
    , m_taskbar(m_hasTray) {
    // The icons are compiled into the static UI library; make sure its resources are linked.
    Q_INIT_RESOURCE(resources);
    m_settings.setActivationPolicyTarget(&m_taskbar);
    // The store's saves are reported from now on; a quick listing never starts the tracker.
    UserIPOStore::shared().setAnalyticsTracker(&AnalyticsTracker::shared());
    AnalyticsTracker::shared().start();
}

OrvelApp::~OrvelApp() {
    m_settings.setActivationPolicyTarget(nullptr);
    UserIPOStore::shared().setAnalyticsTracker(nullptr);
}

IPORepository &OrvelApp::repository() {
    if (!m_repository) {
        m_repository =
            std::make_unique<IPORepository>(IPOAPIClient::shared(), UserIPOStore::shared(),
                                            systemClock(), 45.0, &syncReminders, &reminderSwitches);
    }
    return *m_repository;
}

MainWindow &OrvelApp::mainWindow() {
    if (!m_mainWindow) {
        m_mainWindow = std::make_unique<MainWindow>(
            [this](MainWindow &window) {
                return new MainWindowView(repository(), systemClock(), &window);
            },
            [this](QDialog &sheet) -> QWidget * {
                auto *view =
                    new SettingsView(repository(), m_settings, NotificationManager::shared(),
                                     UserIPOStore::shared());
                connect(view, &SettingsView::dismissRequested, &sheet, &QDialog::accept);
                return view;
            },
            m_taskbar);
    }
    return *m_mainWindow;
}

PanelWindow &OrvelApp::panelWindow() {
    if (!m_panel) {
        m_panelContent = new ContentView(repository(), m_settings, systemClock(), this);
        m_panel = std::make_unique<PanelWindow>(m_panelContent);
        connect(m_panelContent, &ContentView::dismissRequested, m_panel.get(), &QWidget::hide);
    }
    return *m_panel;
}

void OrvelApp::start() {
    panelWindow();
    mainWindow();
    if (m_hasTray) {
        m_label = std::make_unique<MenuBarLabel>(
            AppNotificationCenter::defaultCenter(),
            MenuBarLabel::Actions{[this] { togglePanel(); }, [this] { mainWindow().open(); },
                                  [this] {
                                      activateApplication();
                                  }});
        m_label->show();
        QApplication::setQuitOnLastWindowClosed(false);
    } else {
        qInfo().noquote() << QStringLiteral(
            "[Shell] No system tray available: the main window stays open and closing it quits");
        QApplication::setQuitOnLastWindowClosed(true);
    }
    mainWindow().open();
}

void OrvelApp::openMainWindow() {
    mainWindow().open();
    activateApplication();
}

void OrvelApp::togglePanel() {
    PanelWindow &panel = panelWindow();
    const QPoint cursor = QCursor::pos();
    const QScreen *screen = QGuiApplication::screenAt(cursor);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const std::optional<QRect> tray = m_label ? std::optional(m_label->geometry()) : std::nullopt;
    const QSize size = panel.isVisible() ? panel.size() : panelContent().sizeHint();
    panel.toggle(PanelPlacement::position(tray, cursor, size, screen->availableGeometry(),
                                          screen->geometry()));
}

void OrvelApp::activateApplication() {
    QWidget *front = QApplication::activeWindow();
    if (!front && m_mainWindow && m_mainWindow->isVisible())
        front = m_mainWindow.get();
    if (front) {
        front->raise();
        front->activateWindow();
    }
}

bool OrvelApp::hasVisibleWindows() const {
    return (m_mainWindow && m_mainWindow->isVisible()) || (m_panel && m_panel->isVisible());
}
