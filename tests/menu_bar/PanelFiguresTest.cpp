#include "MenuBarTestData.h"
#include "TestRegistry.h"

#include "ui/menu_bar/PanelFigures.h"

#include <QTest>

#include <cmath>
#include <limits>

using namespace menubartest;

class PanelFiguresTest : public QObject {
    Q_OBJECT

private slots:
    void capitalInUse_data() {
        QTest::addColumn<QList<IPORecord>>("input");
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<double>("expected");

        // Top price 5.00 throughout; the listing on Monday 13 January is released on Friday 10.
        const QDateTime wednesday = marketTime("2025-01-08", "10:00");
        QTest::newRow("cash counts in full")
            << records({{"A", "2025-01-02", "2025-01-13", 10000}}) << wednesday << 50000.0;
        QTest::newRow("margin counts its tenth")
            << records({{"A", "2025-01-02", "2025-01-13", 10000, 0, SubMethod::margin}})
            << wednesday << 5000.0;
        QTest::newRow("the evening before the release day still counts")
            << records({{"A", "2025-01-02", "2025-01-13", 10000}})
            << marketTime("2025-01-09", "23:59") << 50000.0;
        QTest::newRow("stops on the business day before listing")
            << records({{"A", "2025-01-02", "2025-01-13", 10000}})
            << marketTime("2025-01-10", "00:00") << 0.0;
        QTest::newRow("stays released over the weekend and after listing")
            << records({{"A", "2025-01-02", "2025-01-13", 10000}})
            << marketTime("2025-01-14", "09:00") << 0.0;
        // 16:30 UTC on the 9th is already the 10th in the market.
        QTest::newRow("the release day is a market day")
            << records({{"A", "2025-01-02", "2025-01-13", 10000}}) << utc("2025-01-09T16:30:00Z")
            << 0.0;
        QTest::newRow("no listing date always counts")
            << records({{"A", "2025-01-02", "", 1000}}) << marketTime("2030-06-01", "10:00")
            << 5000.0;
        QTest::newRow("nothing subscribed")
            << records({{"A", "2025-01-02", "", 0}, {"B", "2025-01-02", "", -500}}) << wednesday
            << 0.0;
        QTest::newRow("unreadable price counts nothing")
            << records({{"A", "2025-01-02", "", 1000, 0, SubMethod::cash, "待定"}}) << wednesday
            << 0.0;
        QTest::newRow("sum over records")
            << records({{"A", "2025-01-02", "2025-01-13", 10000},
                        {"B", "2025-01-03", "", 2000, 0, SubMethod::margin, "9.00-10.00"},
                        {"C", "2025-01-02", "2025-01-07", 4000}})
            << wednesday << 52000.0;
    }
    void capitalInUse() {
        QFETCH(QList<IPORecord>, input);
        QFETCH(QDateTime, now);
        QFETCH(double, expected);
        QCOMPARE(::capitalInUse(input, now), expected);
    }

    void capitalUsagePercent_data() {
        QTest::addColumn<double>("capital");
        QTest::addColumn<double>("inUse");
        QTest::addColumn<int>("percent");

        QTest::newRow("half") << 100000.0 << 50000.0 << 50;
        QTest::newRow("a twentieth") << 100000.0 << 5000.0 << 5;
        QTest::newRow("truncated, not rounded") << 100000.0 << 80999.99 << 80;
        QTest::newRow("exactly 81") << 100000.0 << 81000.0 << 81;
        // 0.29 × 100 is 28.999… in binary floating point.
        QTest::newRow("exactly 29") << 100000.0 << 29000.0 << 29;
        QTest::newRow("exactly 57") << 100000.0 << 57000.0 << 57;
        QTest::newRow("over-committed") << 100000.0 << 250000.0 << 250;
        QTest::newRow("no capital") << 0.0 << 50000.0 << 0;
        QTest::newRow("negative capital") << -100.0 << 50000.0 << 0;
        QTest::newRow("nothing in use") << 100000.0 << 0.0 << 0;
        QTest::newRow("tiny capital saturates") << 0.01 << 1e300 << std::numeric_limits<int>::max();
    }
    void capitalUsagePercent() {
        QFETCH(double, capital);
        QFETCH(double, inUse);
        QFETCH(int, percent);
        QCOMPARE(::capitalUsagePercent(capital, inUse), percent);
    }

    void usagePercentColor_data() {
        QTest::addColumn<int>("percent");
        QTest::addColumn<bool>("red");

        QTest::newRow("0") << 0 << false;
        QTest::newRow("80") << 80 << false;
        QTest::newRow("81") << 81 << true;
        QTest::newRow("250") << 250 << true;
    }
    void usagePercentColor() {
        QFETCH(int, percent);
        QFETCH(bool, red);
        QCOMPARE(isUsageAlarming(percent), red);
        for (const bool dark : {false, true}) {
            const QColor color = ::usagePercentColor(percent, dark);
            const QColor amber = Palette::color(PaletteColor::accentAmberDeep, dark);
            if (red) {
                QVERIFY(color != amber);
                QVERIFY2(color.red() == 255 && color.green() < 80 && color.blue() < 80,
                         qPrintable(color.name()));
            } else {
                QCOMPARE(color, amber);
            }
        }
    }

