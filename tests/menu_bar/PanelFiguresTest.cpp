#include "MenuBarTestData.h"
#include "TestRegistry.h"

#include "ui/menu_bar/PanelFigures.h"

#include <QTest>

#include <cmath>
#include <limits>

using namespace menubartest;
using namespace Qt::StringLiterals;

class PanelFiguresTest : public QObject {
    Q_OBJECT

private slots:
    // Top price 5.00 throughout; the listing on Monday 13 January is released on Friday 10.
    void capitalInUse() {
        const QDateTime wednesday = marketTime("2025-01-08", "10:00");
        const QList<IPORecord> cash = records({{"A", "2025-01-02", "2025-01-13", 10000}});
        QCOMPARE(::capitalInUse(cash, wednesday), 50000.0);
        QCOMPARE(::capitalInUse(
                     records({{"A", "2025-01-02", "2025-01-13", 10000, 0, SubMethod::margin}}),
                     wednesday),
                 5000.0); // a tenth on margin
        QCOMPARE(::capitalInUse(cash, marketTime("2025-01-09", "23:59")), 50000.0);
        QCOMPARE(::capitalInUse(cash, marketTime("2025-01-10", "00:00")), 0.0);
        // 16:30 UTC on the 9th is already the 10th in the market.
        QCOMPARE(::capitalInUse(cash, utc("2025-01-09T16:30:00Z")), 0.0);
        // No listing date always counts; nothing subscribed or no price counts nothing.
        QCOMPARE(::capitalInUse(records({{"A", "2025-01-02", "", 1000}}),
                                marketTime("2030-06-01", "10:00")),
                 5000.0);
        QCOMPARE(::capitalInUse(
                     records({{"A", "2025-01-02", "2025-01-13", 10000},
                              {"B", "2025-01-03", "", 2000, 0, SubMethod::margin, "9.00-10.00"},
                              {"C", "2025-01-02", "2025-01-07", 4000},
                              {"D", "2025-01-02", "", -500},
                              {"E", "2025-01-02", "", 1000, 0, SubMethod::cash, "待定"}}),
                     wednesday),
                 52000.0);
    }

    void capitalUsagePercent() {
        constexpr int max = std::numeric_limits<int>::max();
        constexpr int min = std::numeric_limits<int>::min();
        QCOMPARE(::capitalUsagePercent(100000, 80999.99), 80); // truncated, not rounded
        QCOMPARE(::capitalUsagePercent(100000, 29000), 29);    // 0.29 × 100 is 28.999…
        QCOMPARE(::capitalUsagePercent(100000, 250000), 250);  // over-committed
        QCOMPARE(::capitalUsagePercent(0, 50000), 0);
        QCOMPARE(::capitalUsagePercent(-100, 50000), 0);
        QCOMPARE(::capitalUsagePercent(0.01, 1e300), max);
        QCOMPARE(::capitalUsagePercent(0.01, -1e300), min);
        QCOMPARE(::capitalUsagePercent(100, std::nan("")), 0);
    }

    void usageTurnsRedAbove80() {
        QVERIFY(!isUsageAlarming(80));
        QVERIFY(isUsageAlarming(81));
        for (const bool dark : {false, true}) {
            QCOMPARE(usagePercentColor(80, dark),
                     Palette::color(PaletteColor::accentAmberDeep, dark));
            QVERIFY(usagePercentColor(81, dark) != usagePercentColor(80, dark));
        }
    }

    // Fees of the margin subscriptions opening in the month shown. At 5.00: 10000 shares borrow
    // 45000 (28), 20000 borrow 90000 (68), 30000 borrow 135000 (88).
    void monthlyMarginFees() {
        const QList<IPORecord> mixed = records({
            {"A", "2025-01-06", "", 10000, 0, SubMethod::margin},
            {"B", "2025-01-20", "", 20000, 0, SubMethod::margin},
            {"C", "2025-01-21", "", 30000, 0, SubMethod::cash},
            {"D", "2025-01-22", "", 0, 0, SubMethod::margin},
            {"E", "2025-02-03", "", 30000, 0, SubMethod::margin},
            {"F", "", "", 30000, 0, SubMethod::margin},
        });
        QCOMPARE(::monthlyMarginFees(mixed, marketDay("2025-01-15")), 96.0);
        QCOMPARE(::monthlyMarginFees(mixed, marketDay("2025-02-27")), 88.0);
        QCOMPARE(::monthlyMarginFees(mixed, marketDay("2024-01-15")), 0.0);
        // 17:00 UTC on 31 January is 1 February in the market.
        QCOMPARE(::monthlyMarginFees(mixed, utc("2025-01-31T17:00:00Z")), 88.0);
        QCOMPARE(::monthlyMarginFees(mixed, QDateTime()), 0.0);
    }

    // Wednesday 15 January; a listing on Thursday 16 has its grey market today, a Monday
    // listing on the Friday before (not the weekend).
    void todayEvents() {
        const auto events = [](const QList<RecordFields> &fields, const QDateTime &now) {
            QStringList shown;
            for (const TodayEvent &event : ::todayEvents(records(fields), now))
                shown.append(event.text + (event.color == PaletteColor::accentGreen ? u" green"_s
                                                                                    : u" amber"_s));
            return shown;
        };
        const QList<RecordFields> busy{{"B", "2025-01-15", "2025-01-24"},
                                       {"G", "2025-01-08", "2025-01-16"},
                                       {"A", "2025-01-15", "2025-01-23"},
                                       {"N", "", ""}};
        // 16:30 UTC on the 14th is 00:30 on the 15th in the market.
        QCOMPARE(events(busy, utc("2025-01-14T16:30:00Z")),
                 (QStringList{u"今日申购：名B、名A green"_s, u"今日暗盘：名G amber"_s}));
        QCOMPARE(events(busy, marketTime("2025-01-20", "10:00")), QStringList());
        const QList<RecordFields> monday{{"M", "2025-01-06", "2025-01-13"}};
        QCOMPARE(events(monday, marketTime("2025-01-10", "16:00")),
                 QStringList{u"今日暗盘：名M amber"_s});
        QCOMPARE(events(monday, marketTime("2025-01-12", "16:00")), QStringList());
    }

    void texts() {
        QCOMPARE(capitalText(12345678.99), u"HK$ 12345678"_s); // truncated, no grouping
        QCOMPARE(capitalText(3e9), u"HK$ 3000000000"_s);       // no exponent
        QCOMPARE(usageText(50), u"(50%占用)"_s);
        QCOMPARE(monthlyFeesText(96.5), u"本月申购费 HK$ 96"_s);
    }

    void wholeDollars() {
        QCOMPARE(::wholeDollars(-5.5), -5);
        QCOMPARE(::wholeDollars(std::nan("")), 0);
        QCOMPARE(::wholeDollars(9223372036854775808.0), std::numeric_limits<qint64>::max());
        QCOMPARE(::wholeDollars(-1e300), std::numeric_limits<qint64>::min());
    }
};

ORVEL_TEST_CLASS(PanelFiguresTest);
#include "PanelFiguresTest.moc"
