#include "LocalService.h"
#include "ManualClock.h"
#include "MenuBarTestData.h"
#include "TestFolder.h"
#include "TestRegistry.h"

#include "settings/AppSettings.h"
#include "ui/look/AppearanceMonitor.h"
#include "repository/IPORepository.h"
#include "service/IPOAPIClient.h"
#include "store/UserIPOStore.h"
#include "ui/menu_bar/CalendarView.h"
#include "ui/menu_bar/ContentView.h"
#include "ui/menu_bar/ElidedLabel.h"
#include "ui/menu_bar/FooterButton.h"
#include "ui/menu_bar/MainWindowOpening.h"
#include "ui/menu_bar/NavArrowButton.h"
#include "ui/menu_bar/ORVELLink.h"
#include "ui/menu_bar/PanelFigures.h"

#include <QDesktopServices>
#include <QJsonArray>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <memory>

using namespace menubartest;

namespace {

class RecordingOpener : public MainWindowOpening {
public:
    explicit RecordingOpener(QStringList &log)
        : m_log(log) {}
    void openMainWindow() override { m_log.append(QStringLiteral("open main window")); }

private:
    QStringList &m_log;
};

constexpr int networkTimeout = 20000;

} // namespace

// Receives what the panel hands to the desktop to open, instead of a browser.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void openUrl(const QUrl &url) { urls.append(url); }
};

// The panel against the local service: what the user sees in the header and footer, the
// refreshes it asks for, and where its buttons lead.
class ContentViewTest : public QObject {
    Q_OBJECT

private:
    testsupport::LocalService m_service;
    // Wednesday 15 January 2025, 10:00 in the market.
    testsupport::ManualClock m_clock{utc("2025-01-15T02:00:00Z")};
    std::unique_ptr<testsupport::TestFolder> m_folder;
    std::unique_ptr<IPOAPIClient> m_client;
    std::unique_ptr<UserIPOStore> m_store;
    std::unique_ptr<IPORepository> m_repository;
    std::unique_ptr<AppSettings> m_settings;
    // The shell's tray window stands in as a plain top-level holding the panel.
    std::unique_ptr<QWidget> m_window;
    ContentView *m_panel = nullptr;
    QStringList m_log;
    std::unique_ptr<RecordingOpener> m_opener;
    int m_quits = 0;

    int listRequests() {
        int count = 0;
        for (const QJsonObject &request : m_service.requests())
            count +=
                request.value(QStringLiteral("path")).toString().endsWith(QStringLiteral("/ipos"));
        return count;
    }

    ElidedLabel *label(const char *name) const { return m_panel->findChild<ElidedLabel *>(name); }

    QStringList visibleEvents() const {
        QStringList texts;
        for (const ElidedLabel *event : m_panel->findChildren<ElidedLabel *>("todayEventLabel"))
            if (event->isVisible())
                texts.append(event->text());
        return texts;
    }

    // Shows the panel and waits for the refresh it starts to publish the records.
    bool showAndLoad() {
        m_window->show();
        if (!QTest::qWaitForWindowExposed(m_window.get()))
            return false;
        return QTest::qWaitFor([this] { return !m_repository->records().isEmpty(); },
                               networkTimeout);
    }

private slots:
    void initTestCase() {
        QVERIFY2(m_service.start(), qPrintable(m_service.errorString()));
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        AppearanceMonitor::shared().setOverride(false);
    }
    void cleanupTestCase() {
        AppearanceMonitor::shared().setOverride(std::nullopt);
        QLocale::setDefault(QLocale::system());
    }

