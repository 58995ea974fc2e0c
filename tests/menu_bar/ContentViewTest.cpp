#include "FakeServiceClient.h"
#include "ManualClock.h"
#include "MenuBarTestData.h"
#include "TestFolder.h"
#include "TestRegistry.h"

#include "repository/IPORepository.h"
#include "settings/AppSettings.h"
#include "store/UserIPOStore.h"
#include "ui/menu_bar/CalendarView.h"
#include "ui/menu_bar/ContentView.h"
#include "ui/menu_bar/ElidedLabel.h"
#include "ui/menu_bar/ORVELLink.h"
#include "ui/menu_bar/PanelFigures.h"

#include <QAbstractButton>
#include <QDesktopServices>
#include <QTest>
#include <QVBoxLayout>

#include <memory>

using namespace menubartest;

namespace {

RemoteIPO remote(const QString &code, const QString &start, const QString &listing,
                 const QString &priceRange) {
    RemoteIPO ipo;
    ipo.code = code;
    ipo.name = code + QStringLiteral("名");
    ipo.subStart = start;
    ipo.listDate = listing;
    ipo.lotAmount = QStringLiteral("5,000");
    ipo.priceRange = priceRange;
    return ipo;
}

} // namespace

// Receives what the panel hands to the desktop to open, instead of a browser.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void openUrl(const QUrl &url) { urls.append(url); }
};

