#include "MainWindowTestData.h"
#include "TestRegistry.h"

#include "ui/main_window/TimeFilter.h"
#include "ui/main_window/TimeFiltering.h"

#include <QTest>

using namespace mainwindowtest;

using OptionalDate = std::optional<QDateTime>;

class TimeFilteringTest : public QObject {
    Q_OBJECT

private slots:
    void rawValuesRoundTrip_data() {
        QTest::addColumn<QString>("raw");
        QTest::addColumn<int>("expected"); // -1: no filter
        QTest::newRow("this week") << QStringLiteral("本周") << int(TimeFilter::thisWeek);
        QTest::newRow("this month") << QStringLiteral("本月") << int(TimeFilter::thisMonth);
        QTest::newRow("last 30 days") << QStringLiteral("近30天") << int(TimeFilter::last30Days);
        QTest::newRow("all") << QStringLiteral("全部") << int(TimeFilter::all);
        QTest::newRow("full-width digits") << QStringLiteral("近３０天") << -1;
        QTest::newRow("trailing space") << QStringLiteral("全部 ") << -1;
        QTest::newRow("case name") << QStringLiteral("thisWeek") << -1;
        QTest::newRow("empty") << QString() << -1;
    }
    void rawValuesRoundTrip() {
        QFETCH(QString, raw);
        QFETCH(int, expected);
        const std::optional<TimeFilter> filter = timeFilterFromRawValue(raw);
        QCOMPARE(filter.has_value(), expected >= 0);
        if (filter) {
            QCOMPARE(int(*filter), expected);
            QCOMPARE(rawValue(*filter), raw);
        }
    }

    void casesAreInSegmentOrder() {
        QStringList labels;
        for (TimeFilter filter : allTimeFilters)
            labels.append(rawValue(filter));
        QCOMPARE(labels, QStringList({QStringLiteral("本周"), QStringLiteral("本月"),
                                      QStringLiteral("近30天"), QStringLiteral("全部")}));
        QVERIFY(qHash(TimeFilter::thisWeek) != qHash(TimeFilter::all));
    }

    void passes_data() {
        QTest::addColumn<int>("filter");
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<OptionalDate>("subStart");
        QTest::addColumn<bool>("kept");

        const int week = int(TimeFilter::thisWeek);
        const int month = int(TimeFilter::thisMonth);
        const int last30 = int(TimeFilter::last30Days);
        const int all = int(TimeFilter::all);
        // 2025-07-06 is a Sunday, 2025-07-12 a Saturday.
        const QDateTime saturdayNight = marketTime(2025, 7, 12, 23, 59, 59);
        QTest::newRow("week: last Sunday is listed until Saturday midnight")
            << week << saturdayNight << OptionalDate(marketTime(2025, 7, 6)) << true;
        QTest::newRow("week: next Sunday is not listed on Saturday")
            << week << saturdayNight << OptionalDate(marketTime(2025, 7, 13)) << false;
        QTest::newRow("week: the Saturday before is last week")
            << week << marketTime(2025, 7, 6, 0, 0, 0) << OptionalDate(marketTime(2025, 7, 5))
            << false;
        QTest::newRow("week: Sunday midnight starts the new week")
            << week << marketTime(2025, 7, 13) << OptionalDate(marketTime(2025, 7, 6)) << false;
        QTest::newRow("week: Sunday midnight lists that Sunday")
            << week << marketTime(2025, 7, 13) << OptionalDate(marketTime(2025, 7, 13)) << true;
        QTest::newRow("week: a UTC Saturday afternoon is already Sunday in the market")
            << week << utcTime(2025, 7, 12, 16, 0, 0) << OptionalDate(marketTime(2025, 7, 6))
            << false;
        QTest::newRow("week: one second earlier it is still Saturday")
            << week << utcTime(2025, 7, 12, 15, 59, 59) << OptionalDate(marketTime(2025, 7, 6))
            << true;
        QTest::newRow("week: a week across new year is one week")
            << week << marketTime(2025, 1, 2, 12) << OptionalDate(marketTime(2024, 12, 29)) << true;
        QTest::newRow("week: no date") << week << saturdayNight << OptionalDate() << false;

        QTest::newRow("month: first day") << month << marketTime(2025, 7, 31, 23, 59)
                                          << OptionalDate(marketTime(2025, 7, 1)) << true;
        QTest::newRow("month: next month") << month << marketTime(2025, 7, 31, 23, 59)
                                           << OptionalDate(marketTime(2025, 8, 1)) << false;
        QTest::newRow("month: same month a year earlier")
            << month << marketTime(2025, 7, 15) << OptionalDate(marketTime(2024, 7, 15)) << false;
        QTest::newRow("month: 31 July 16:30 UTC is August in the market")
            << month << utcTime(2025, 7, 31, 16, 30) << OptionalDate(marketTime(2025, 7, 1))
            << false;
        QTest::newRow("month: and lists August") << month << utcTime(2025, 7, 31, 16, 30)
                                                 << OptionalDate(marketTime(2025, 8, 1)) << true;
        QTest::newRow("month: no date")
            << month << marketTime(2025, 7, 15) << OptionalDate() << false;

        const QDateTime julyLast = marketTime(2025, 7, 31, 10, 0);
        QTest::newRow("30 days: 1 July at 10:00 drops 1 July midnight")
            << last30 << julyLast << OptionalDate(marketTime(2025, 7, 1)) << false;
        QTest::newRow("30 days: 2 July is listed")
            << last30 << julyLast << OptionalDate(marketTime(2025, 7, 2)) << true;
        QTest::newRow("30 days: next month is listed too")
            << last30 << julyLast << OptionalDate(marketTime(2025, 8, 20)) << true;
        QTest::newRow("30 days: the threshold itself is listed")
            << last30 << julyLast << OptionalDate(marketTime(2025, 7, 1, 10, 0)) << true;
        QTest::newRow("30 days: one second before it is not")
            << last30 << julyLast << OptionalDate(marketTime(2025, 7, 1, 9, 59, 59)) << false;
        QTest::newRow("30 days: at midnight of 31 July, 1 July is listed")
            << last30 << marketTime(2025, 7, 31) << OptionalDate(marketTime(2025, 7, 1)) << true;
        QTest::newRow("30 days: across February")
            << last30 << marketTime(2025, 3, 2) << OptionalDate(marketTime(2025, 1, 31)) << true;
        QTest::newRow("30 days: no date") << last30 << julyLast << OptionalDate() << false;

        QTest::newRow("all: no date") << all << julyLast << OptionalDate() << true;
        QTest::newRow("all: long ago")
            << all << julyLast << OptionalDate(marketTime(2001, 1, 1)) << true;
    }
    void passes() {
        QFETCH(int, filter);
        QFETCH(QDateTime, now);
        QFETCH(OptionalDate, subStart);
        QFETCH(bool, kept);
        QCOMPARE(TimeFiltering::passes(subStart, TimeFilter(filter), now, marketCalendar()), kept);
    }

