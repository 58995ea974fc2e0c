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
#include "ui/menu_bar/PanelFigures.h"

#include <QAbstractButton>
#include <QTest>
#include <QVBoxLayout>

#include <memory>

using namespace menubartest;

// The panel over a real repository and store: the header's figures, today's events and the
// refreshes it asks for.
class ContentViewTest : public QObject {
    Q_OBJECT

private:
    // Wednesday 15 January 2025, 10:00 in the market.
    testsupport::ManualClock m_clock{utc("2025-01-15T02:00:00Z")};
    testsupport::TestFolder m_folder;
    FakeServiceClient m_client;
    std::unique_ptr<UserIPOStore> m_store;
    std::unique_ptr<IPORepository> m_repository;
    std::unique_ptr<AppSettings> m_settings;
    // The shell's tray window stands in as a plain top-level holding the panel.
    std::unique_ptr<QWidget> m_window;
    ContentView *m_panel = nullptr;

    QString text(const char *label) const {
        const auto *shown = m_panel->findChild<ElidedLabel *>(label);
        return shown->isVisible() ? shown->text() : QString();
    }

    QStringList events() const {
        QStringList texts;
        for (const ElidedLabel *event : m_panel->findChildren<ElidedLabel *>("todayEventLabel"))
            if (event->isVisible())
                texts.append(event->text());
        return texts;
    }

    void reshowAfter(int seconds) {
        m_window->hide();
        m_clock.advanceSecs(seconds);
        m_window->show();
    }

private slots:
    void init() {
        m_clock.set(utc("2025-01-15T02:00:00Z"));
        m_settings = std::make_unique<AppSettings>(m_folder.makeSettings());
        m_settings->setCapitalAmount(0);
        // At a top price of 5.00 and 1000 shares a lot. C lists on Thursday 16: its grey market
        // is today, and its money came back today as well.
        QList<RemoteIPO> items;
        for (const auto &[code, start, listing] : {std::tuple("A", "2025-01-15", "2025-01-22"),
                                                   std::tuple("B", "2025-01-15", "2025-01-24"),
                                                   std::tuple("C", "2025-01-08", "2025-01-16"),
                                                   std::tuple("D", "2025-02-05", "2025-02-12")})
            items.append({code,
                          QString::fromUtf8(code) + "名",
                          start,
                          {},
                          listing,
                          "5,000",
                          "4.50-5.00",
                          {},
                          {},
                          {}});
        m_client.setItems(items);
        m_client.listRequests.clear();
        m_store = std::move(UserIPOStore::open({.inMemory = true}).value());
        // A: 10000 shares cash (50000 in use). C: margin 45000 loan (fee 28), released today.
        // D: margin 90000 loan in February (fee 68, 10000 in use).
        QVERIFY(m_store->saveEntry("A", 10000, 0, SubMethod::cash).hasValue());
        QVERIFY(m_store->saveEntry("C", 10000, 2000, SubMethod::margin).hasValue());
        QVERIFY(m_store->saveEntry("D", 20000, 0, SubMethod::margin).hasValue());
        m_repository = std::make_unique<IPORepository>(m_client, *m_store, m_clock.clock(), 45.0);

        m_window = std::make_unique<QWidget>();
        m_panel = new ContentView(*m_repository, *m_settings, m_clock.clock(), nullptr, {});
        // Put into its window after construction, as the shell may do.
        (new QVBoxLayout(m_window.get()))->addWidget(m_panel);
        m_window->resize(ContentView::panelWidth, 900);
        m_window->show();
        QVERIFY(QTest::qWaitFor([this] { return !m_repository->records().isEmpty(); }));
    }
    void cleanup() {
        m_window.reset();
        m_repository.reset();
        m_store.reset();
    }

    void headerAndEventsFollowTheFigures() {
        // Without capital there is no figure to show.
        QCOMPARE(text("titleLabel"), QStringLiteral("ORVEL"));
        QCOMPARE(text("usageLabel"), QString());
        QCOMPARE(text("monthlyFeesLabel"), QString());
        QCOMPARE(events(), (QStringList{"今日申购：A名、B名", "今日暗盘：C名"}));

        m_settings->setCapitalAmount(74074); // 60000 in use
        QCOMPARE(text("titleLabel"), QString());
        QCOMPARE(text("capitalLabel"), QStringLiteral("HK$ 74074"));
        QCOMPARE(text("usageLabel"), QStringLiteral("(81%占用)"));
        QCOMPARE(m_panel->findChild<ElidedLabel *>("usageLabel")->textColor(),
                 usagePercentColor(81, false));
        QCOMPARE(text("monthlyFeesLabel"), QStringLiteral("本月申购费 HK$ 28"));

        // The fees follow the month shown; what is in use does not.
        m_panel->calendarView()->findChild<QAbstractButton *>("nextMonthButton")->click();
        QCOMPARE(text("monthlyFeesLabel"), QStringLiteral("本月申购费 HK$ 68"));
        m_panel->calendarView()->findChild<QAbstractButton *>("nextMonthButton")->click();
        QCOMPARE(text("monthlyFeesLabel"), QString());
        QCOMPARE(text("usageLabel"), QStringLiteral("(81%占用)"));

        // A saved entry redraws the header: 50000 + 10000 + 4000 × 5.00 of 100000.
        m_settings->setCapitalAmount(100000);
        IPORecord b = m_repository->records().at(1);
        b.subQuantity = 4000;
        QVERIFY(m_repository->saveRecord(b));
        QCOMPARE(text("usageLabel"), QStringLiteral("(80%占用)"));

        // Monday 20 January: nothing opens, nothing trades grey.
        m_clock.set(utc("2025-01-20T02:00:00Z"));
        reshowAfter(0);
        QCOMPARE(events(), QStringList());
        QCOMPARE(text("noEventsLabel"), QStringLiteral("[无关注事件]"));
    }

    void refreshesWhenShownAndWhenActivated() {
        // Whether a refresh is due is the repository's rule (45 seconds); the panel asks.
        QCOMPARE(m_client.listRequests.size(), 1);
        reshowAfter(45);
        QTRY_COMPARE(m_client.listRequests.size(), 2);
        QTRY_VERIFY(!m_repository->isRefreshing());
        m_clock.advanceSecs(45);
        QEvent activate(QEvent::WindowActivate);
        QCoreApplication::sendEvent(m_window.get(), &activate);
        QTRY_COMPARE(m_client.listRequests.size(), 3);
    }
};

ORVEL_TEST_CLASS(ContentViewTest);
#include "ContentViewTest.moc"
