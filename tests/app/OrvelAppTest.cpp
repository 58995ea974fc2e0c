#include "FakeNotificationCentre.h"
#include "LocalService.h"
#include "ManualClock.h"
#include "TestFolder.h"
#include "TestRegistry.h"

#include "app/AppDelegate.h"
#include "app/MainWindow.h"
#include "app/MenuBarLabel.h"
#include "app/OrvelApp.h"
#include "app/PanelWindow.h"
#include "app/WindowPlacement.h"
#include "model/MarketCalendar.h"
#include "reminders/NotificationManager.h"
#include "repository/IPORepository.h"
#include "service/IPOAPIClient.h"
#include "settings/AppSettings.h"
#include "store/UserIPOStore.h"
#include "ui/look/AppearanceMonitor.h"
#include "ui/look/Palette.h"
#include "ui/look/SymbolImage.h"
#include "ui/main_window/MainWindowView.h"
#include "ui/main_window/QuantityField.h"
#include "ui/main_window/RecordDetailPanel.h"
#include "ui/menu_bar/ContentView.h"
#include "ui/menu_bar/FooterButton.h"

#include <QApplication>
#include <QMenu>
#include <QTest>

#include <memory>

namespace {

// Wednesday 15 January 2025, 10:00 in the market; the demo data is made around that day.
QDateTime startTime() {
    return QDateTime(QDate(2025, 1, 15), QTime(10, 0), marketTimeZone());
}

} // namespace

class OrvelAppTest : public QObject {
    Q_OBJECT

private:
    testsupport::LocalService m_service;
    testsupport::ManualClock m_clock{startTime()};
    std::unique_ptr<testsupport::TestFolder> m_folder;
    std::unique_ptr<AppSettings> m_settings;
    std::unique_ptr<IPOAPIClient> m_client;
    std::unique_ptr<UserIPOStore> m_store;
    FakeNotificationCentre m_centre;
    std::unique_ptr<NotificationManager> m_notifications;
    std::unique_ptr<OrvelApp> m_app;

    bool startApp() {
        m_app = std::make_unique<OrvelApp>(OrvelApp::Parts{
            *m_settings, *m_client, *m_store, m_notifications.get(), nullptr, m_clock.clock(), true,
            m_folder->filePath(QStringLiteral("data/window-state.ini"))});
        m_app->start();
        return QTest::qWaitForWindowExposed(&m_app->mainWindow()) &&
               QTest::qWaitFor([this] { return !m_app->repository().records().isEmpty(); }, 20000);
    }

    ContentView *openPanel() {
        if (!m_app->isPanelVisible())
            m_app->togglePanel();
        return qobject_cast<ContentView *>(m_app->panelWindow().content());
    }

private slots:
    void initTestCase() {
        m_service.setDemoDate(startTime().date());
        QVERIFY2(m_service.start(), qPrintable(m_service.errorString()));
    }

    void init() {
        m_clock.set(startTime());
        AppearanceMonitor::shared().setOverride(false);
        m_folder = std::make_unique<testsupport::TestFolder>();
        m_settings = std::make_unique<AppSettings>(
            m_folder->makeSettings(QStringLiteral("config/orvel.conf")));
        m_client = std::make_unique<IPOAPIClient>(
            m_service.baseUrl(),
            IPOAPIClient::Options{std::chrono::milliseconds(20000), m_service.caCertificates()});
        m_store = std::move(UserIPOStore::open({.inMemory = true}).value());
        m_notifications = std::make_unique<NotificationManager>(&m_centre, m_clock.clock());
    }

    void cleanup() {
        m_app.reset();
        m_notifications.reset();
        m_store.reset();
        m_client.reset();
        m_settings.reset();
        m_folder.reset();
        AppearanceMonitor::shared().setOverride(std::nullopt);
    }

    void reopenedMainWindowStartsAFreshView() {
        QVERIFY(startApp());
        MainWindow &window = m_app->mainWindow();
        MainWindowView *view = window.content();
        view->setTimeFilter(TimeFilter::all);
        view->toggleSelection(view->filteredRecords().first().ipo.code);
        view->detailPanel()->findChild<QuantityField *>("SubscriptionField")->setText("2000");
        window.presentSettingsSheet();
        const QPointer<QDialog> sheet = window.settingsSheet();
        QVERIFY(sheet && sheet->isVisible());
        const QList<IPORecord> records = m_app->repository().records();

        window.close();
        QVERIFY(!window.content());
        QVERIFY(!sheet || !sheet->isVisible());
        m_app->openMainWindow();
        view = window.content();
        QCOMPARE(view->timeFilter(), TimeFilter::thisWeek);
        QVERIFY(!view->detailPanel());
        QVERIFY(!window.settingsSheet() || !window.settingsSheet()->isVisible());
        // Nothing of the user's went with the old view, and nothing typed was stored.
        QCOMPARE(m_app->repository().records(), records);
        QVERIFY(m_store->fetchAllEntries().isEmpty());
    }