// The panel over a real repository and store: the header's figures, today's events, the
// refreshes it asks for, and where its buttons lead.
class ContentViewTest : public QObject {
    Q_OBJECT

private:
    // Wednesday 15 January 2025, 10:00 in the market.
    testsupport::ManualClock m_clock{utc("2025-01-15T02:00:00Z")};
    std::unique_ptr<testsupport::TestFolder> m_folder;
    std::unique_ptr<FakeServiceClient> m_client;
    std::unique_ptr<UserIPOStore> m_store;
    std::unique_ptr<IPORepository> m_repository;
    std::unique_ptr<AppSettings> m_settings;
    // The shell's tray window stands in as a plain top-level holding the panel.
    std::unique_ptr<QWidget> m_window;
    ContentView *m_panel = nullptr;

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
        return QTest::qWaitForWindowExposed(m_window.get()) &&
               QTest::qWaitFor([this] { return !m_repository->records().isEmpty(); });
    }

    void reshowAfter(int seconds) {
        m_window->hide();
        m_clock.advanceSecs(seconds);
        m_window->show();
    }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void cleanupTestCase() { QLocale::setDefault(QLocale::system()); }

    void init() {
        m_clock.set(utc("2025-01-15T02:00:00Z"));
        m_folder = std::make_unique<testsupport::TestFolder>();
        m_settings = std::make_unique<AppSettings>(m_folder->makeSettings());
        // At a top price of 5.00 and 1000 shares a lot. C lists on Thursday 16: its grey market
        // is today, and its money came back today as well.
        m_client = std::make_unique<FakeServiceClient>();
        m_client->setItems({
            remote("A", "2025-01-15", "2025-01-22", "4.50-5.00"),
            remote("B", "2025-01-15", "2025-01-24", "4.50-5.00"),
            remote("C", "2025-01-08", "2025-01-16", "5.00"),
            remote("D", "2025-02-05", "2025-02-12", "4.80-5.00"),
        });
        auto store = UserIPOStore::open({.inMemory = true});
        QVERIFY(store.hasValue());
        m_store = std::move(store).value();
        // A: 10000 shares cash (50000 in use). C: margin 45000 loan (fee 28), released today.
        // D: margin 90000 loan in February (fee 68, 10000 in use).
        QVERIFY(m_store->saveEntry("A", 10000, 0, SubMethod::cash).hasValue());
        QVERIFY(m_store->saveEntry("C", 10000, 2000, SubMethod::margin).hasValue());
        QVERIFY(m_store->saveEntry("D", 20000, 0, SubMethod::margin).hasValue());
        m_repository = std::make_unique<IPORepository>(*m_client, *m_store, m_clock.clock(), 45.0);

        m_window = std::make_unique<QWidget>();
        m_panel = new ContentView(*m_repository, *m_settings, m_clock.clock(), nullptr, {});
        // Put into its window after construction, as the shell may do.
        auto *layout = new QVBoxLayout(m_window.get());
        layout->setSizeConstraint(QLayout::SetNoConstraint);
        layout->addWidget(m_panel);
        m_window->resize(ContentView::panelWidth, 900);
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
        QCOMPARE(m_client->listRequests.size(), 1);
        QVERIFY(!label("titleLabel")->isVisible());
        QCOMPARE(label("capitalLabel")->text(), QStringLiteral("HK$ 100000"));
        QCOMPARE(label("usageLabel")->text(), QStringLiteral("(60%占用)"));
        QCOMPARE(label("monthlyFeesLabel")->text(), QStringLiteral("本月申购费 HK$ 28"));
        QVERIFY(!label("noEventsLabel")->isVisible());
        QCOMPARE(visibleEvents(), (QStringList{"今日申购：A名、B名", "今日暗盘：C名"}));
        QCOMPARE(m_panel->calendarView()->title(), QStringLiteral("January 2025"));

        // Monday 20 January: nothing opens, nothing trades grey.
        m_clock.set(utc("2025-01-20T02:00:00Z"));
        reshowAfter(0);
        QVERIFY(label("noEventsLabel")->isVisible());
        QCOMPARE(visibleEvents(), QStringList());
    }

    void feesFollowTheMonthShownButUsageDoesNot() {
        m_settings->setCapitalAmount(100000);
        QVERIFY(showAndLoad());
        m_panel->calendarView()->findChild<QAbstractButton *>("nextMonthButton")->click();
        QCOMPARE(label("monthlyFeesLabel")->text(), QStringLiteral("本月申购费 HK$ 68"));
        QCOMPARE(label("usageLabel")->text(), QStringLiteral("(60%占用)"));
        m_panel->calendarView()->findChild<QAbstractButton *>("nextMonthButton")->click();
        QVERIFY(!label("monthlyFeesLabel")->isVisible());
    }

    // Without capital there is no figure to show; capital and entries redraw the header.
    void capitalAndEntriesRedrawTheHeader() {
        QVERIFY(showAndLoad());
        QCOMPARE(label("titleLabel")->text(), QStringLiteral("ORVEL"));
        QVERIFY(label("titleLabel")->isVisible());
        QVERIFY(!label("usageLabel")->isVisible());
        QVERIFY(!label("monthlyFeesLabel")->isVisible());

        m_settings->setCapitalAmount(74074); // 60000 in use
        QVERIFY(!label("titleLabel")->isVisible());
        QCOMPARE(label("usageLabel")->text(), QStringLiteral("(81%占用)"));
        QCOMPARE(label("usageLabel")->textColor(), usagePercentColor(81, false));
        m_settings->setCapitalAmount(100000);
        IPORecord b = m_repository->records().at(1);
        QCOMPARE(b.ipo.code, QStringLiteral("B"));
        b.subQuantity = 4000;
        QVERIFY(m_repository->saveRecord(b));
        // 50000 + 10000 + 4000 × 5.00.
        QCOMPARE(label("usageLabel")->text(), QStringLiteral("(80%占用)"));
        QCOMPARE(label("usageLabel")->textColor(), usagePercentColor(80, false));
    }

    void refreshesWhenShownAndWhenActivated() {
        QVERIFY(showAndLoad());
        // Shown again within the repository's 45 seconds: it asks, the repository declines.
        reshowAfter(44);
        QCoreApplication::processEvents();
        QCOMPARE(m_client->listRequests.size(), 1);
        reshowAfter(1);
        QTRY_COMPARE(m_client->listRequests.size(), 2);
        QTRY_VERIFY(!m_repository->isRefreshing());

        m_clock.advanceSecs(46);
        QEvent activate(QEvent::WindowActivate);
        QCoreApplication::sendEvent(m_window.get(), &activate);
        QTRY_COMPARE(m_client->listRequests.size(), 3);
    }

    void refreshesInsideANestedContainer() {
        // The shell may wrap the panel before the wrapper finds its window.
        auto container = std::make_unique<QWidget>();
        (new QVBoxLayout(container.get()))
            ->addWidget(new ContentView(*m_repository, *m_settings, m_clock.clock(), nullptr, {},
                                        container.get()));
        QWidget window;
        window.resize(ContentView::panelWidth, 900);
        container.release()->setParent(&window);
        window.show();
        QTRY_COMPARE(m_client->listRequests.size(), 1);
        QTRY_VERIFY(!m_repository->isRefreshing());
        window.hide();
        m_clock.advanceSecs(46);
        window.show();
        QTRY_COMPARE(m_client->listRequests.size(), 2);
    }

    void linkOpensOnlyWebPages() {
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "openUrl");
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "openUrl");
        QVERIFY(ORVELLink(hkexURL()).open());
        QVERIFY(!ORVELLink(QUrl(QStringLiteral("file:///etc/passwd"))).open());
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        QCOMPARE(catcher.urls, QList<QUrl>{hkexURL()});
    }
};

ORVEL_TEST_CLASS(ContentViewTest);
#include "ContentViewTest.moc"