    void init() {
        // At a top price of 5.00 and 1000 shares a lot. C lists on Thursday 16: its grey market
        // is today, and its money came back today as well.
        const QJsonArray items{
            testsupport::remoteIPOJson("A", "甲科技", "open", "2025-01-15", "2025-01-20",
                                       "2025-01-22", "5,000", "4.50-5.00"),
            testsupport::remoteIPOJson("B", "乙医疗", "open", "2025-01-15", "2025-01-20",
                                       "2025-01-24", "5,000", "4.50-5.00"),
            testsupport::remoteIPOJson("C", "丙能源", "upcoming", "2025-01-08", "2025-01-13",
                                       "2025-01-16", "5,000", "5.00"),
            testsupport::remoteIPOJson("D", "丁物流", "upcoming", "2025-02-05", "2025-02-10",
                                       "2025-02-12", "5,000", "4.80-5.00"),
            testsupport::remoteIPOJson("E", "戊未定", "upcoming"),
        };
        QVERIFY(m_service.setData(testsupport::serviceDataJson(items)));
        QVERIFY(m_service.clearRequests());
        m_clock.set(utc("2025-01-15T02:00:00Z"));

        m_folder = std::make_unique<testsupport::TestFolder>();
        QVERIFY(m_folder->isValid());
        m_settings = std::make_unique<AppSettings>(m_folder->makeSettings());
        m_client = std::make_unique<IPOAPIClient>(
            m_service.baseUrl(), IPOAPIClient::Options{std::chrono::milliseconds(networkTimeout),
                                                       m_service.caCertificates()});
        auto store = UserIPOStore::open({.inMemory = true});
        QVERIFY(store.hasValue());
        m_store = std::move(store).value();
        // A: 10000 shares cash (50000 in use). C: margin 45000 loan (fee 28), released today.
        // D: margin 90000 loan in February (fee 68, 10000 in use).
        QVERIFY(m_store->saveEntry("A", 10000, 0, SubMethod::cash).hasValue());
        QVERIFY(m_store->saveEntry("C", 10000, 2000, SubMethod::margin).hasValue());
        QVERIFY(m_store->saveEntry("D", 20000, 0, SubMethod::margin).hasValue());
        m_repository = std::make_unique<IPORepository>(*m_client, *m_store, m_clock.clock(), 45.0);

        m_log.clear();
        m_quits = 0;
        m_opener = std::make_unique<RecordingOpener>(m_log);
        m_window = std::make_unique<QWidget>();
        m_panel = new ContentView(*m_repository, *m_settings, m_clock.clock(), m_opener.get(),
                                  [this] { ++m_quits; });
        // Put into its window after construction, as the shell may do.
        auto *layout = new QVBoxLayout(m_window.get());
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSizeConstraint(QLayout::SetNoConstraint);
        layout->addWidget(m_panel);
        m_window->resize(ContentView::panelWidth, 900);
        connect(m_panel, &ContentView::dismissRequested, this,
                [this] { m_log.append(QStringLiteral("dismiss")); });
    }
    void cleanup() {
        m_window.reset();
        m_repository.reset();
        m_store.reset();
        m_client.reset();
        m_settings.reset();
        m_folder.reset();
    }

    void showingThePanelRefreshesAndFillsIt() {
        m_settings->setCapitalAmount(100000);
        QVERIFY(showAndLoad());
        QCOMPARE(listRequests(), 1);
        QCOMPARE(m_panel->width(), 700);
        QCOMPARE(m_panel->height(), ContentView::headerHeight + m_panel->calendarView()->height() +
                                        1 + ContentView::footerHeight);

        QVERIFY(label("capitalLabel")->isVisible());
        QVERIFY(!label("titleLabel")->isVisible());
        QCOMPARE(label("capitalLabel")->text(), QStringLiteral("HK$ 100000"));
        QCOMPARE(label("usageLabel")->text(), QStringLiteral("(60%占用)"));
        QCOMPARE(label("usageLabel")->textColor(),
                 Palette::color(PaletteColor::accentAmberDeep, false));
        QVERIFY(label("monthlyFeesLabel")->isVisible());
        QCOMPARE(label("monthlyFeesLabel")->text(), QStringLiteral("本月申购费 HK$ 28"));

        QVERIFY(!label("noEventsLabel")->isVisible());
        QCOMPARE(visibleEvents(), (QStringList{"今日申购：甲科技、乙医疗", "今日暗盘：丙能源"}));
        const QList<ElidedLabel *> events = m_panel->findChildren<ElidedLabel *>("todayEventLabel");
        QCOMPARE(events.at(0)->textColor(), Palette::color(PaletteColor::accentGreen, false));
        QCOMPARE(events.at(1)->textColor(), Palette::color(PaletteColor::accentAmberDeep, false));

        QCOMPARE(m_panel->calendarView()->title(), QStringLiteral("January 2025"));
    }

