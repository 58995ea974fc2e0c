#include "MenuBarTestData.h"
#include "TestRegistry.h"

#include "ui/menu_bar/PanelFigures.h"

#include <QTest>

#include <cmath>
#include <limits>

using namespace menubartest;
using namespace Qt::StringLiterals;

// The panel's header figures (capital in use, usage, the month's margin fees) and today's
// events.
class PanelFiguresTest : public QObject {
    Q_OBJECT

private slots:
    void capitalInUse_data() {
        QTest::addColumn<QList<IPORecord>>("input");
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<double>("expected");

        // Top price 5.00 throughout; the listing on Monday 13 January is released on Friday 10.
        const QDateTime wednesday = marketTime("2025-01-08", "10:00");
        const QList<IPORecord> cash = records({{"A", "2025-01-02", "2025-01-13", 10000}});
        QTest::newRow("cash counts in full") << cash << wednesday << 50000.0;
        QTest::newRow("margin counts its tenth")
            << records({{"A", "2025-01-02", "2025-01-13", 10000, 0, SubMethod::margin}})
            << wednesday << 5000.0;
        QTest::newRow("the evening before the release day still counts")
            << cash << marketTime("2025-01-09", "23:59") << 50000.0;
        QTest::newRow("stops on the business day before listing")
            << cash << marketTime("2025-01-10", "00:00") << 0.0;
        QTest::newRow("stays released after listing")
            << cash << marketTime("2025-01-14", "09:00") << 0.0;
        // 16:30 UTC on the 9th is already the 10th in the market.
        QTest::newRow("the release day is a market day")
            << cash << utc("2025-01-09T16:30:00Z") << 0.0;
        QTest::newRow("no listing date always counts")
            << records({{"A", "2025-01-02", "", 1000}}) << marketTime("2030-06-01", "10:00")
            << 5000.0;
        QTest::newRow("sum over records; nothing subscribed or no price counts nothing")
            << records({{"A", "2025-01-02", "2025-01-13", 10000},
                        {"B", "2025-01-03", "", 2000, 0, SubMethod::margin, "9.00-10.00"},
                        {"C", "2025-01-02", "2025-01-07", 4000},
                        {"D", "2025-01-02", "", -500},
                        {"E", "2025-01-02", "", 1000, 0, SubMethod::cash, "待定"}})
            << wednesday << 52000.0;
    }
    void capitalInUse() {
        QFETCH(QList<IPORecord>, input);
        QFETCH(QDateTime, now);
        QFETCH(double, expected);
        QCOMPARE(::capitalInUse(input, now), expected);
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

    void monthlyMarginFees_data() {
        QTest::addColumn<QDateTime>("month");
        QTest::addColumn<double>("fees");
        // Fees of the margin subscriptions opening in the month shown (see the records below).
        QTest::newRow("month shown") << marketDay("2025-01-15") << 96.0;
        QTest::newRow("another month") << marketDay("2025-02-27") << 88.0;
        QTest::newRow("same month of another year") << marketDay("2024-01-15") << 0.0;
        // 17:00 UTC on 31 January is 1 February in the market.
        QTest::newRow("month shown is the market's") << utc("2025-01-31T17:00:00Z") << 88.0;
        QTest::newRow("no month") << QDateTime() << 0.0;
    }
    void monthlyMarginFees() {
        QFETCH(QDateTime, month);
        QFETCH(double, fees);
        // At 5.00: 10000 shares borrow 45000 (28), 20000 borrow 90000 (68), 30000 borrow 135000
        // (88).
        const QList<IPORecord> mixed = records({
            {"A", "2025-01-06", "", 10000, 0, SubMethod::margin},
            {"B", "2025-01-20", "", 20000, 0, SubMethod::margin},
            {"C", "2025-01-21", "", 30000, 0, SubMethod::cash},
            {"D", "2025-01-22", "", 0, 0, SubMethod::margin},
            {"E", "2025-02-03", "", 30000, 0, SubMethod::margin},
            {"F", "", "", 30000, 0, SubMethod::margin},
        });
        QCOMPARE(::monthlyMarginFees(mixed, month), fees);
    }

    void todayEvents_data() {
        QTest::addColumn<QList<IPORecord>>("input");
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QList<PaletteColor>>("colors");

        const PaletteColor green = PaletteColor::accentGreen;
        const PaletteColor amber = PaletteColor::accentAmberDeep;
        // Wednesday 15 January; a listing on Thursday 16 has its grey market today.
        const QList<IPORecord> busy = records({
            {"B", "2025-01-15", "2025-01-24"},
            {"G", "2025-01-08", "2025-01-16"},
            {"A", "2025-01-15", "2025-01-23"},
            {"N", "", ""},
        });
        const QList<IPORecord> mondayListing = records({{"M", "2025-01-06", "2025-01-13"}});
        // 16:30 UTC on the 14th is 00:30 on the 15th in the market.
        QTest::newRow("openings then grey market, on the market's day")
            << busy << utc("2025-01-14T16:30:00Z")
            << QStringList{"今日申购：名B、名A", "今日暗盘：名G"} << QList{green, amber};
        QTest::newRow("nothing today")
            << busy << marketTime("2025-01-20", "10:00") << QStringList() << QList<PaletteColor>();
        QTest::newRow("a Monday listing trades grey on Friday")
            << mondayListing << marketTime("2025-01-10", "16:00") << QStringList{"今日暗盘：名M"}
            << QList{amber};
        QTest::newRow("and not on the weekend before it")
            << mondayListing << marketTime("2025-01-12", "16:00") << QStringList()
            << QList<PaletteColor>();
    }
    void todayEvents() {
        QFETCH(QList<IPORecord>, input);
        QFETCH(QDateTime, now);
        QFETCH(QStringList, texts);
        QFETCH(QList<PaletteColor>, colors);
        QStringList actualTexts;
        QList<PaletteColor> actualColors;
        for (const TodayEvent &event : ::todayEvents(input, now)) {
            actualTexts.append(event.text);
            actualColors.append(event.color);
        }
        QCOMPARE(actualTexts, texts);
        QCOMPARE(actualColors, colors);
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