    void monthlyMarginFees_data() {
        QTest::addColumn<QList<IPORecord>>("input");
        QTest::addColumn<QDateTime>("month");
        QTest::addColumn<double>("fees");

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
        QTest::newRow("margin records of the month shown")
            << mixed << marketDay("2025-01-15") << 96.0;
        QTest::newRow("another month") << mixed << marketDay("2025-02-27") << 88.0;
        QTest::newRow("a month without subscriptions") << mixed << marketDay("2025-03-01") << 0.0;
        QTest::newRow("same month of another year") << mixed << marketDay("2024-01-15") << 0.0;
        QTest::newRow("cash costs nothing")
            << records({{"C", "2025-01-21", "", 30000}}) << marketDay("2025-01-15") << 0.0;
        // 17:00 UTC on 31 January is 1 February in the market.
        QTest::newRow("month shown is the market's")
            << mixed << utc("2025-01-31T17:00:00Z") << 88.0;
        QTest::newRow("loan within the first band is free")
            << records({{"S", "2025-01-06", "", 2000, 0, SubMethod::margin}})
            << marketDay("2025-01-15") << 0.0;
    }
    void monthlyMarginFees() {
        QFETCH(QList<IPORecord>, input);
        QFETCH(QDateTime, month);
        QFETCH(double, fees);
        QCOMPARE(::monthlyMarginFees(input, month), fees);
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
            {"X", "2025-01-14", "2025-01-17"},
            {"N", "", ""},
        });
        QTest::newRow("openings then grey market")
            << busy << marketTime("2025-01-15", "10:00")
            << QStringList{"今日申购：名B、名A", "今日暗盘：名G"}
            << QList<PaletteColor>{green, amber};
        QTest::newRow("nothing today")
            << busy << marketTime("2025-01-20", "10:00") << QStringList() << QList<PaletteColor>();
        QTest::newRow("only a grey market")
            << busy << marketTime("2025-01-16", "10:00") << QStringList{"今日暗盘：名X"}
            << QList<PaletteColor>{amber};
        QTest::newRow("a Monday listing trades grey on Friday")
            << records({{"M", "2025-01-06", "2025-01-13"}}) << marketTime("2025-01-10", "16:00")
            << QStringList{"今日暗盘：名M"} << QList<PaletteColor>{amber};
        QTest::newRow("and not on the weekend before it")
            << records({{"M", "2025-01-06", "2025-01-13"}}) << marketTime("2025-01-12", "16:00")
            << QStringList() << QList<PaletteColor>();
        QTest::newRow("only openings")
            << records({{"O", "2025-01-15", ""}}) << marketTime("2025-01-15", "08:00")
            << QStringList{"今日申购：名O"} << QList<PaletteColor>{green};
        // 16:30 UTC on the 14th is 00:30 on the 15th in the market.
        QTest::newRow("today is the market's day")
            << busy << utc("2025-01-14T16:30:00Z")
            << QStringList{"今日申购：名B、名A", "今日暗盘：名G"}
            << QList<PaletteColor>{green, amber};
    }
    void todayEvents() {
        QFETCH(QList<IPORecord>, input);
        QFETCH(QDateTime, now);
        QFETCH(QStringList, texts);
        QFETCH(QList<PaletteColor>, colors);
        const QList<TodayEvent> events = ::todayEvents(input, now);
        QStringList actualTexts;
        QList<PaletteColor> actualColors;
        for (const TodayEvent &event : events) {
            actualTexts.append(event.text);
            actualColors.append(event.color);
        }
        QCOMPARE(actualTexts, texts);
        QCOMPARE(actualColors, colors);
    }

    void texts_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");

        QTest::newRow("capital") << capitalText(100000) << "HK$ 100000";
        QTest::newRow("capital truncated, no grouping")
            << capitalText(12345678.99) << "HK$ 12345678";
        QTest::newRow("capital large, no exponent") << capitalText(3e9) << "HK$ 3000000000";
        QTest::newRow("usage") << usageText(50) << "(50%占用)";
        QTest::newRow("fees") << monthlyFeesText(96.5) << "本月申购费 HK$ 96";
    }
    void texts() {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(text, expected);
    }

    void wholeDollars_data() {
        QTest::addColumn<double>("amount");
        QTest::addColumn<qint64>("dollars");

        QTest::newRow("truncates") << 100000.99 << qint64(100000);
        QTest::newRow("toward zero") << -5.5 << qint64(-5);
        QTest::newRow("not a number") << std::nan("") << qint64(0);
        QTest::newRow("too large") << 1e300 << std::numeric_limits<qint64>::max();
        QTest::newRow("too small") << -1e300 << std::numeric_limits<qint64>::min();
        QTest::newRow("infinite") << std::numeric_limits<double>::infinity()
                                  << std::numeric_limits<qint64>::max();
    }
    void wholeDollars() {
        QFETCH(double, amount);
        QFETCH(qint64, dollars);
        QCOMPARE(::wholeDollars(amount), dollars);
    }

    void hkexURLIsTheMainBoardListingPage() {
        const QUrl &url = hkexURL();
        QVERIFY(url.isValid());
        QCOMPARE(url.scheme(), QStringLiteral("https"));
        QVERIFY2(url.host().endsWith(QStringLiteral(".hkexnews.hk")), qPrintable(url.host()));
        QCOMPARE(url.path(), QStringLiteral("/New-Listings/New-Listing-Information/Main-Board"));
        QCOMPARE(url.query(), QStringLiteral("sc_lang=zh-HK"));
    }
};

ORVEL_TEST_CLASS(PanelFiguresTest);
#include "PanelFiguresTest.moc"