    void feesFollowTheMonthShownButUsageDoesNot() {
        m_settings->setCapitalAmount(100000);
        QVERIFY(showAndLoad());
        auto *next = m_panel->findChild<NavArrowButton *>("nextMonthButton");
        QTest::mouseClick(next, Qt::LeftButton);
        QCOMPARE(m_panel->calendarView()->title(), QStringLiteral("February 2025"));
        QCOMPARE(marketCalendar().dayOf(m_panel->selectedMonth()).month(), 2);
        QCOMPARE(label("monthlyFeesLabel")->text(), QStringLiteral("本月申购费 HK$ 68"));
        QCOMPARE(label("usageLabel")->text(), QStringLiteral("(60%占用)"));
        QTest::mouseClick(next, Qt::LeftButton);
        QVERIFY(!label("monthlyFeesLabel")->isVisible());
        QTest::mouseClick(m_panel->findChild<QAbstractButton *>("todayButton"), Qt::LeftButton);
        QCOMPARE(label("monthlyFeesLabel")->text(), QStringLiteral("本月申购费 HK$ 28"));
        QVERIFY(label("monthlyFeesLabel")->isVisible());
    }

    void capitalChangesRecolourTheUsage_data() {
        QTest::addColumn<double>("capital");
        QTest::addColumn<QString>("usage");
        QTest::addColumn<bool>("red");

        // 60000 in use.
        QTest::newRow("80 %") << 75000.0 << "(80%占用)" << false;
        QTest::newRow("81 %") << 74074.0 << "(81%占用)" << true;
        QTest::newRow("30 %") << 200000.0 << "(30%占用)" << false;
    }
    void capitalChangesRecolourTheUsage() {
        QFETCH(double, capital);
        QFETCH(QString, usage);
        QFETCH(bool, red);
        m_settings->setCapitalAmount(100000);
        QVERIFY(showAndLoad());
        m_settings->setCapitalAmount(capital);
        QCOMPARE(label("usageLabel")->text(), usage);
        const QColor amber = Palette::color(PaletteColor::accentAmberDeep, false);
        QCOMPARE(label("usageLabel")->textColor() != amber, red);
        QCOMPARE(label("usageLabel")->textColor(), usagePercentColor(red ? 81 : 80, false));
    }

    void withoutCapitalTheTitleShows() {
        QVERIFY(showAndLoad());
        QVERIFY(label("titleLabel")->isVisible());
        QCOMPARE(label("titleLabel")->text(), QStringLiteral("ORVEL"));
        // Fees exist this month, but no money figure shows without capital.
        QVERIFY(!label("capitalLabel")->isVisible());
        QVERIFY(!label("usageLabel")->isVisible());
        QVERIFY(!label("monthlyFeesLabel")->isVisible());
        m_settings->setCapitalAmount(100000);
        QVERIFY(label("capitalLabel")->isVisible());
        QVERIFY(!label("titleLabel")->isVisible());
    }

    void quietDayShowsThePlaceholder() {
        QVERIFY(showAndLoad());
        // Monday 20 January: nothing opens, nothing trades grey.
        m_clock.set(utc("2025-01-20T02:00:00Z"));
        m_window->hide();
        m_window->show();
        QVERIFY(label("noEventsLabel")->isVisible());
        QCOMPARE(label("noEventsLabel")->text(), QStringLiteral("[无关注事件]"));
        QCOMPARE(visibleEvents(), QStringList());
    }

    void refreshesWhenShownAndWhenActivated() {
        QVERIFY(showAndLoad());
        QCOMPARE(listRequests(), 1);
        // Shown again within the repository's 45 seconds: it asks, the repository declines.
        m_window->hide();
        m_clock.advanceSecs(10);
        m_window->show();
        QCoreApplication::processEvents();
        QCOMPARE(listRequests(), 1);

        m_window->hide();
        m_clock.advanceSecs(46);
        m_window->show();
        QTRY_COMPARE_WITH_TIMEOUT(listRequests(), 2, networkTimeout);
        QTRY_VERIFY_WITH_TIMEOUT(!m_repository->isRefreshing(), networkTimeout);

        m_clock.advanceSecs(46);
        QEvent activate(QEvent::WindowActivate);
        QCoreApplication::sendEvent(m_window.get(), &activate);
        QTRY_COMPARE_WITH_TIMEOUT(listRequests(), 3, networkTimeout);
        QTRY_VERIFY_WITH_TIMEOUT(!m_repository->isRefreshing(), networkTimeout);

        // Losing focus is not a reason to fetch.
        m_clock.advanceSecs(46);
        QEvent deactivate(QEvent::WindowDeactivate);
        QCoreApplication::sendEvent(m_window.get(), &deactivate);
        QCoreApplication::processEvents();
        QCOMPARE(listRequests(), 3);
    }