    void thresholdIsCalendarArithmetic() {
        // 30 calendar days at the same clock time, not 30 × 24 hours counted from UTC.
        QCOMPARE(
            TimeFiltering::last30DaysThreshold(marketTime(2025, 7, 31, 10, 0), marketCalendar()),
            marketTime(2025, 7, 1, 10, 0));
        QCOMPARE(TimeFiltering::last30DaysThreshold(utcTime(2025, 3, 1, 20, 0), marketCalendar()),
                 marketTime(2025, 1, 31, 4, 0));
    }

    // Where the window's one-shot clock timer is armed: just past the market's midnight (at
    // midnight itself a start 30 days back is still listed), whatever zone `now` is given in.
    void nextChangeIsJustPastTheMarketsMidnight_data() {
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QDateTime>("next");
        QTest::newRow("mid-morning")
            << marketTime(2025, 7, 9, 10) << marketTime(2025, 7, 10, 0, 0, 1);
        QTest::newRow("UTC evening is the next market day")
            << utcTime(2025, 7, 9, 16, 30) << marketTime(2025, 7, 11, 0, 0, 1);
        QTest::newRow("a millisecond before midnight")
            << marketTime(2025, 7, 9, 23, 59, 59).addMSecs(999) << marketTime(2025, 7, 10, 0, 0, 1);
        QTest::newRow("the timer fired at midnight itself")
            << marketTime(2025, 7, 10) << marketTime(2025, 7, 10, 0, 0, 1);
        QTest::newRow("the moment it was armed for")
            << marketTime(2025, 7, 10, 0, 0, 1) << marketTime(2025, 7, 11, 0, 0, 1);
        QTest::newRow("end of the month")
            << marketTime(2025, 7, 31, 22) << marketTime(2025, 8, 1, 0, 0, 1);
    }
    void nextChangeIsJustPastTheMarketsMidnight() {
        QFETCH(QDateTime, now);
        QFETCH(QDateTime, next);
        QCOMPARE(TimeFiltering::nextChange(now, marketCalendar()), next);
    }

    void startOfWeekFollowsFirstWeekday_data() {
        QTest::addColumn<QDate>("day");
        QTest::addColumn<int>("firstWeekday");
        QTest::addColumn<QDate>("start");
        QTest::newRow("Sunday weeks, Saturday")
            << QDate(2025, 7, 12) << int(Qt::Sunday) << QDate(2025, 7, 6);
        QTest::newRow("Sunday weeks, Sunday")
            << QDate(2025, 7, 13) << int(Qt::Sunday) << QDate(2025, 7, 13);
        QTest::newRow("Monday weeks, Sunday")
            << QDate(2025, 7, 13) << int(Qt::Monday) << QDate(2025, 7, 7);
    }
    void startOfWeekFollowsFirstWeekday() {
        QFETCH(QDate, day);
        QFETCH(int, firstWeekday);
        QFETCH(QDate, start);
        QCOMPARE(TimeFiltering::startOfWeek(day, Qt::DayOfWeek(firstWeekday)), start);
    }

    void filteredKeepsOrderAndDropsUndated() {
        const QList<IPORecord> records{
            makeIPORecord(QStringLiteral("1"), QStringLiteral("a"), marketTime(2025, 7, 8)),
            makeIPORecord(QStringLiteral("2"), QStringLiteral("b")),
            makeIPORecord(QStringLiteral("3"), QStringLiteral("c"), marketTime(2025, 6, 1)),
            makeIPORecord(QStringLiteral("4"), QStringLiteral("d"), marketTime(2025, 7, 6)),
        };
        const QDateTime now = marketTime(2025, 7, 9, 12);
        QCOMPARE(
            codesOf(TimeFiltering::filtered(records, TimeFilter::thisWeek, now, marketCalendar())),
            QStringList({QStringLiteral("1"), QStringLiteral("4")}));
        QCOMPARE(codesOf(TimeFiltering::filtered(records, TimeFilter::all, now, marketCalendar())),
                 QStringList({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
                              QStringLiteral("4")}));
    }
};

ORVEL_TEST_CLASS(TimeFilteringTest);

#include "TimeFilteringTest.moc"
