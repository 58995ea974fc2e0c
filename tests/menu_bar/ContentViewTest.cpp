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

#include <QAbstractButton>
#include <QTest>
#include <QVBoxLayout>

using namespace menubartest;

class ContentViewTest : public QObject {
    Q_OBJECT

private slots:
    void refreshesAndFollowsTheFigures() {
        // Wednesday 15 January 2025, 10:00 in the market.
        testsupport::ManualClock clock{utc("2025-01-15T02:00:00Z")};
        testsupport::TestFolder folder;
        AppSettings settings(folder.makeSettings());
        // At a top price of 5.00 and 1000 shares a lot. C lists on Thursday 16: its grey market
        // is today, and its money came back today as well.
        FakeServiceClient client;
        QList<RemoteIPO> items;
        for (const char *row : {"A 2025-01-15 2025-01-22", "B 2025-01-15 2025-01-24",
                                "C 2025-01-08 2025-01-16", "D 2025-02-05 2025-02-12"}) {
            const QStringList f = QString::fromLatin1(row).split(u' ');
            items.append({f[0], f[0] + "名", f[1], {}, f[2], "5,000", "4.50-5.00", {}, {}, {}});
        }
        client.setItems(items);
        const auto store = std::move(UserIPOStore::open({.inMemory = true}).value());
        // A: 10000 shares cash (50000 in use). C: margin 45000 loan (fee 28), released today.
        // D: margin 90000 loan in February (fee 68, 10000 in use).
        QVERIFY(store->saveEntry("A", 10000, 0, SubMethod::cash).hasValue());
        QVERIFY(store->saveEntry("C", 10000, 2000, SubMethod::margin).hasValue());
        QVERIFY(store->saveEntry("D", 20000, 0, SubMethod::margin).hasValue());
        IPORepository repository(client, *store, clock.clock(), 45.0);
        QWidget window;
        auto *panel = new ContentView(repository, settings, clock.clock(), nullptr, {});
        // Put into its window after construction, as the shell may do.
        (new QVBoxLayout(&window))->addWidget(panel);
        window.resize(ContentView::panelWidth, 900);
        window.show();
        QTRY_VERIFY(!repository.records().isEmpty());
        const auto text = [panel](const char *label) {
            const auto *shown = panel->findChild<ElidedLabel *>(label);
            return shown->isVisible() ? shown->text() : QString();
        };
        const auto events = [panel] {
            QStringList texts;
            for (const ElidedLabel *event : panel->findChildren<ElidedLabel *>("todayEventLabel"))
                if (event->isVisible())
                    texts.append(event->text());
            return texts;
        };

        // Whether a refresh is due is the repository's rule (45 seconds); the panel asks.
        QCOMPARE(client.listRequests.size(), 1);
        window.hide();
        clock.advanceSecs(45);
        window.show();
        QTRY_COMPARE(client.listRequests.size(), 2);
        QTRY_VERIFY(!repository.isRefreshing());
        clock.advanceSecs(45);
        QEvent activate(QEvent::WindowActivate);
        QCoreApplication::sendEvent(&window, &activate);
        QTRY_COMPARE(client.listRequests.size(), 3);
        QTRY_VERIFY(!repository.isRefreshing());

        // Without capital there is no figure to show.
        QCOMPARE(text("titleLabel"), QStringLiteral("ORVEL"));
        QCOMPARE(text("usageLabel"), QString());
        QCOMPARE(text("monthlyFeesLabel"), QString());
        QCOMPARE(events(), (QStringList{"今日申购：A名、B名", "今日暗盘：C名"}));

        settings.setCapitalAmount(74074); // 60000 in use
        QCOMPARE(text("titleLabel"), QString());
        QCOMPARE(text("capitalLabel"), QStringLiteral("HK$ 74074"));
        QCOMPARE(text("usageLabel"), QStringLiteral("(81%占用)"));
        QCOMPARE(text("monthlyFeesLabel"), QStringLiteral("本月申购费 HK$ 28"));

        // The fees follow the month shown; what is in use does not.
        const auto nextMonth = [panel] {
            panel->calendarView()->findChild<QAbstractButton *>("nextMonthButton")->click();
        };
        nextMonth();
        QCOMPARE(text("monthlyFeesLabel"), QStringLiteral("本月申购费 HK$ 68"));
        nextMonth();
        QCOMPARE(text("monthlyFeesLabel"), QString());
        QCOMPARE(text("usageLabel"), QStringLiteral("(81%占用)"));

        // A saved entry redraws the header: 50000 + 10000 + 4000 × 5.00 of 100000.
        settings.setCapitalAmount(100000);
        IPORecord b = repository.records().at(1);
        b.subQuantity = 4000;
        QVERIFY(repository.saveRecord(b));
        QCOMPARE(text("usageLabel"), QStringLiteral("(80%占用)"));
    }
};

ORVEL_TEST_CLASS(ContentViewTest);
#include "ContentViewTest.moc"
