#include "OrvelApp.h"

#include "AppNotificationCenter.h"
#include "FirstPaintProbe.h"
#include "MainWindow.h"
#include "MenuBarLabel.h"
#include "PanelPlacement.h"
#include "PanelWindow.h"
#include "StartupTrace.h"
#include "analytics/AnalyticsTracker.h"
#include "reminders/NotificationManager.h"
#include "repository/IPORepository.h"
#include "service/IPOAPIClient.h"
#include "settings/AppSettings.h"
#include "store/UserIPOStore.h"
#include "ui/main_window/MainWindowView.h"
#include "ui/menu_bar/ContentView.h"
#include "ui/settings/SettingsView.h"

#include <QApplication>
#include <QCursor>
#include <QDebug>
#include <QDialog>
#include <QScreen>
#include <QShortcut>
#include <QSystemTrayIcon>
#include <QTimer>

OrvelApp::Parts OrvelApp::Parts::shared() {
    return Parts{AppSettings::shared(),
                 IPOAPIClient::shared(),
                 UserIPOStore::shared(),
                 nullptr,
                 &AnalyticsTracker::shared(),
                 systemClock(),
                 QSystemTrayIcon::isSystemTrayAvailable(),
                 WindowPlaceFile::defaultFilePath()};
}

OrvelApp::OrvelApp(QObject *parent)
    : OrvelApp(Parts::shared(), parent) {}

OrvelApp::OrvelApp(Parts parts, QObject *parent)
    : QObject(parent)
    , m_parts(std::move(parts))
    , m_settings(m_parts.settings)
    , m_delegate(AppNotificationCenter::defaultCenter(), [this] { activateApplication(); })
    , m_taskbar(m_parts.trayAvailable)
    , m_windowPlace(m_parts.windowPlaceFile) {
    // The icons are compiled into the static UI library; make sure its resources are linked.
    Q_INIT_RESOURCE(resources);
    m_settings.setActivationPolicyTarget(&m_taskbar);
    // The store's saves are reported from now on; a quick listing never starts the tracker.
    if (m_parts.tracker) {
        m_parts.store.setAnalyticsTracker(m_parts.tracker);
        // The day's launch event is the first HTTPS request of a run, and setting up TLS for it
        // must not hold back the first frame; a second later nobody waits for it.
        QTimer::singleShot(trackerStartDelayMs, this,
                           [tracker = m_parts.tracker] { tracker->start(); });
    }
}

OrvelApp::~OrvelApp() {
    m_settings.setActivationPolicyTarget(nullptr);
    if (m_parts.tracker)
        m_parts.store.setAnalyticsTracker(nullptr);
}

NotificationManager &OrvelApp::notifications() {
    return m_parts.notifications ? *m_parts.notifications : NotificationManager::shared();
}

IPORepository &OrvelApp::repository() {
    if (!m_repository) {
        AppSettings &settings = m_settings;
        m_repository = std::make_unique<IPORepository>(
            m_parts.apiClient, m_parts.store, m_parts.clock, 45.0,
            // Fire and forget: the rebuild never waits for the notification centre.
            [this](const QList<IPORecord> &records, IPORepository::ReminderSwitches switches) {
                notifications().syncReminders(records, switches);
            },
            [&settings] {
                IPORepository::ReminderSwitches on;
                for (const ReminderKind &kind : ReminderKind::all()) {
                    if (settings.isReminderEnabled(kind.settingsKey))
                        on.insert(kind.settingsKey);
                }
                return on;
            });
    }
    return *m_repository;
}

MainWindow &OrvelApp::mainWindow() {
    if (!m_mainWindow) {
        m_mainWindow = std::make_unique<MainWindow>(
            [this](MainWindow &window) {
                return new MainWindowView(repository(), m_parts.clock, &window, &m_settings);
            },
            [this](QDialog &sheet) -> QWidget * {
                auto *view =
                    new SettingsView(repository(), m_settings, notifications(), m_parts.store);
                connect(view, &SettingsView::dismissRequested, &sheet, &QDialog::accept);
                return view;
            },
            m_taskbar, m_parts.windowPlaceFile.isEmpty() ? nullptr : &m_windowPlace);
        // The desktop's quit key in the main window does what the tray's "Quit" does.
        auto *quitKey = new QShortcut(m_mainWindow.get());
        quitKey->setKeys(QKeySequence::keyBindings(QKeySequence::Quit));
        connect(quitKey, &QShortcut::activated, this, &OrvelApp::quit);
    }
    return *m_mainWindow;
}

PanelWindow &OrvelApp::panelWindow() {
    if (!m_panel) {
        m_panel = std::make_unique<PanelWindow>([this](PanelWindow &panel) -> QWidget * {
            auto *content =
                new ContentView(repository(), m_settings, m_parts.clock, this, [this] { quit(); });
            connect(content, &ContentView::dismissRequested, &panel, &QWidget::hide);
            return content;
        });
    }
    return *m_panel;
}

void OrvelApp::start() {
    mainWindow();
    StartupTrace::mark("main window object");
    if (m_parts.trayAvailable) {
        QApplication::setQuitOnLastWindowClosed(false);
        // The window the user waits for comes first; the tray icon (an SVG rendered, the
        // tray's embedding set up) follows its first frame, or a second later if that never
        // comes.
        FirstPaintProbe::afterFirstPaint(mainWindow(), this, [this] { showTrayIcon(); });
        QTimer::singleShot(trayIconLatestMs, this, [this] { showTrayIcon(); });
    } else {
        qInfo().noquote() << QStringLiteral(
            "[Shell] No system tray available: the main window stays open and closing it quits");
        QApplication::setQuitOnLastWindowClosed(true);
    }
    mainWindow().open();
    StartupTrace::mark("windows built");
}

void OrvelApp::showTrayIcon() {
    if (m_label)
        return;
    {
        m_label = std::make_unique<MenuBarLabel>(
            AppNotificationCenter::defaultCenter(),
            MenuBarLabel::Actions{[this] { togglePanel(); }, [this] { mainWindow().open(); },
                                  [this] {
                                      activateApplication();
                                  }});
        m_label->show();
        StartupTrace::mark("tray icon");
    }
}

void OrvelApp::openMainWindow() {
    mainWindow().open();
    activateApplication();
}

void OrvelApp::togglePanel() {
    const QPoint cursor = QCursor::pos();
    const QScreen *screen = QGuiApplication::screenAt(cursor);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const std::optional<QRect> tray = m_label ? std::optional(m_label->geometry()) : std::nullopt;
    const QRect available = screen->availableGeometry();
    const QRect full = screen->geometry();
    panelWindow().toggle([tray, cursor, available, full](QSize size) {
        return PanelPlacement::position(tray, cursor, size, available, full);
    });
}

void OrvelApp::activateApplication() {
    QWidget *front = isMainWindowVisible() ? m_mainWindow.get() : QApplication::activeWindow();
    if (front) {
        front->raise();
        front->activateWindow();
    }
}

bool OrvelApp::isMainWindowVisible() const {
    return m_mainWindow && m_mainWindow->isVisible();
}

bool OrvelApp::isPanelVisible() const {
    return m_panel && m_panel->isVisible();
}

bool OrvelApp::hasVisibleWindows() const {
    return isMainWindowVisible() || isPanelVisible();
}

void OrvelApp::quit() {
    if (m_panel)
        m_panel->hide();
    if (m_mainWindow)
        m_mainWindow->close();
    QCoreApplication::quit();
}