    void panelReopensOnTheCurrentMonth() {
        QVERIFY(startApp());
        openPanel()->setSelectedMonth(startTime().addMonths(3));
        m_app->panelWindow().hide();
        // The panel stays closed past the month's end.
        m_clock.set(startTime().addMonths(1));
        ContentView *panel = openPanel();
        QCOMPARE(marketCalendar().dayOf(panel->selectedMonth()).month(), 2);
    }

    void theMainWindowComesToTheFront_data() {
        QTest::addColumn<bool>("reopen");
        QTest::newRow("Open App in the panel") << false;
        QTest::newRow("reopened while the panel is open") << true;
    }
    void theMainWindowComesToTheFront() {
        QFETCH(bool, reopen);
        QVERIFY(startApp());
        MainWindow &window = m_app->mainWindow();
        if (!reopen) {
            window.close();
            QTRY_VERIFY(!window.isVisible());
        }
        QVERIFY(openPanel());
        QTRY_COMPARE(QApplication::activeWindow(), &m_app->panelWindow());
        if (reopen) {
            m_app->delegate().applicationShouldHandleReopen(m_app->hasVisibleWindows());
        } else {
            QWidget *openApp =
                m_app->panelWindow().content()->findChild<FooterButton *>("openAppButton");
            QTest::mouseClick(openApp, Qt::LeftButton);
        }
        QTRY_COMPARE(QApplication::activeWindow(), &window);
        QVERIFY(!m_app->isPanelVisible());
    }

    void mainWindowKeepsItsPlaceAcrossRuns() {
        QVERIFY(startApp());
        const QSize size(960, 560);
        m_app->mainWindow().move(40, 30);
        m_app->mainWindow().resize(size);
        QTRY_COMPARE(m_app->mainWindow().size(), size);
        m_app->mainWindow().close();
        m_app.reset();

        QVERIFY(startApp());
        QCOMPARE(m_app->mainWindow().pos(), QPoint(40, 30));
        QCOMPARE(m_app->mainWindow().size(), size);
        // The place has a file of its own; the settings file still holds nothing.
        QVERIFY(!QFile::exists(m_folder->filePath(QStringLiteral("config/orvel.conf"))));
    }

    // Two screens side by side, the primary on the left with a 32-point top bar.
    void keptOnScreen() {
        const QRect primary(0, 32, 1920, 1048);
        const auto kept = [&primary](const QRect &frame) {
            return WindowPlacement::keptOnScreen(frame, {primary, QRect(1920, 0, 1920, 1080)},
                                                 primary);
        };
        QCOMPARE(kept(QRect(2000, 100, 900, 600)), QPoint(2000, 100));
        // Mostly off to the left, but the top edge can still be grabbed.
        QCOMPARE(kept(QRect(-800, 200, 900, 600)), QPoint(-800, 200));
        // On a screen that has gone, or with the title bar under the top bar: centred.
        QCOMPARE(kept(QRect(4000, 100, 900, 600)), QPoint(510, 256));
        QCOMPARE(kept(QRect(300, 10, 900, 600)), QPoint(510, 256));
        QCOMPARE(kept(QRect(5000, 0, 2400, 1400)), QPoint(0, 32)); // larger than the screen
    }

    void trayMenuSymbolFollowsTheAppearance() {
        QVERIFY(startApp());
        QAction *open =
            m_app->menuBarLabel()->contextMenu().findChild<QAction *>("openMainWindowAction");
        AppearanceMonitor::shared().setOverride(true);
        const QColor darkText = Palette::color(PaletteColor::textPrimary, true);
        QCOMPARE(open->icon().pixmap(16).toImage(),
                 SymbolImage::icon(u"table", darkText, 16).pixmap(16).toImage());
    }
};

ORVEL_TEST_CLASS(OrvelAppTest);

#include "OrvelAppTest.moc"