    void refreshesInsideANestedContainer() {
        // The shell may wrap the panel before the wrapper finds its window.
        auto container = std::make_unique<QWidget>();
        auto *nested = new ContentView(*m_repository, *m_settings, m_clock.clock(), nullptr, {},
                                       container.get());
        (new QVBoxLayout(container.get()))->addWidget(nested);
        QWidget window;
        window.resize(ContentView::panelWidth, 900);
        container->setParent(&window);
        container.release();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_COMPARE_WITH_TIMEOUT(listRequests(), 1, networkTimeout);
        QTRY_VERIFY_WITH_TIMEOUT(!m_repository->isRefreshing(), networkTimeout);
        window.hide();
        m_clock.advanceSecs(46);
        window.show();
        QTRY_COMPARE_WITH_TIMEOUT(listRequests(), 2, networkTimeout);
        QTRY_VERIFY_WITH_TIMEOUT(!m_repository->isRefreshing(), networkTimeout);
    }

    void newRecordsRedrawThePanel() {
        m_settings->setCapitalAmount(100000);
        QVERIFY(showAndLoad());
        IPORecord b;
        for (const IPORecord &record : m_repository->records())
            if (record.ipo.code == QLatin1String("B"))
                b = record;
        b.subQuantity = 4000;
        QVERIFY(m_repository->saveRecord(b));
        // 50000 + 10000 + 4000 × 5.00.
        QCOMPARE(label("usageLabel")->text(), QStringLiteral("(80%占用)"));
    }

    void openAppOpensTheMainWindowThenCloses() {
        QVERIFY(showAndLoad());
        auto *openApp = m_panel->findChild<FooterButton *>("openAppButton");
        QCOMPARE(openApp->text(), QStringLiteral("Open App"));
        QCOMPARE(openApp->icon(), QStringLiteral("arrow.up.forward.app"));
        QTest::mouseClick(openApp, Qt::LeftButton);
        QCOMPARE(m_log, (QStringList{"open main window", "dismiss"}));
        QVERIFY(!m_window->isVisible());
        QCOMPARE(m_quits, 0);
    }

    void openAppWithoutAMainWindowStillCloses() {
        m_panel->setMainWindowOpening(nullptr);
        QVERIFY(showAndLoad());
        QTest::mouseClick(m_panel->findChild<FooterButton *>("openAppButton"), Qt::LeftButton);
        QCOMPARE(m_log, QStringList{"dismiss"});
        QVERIFY(!m_window->isVisible());
    }

    void quitQuits() {
        QVERIFY(showAndLoad());
        auto *quit = m_panel->findChild<FooterButton *>("quitButton");
        QCOMPARE(quit->text(), QStringLiteral("Quit"));
        QCOMPARE(quit->icon(), QStringLiteral("power"));
        QTest::mouseClick(quit, Qt::LeftButton);
        QCOMPARE(m_quits, 1);
        QCOMPARE(m_log, QStringList());
    }

    void linkOpensTheExchangePage() {
        QVERIFY(showAndLoad());
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "openUrl");
        auto *link = m_panel->findChild<ORVELLink *>("hkexLink");
        QCOMPARE(link->text(), QStringLiteral("港交所"));
        QTest::mouseClick(link, Qt::LeftButton);
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
        QCOMPARE(catcher.urls, QList<QUrl>{hkexURL()});
    }

    void linkRefusesOtherSchemes() {
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "openUrl");
        ORVELLink link(QUrl(QStringLiteral("file:///etc/passwd")));
        QVERIFY(!link.open());
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        QVERIFY(catcher.urls.isEmpty());
    }

    void darkAppearanceRecolours() {
        m_settings->setCapitalAmount(100000);
        QVERIFY(showAndLoad());
        AppearanceMonitor::shared().setOverride(true);
        const QColor dark = label("capitalLabel")->textColor();
        const QColor event =
            m_panel->findChildren<ElidedLabel *>("todayEventLabel").at(0)->textColor();
        AppearanceMonitor::shared().setOverride(false);
        QCOMPARE(dark, Palette::color(PaletteColor::textPrimary, true));
        QCOMPARE(event, Palette::color(PaletteColor::accentGreen, true));
        QCOMPARE(label("capitalLabel")->textColor(),
                 Palette::color(PaletteColor::textPrimary, false));
    }
};

ORVEL_TEST_CLASS(ContentViewTest);
#include "ContentViewTest.moc"
