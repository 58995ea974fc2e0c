#include "MainWindowTestData.h"
#include "TestRegistry.h"

#include "ui/main_window/TimeFilter.h"
#include "ui/main_window/TimeFiltering.h"

#include <QTest>

using namespace mainwindowtest;
using namespace Qt::StringLiterals;

using OptionalDate = std::optional<QDateTime>;

// Which IPOs each time filter lists, on the market's days (UTC+8), and when the answer changes.
class TimeFilteringTest : public QObject {
    Q_OBJECT

private slots:
    void rawValues() {
        QStringList labels;
        for (TimeFilter filter : allTimeFilters) {
            labels.append(rawValue(filter));
            QCOMPARE(timeFilterFromRawValue(rawValue(filter)), std::optional(filter));
        }
        QCOMPARE(labels, QStringList({u"本周"_s, u"本月"_s, u"近30天"_s, u"全部"_s}));
        QCOMPARE(timeFilterFromRawValue(u"全部 "_s), std::nullopt);
    }

    void passes_data() {
        QTest::addColumn<TimeFilter>("filter");
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QDateTime>("subStart"); // invalid: none
        QTest::addColumn<bool>("kept");

        const TimeFilter week = TimeFilter::thisWeek;
        const TimeFilter month = TimeFilter::thisMonth;
        const TimeFilter last30 = TimeFilter::last30Days;
        // 2025-07-06 is a Sunday, 2025-07-12 a Saturday.
        const QDateTime saturdayNight = marketTime(2025, 7, 12, 23, 59, 59);
        QTest::newRow("week: Sunday, seen late Saturday")
            << week << saturdayNight << marketTime(2025, 7, 6) << true;
        QTest::newRow("week: next Sunday")
            << week << saturdayNight << marketTime(2025, 7, 13) << false;
        QTest::newRow("week: Sunday midnight starts anew")
            << week << marketTime(2025, 7, 13) << marketTime(2025, 7, 6) << false;
        QTest::newRow("week: market Sunday, UTC Saturday")
            << week << utcTime(2025, 7, 12, 16, 0, 0) << marketTime(2025, 7, 6) << false;
        QTest::newRow("week: across new year")
            << week << marketTime(2025, 1, 2, 12) << marketTime(2024, 12, 29) << true;
        QTest::newRow("week: no date") << week << saturdayNight << QDateTime() << false;

        QTest::newRow("month: first day")
            << month << marketTime(2025, 7, 31, 23, 59) << marketTime(2025, 7, 1) << true;
        QTest::newRow("month: a year earlier")
            << month << marketTime(2025, 7, 15) << marketTime(2024, 7, 15) << false;
        QTest::newRow("month: market August, UTC July")
            << month << utcTime(2025, 7, 31, 16, 30) << marketTime(2025, 7, 1) << false;

        // 30 calendar days back at the same clock time, with no upper bound.
        const QDateTime julyLast = marketTime(2025, 7, 31, 10, 0);
        QTest::newRow("30 days: the threshold")
            << last30 << julyLast << marketTime(2025, 7, 1, 10, 0) << true;
        QTest::newRow("30 days: a second before")
            << last30 << julyLast << marketTime(2025, 7, 1, 9, 59, 59) << false;
        QTest::newRow("30 days: next month")
            << last30 << julyLast << marketTime(2025, 8, 20) << true;
        QTest::newRow("30 days: no date") << last30 << julyLast << QDateTime() << false;

        QTest::newRow("all: no date") << TimeFilter::all << julyLast << QDateTime() << true;
    }
    void passes() {
        QFETCH(TimeFilter, filter);
        QFETCH(QDateTime, now);
        QFETCH(QDateTime, subStart);
        QFETCH(bool, kept);
        const OptionalDate start = subStart.isValid() ? OptionalDate(subStart) : std::nullopt;
        QCOMPARE(TimeFiltering::passes(start, filter, now, marketCalendar()), kept);
    }

    // Where the window's one-shot clock timer is armed: just past the market's midnight (at
    // midnight itself a start 30 days back is still listed), whatever zone `now` is given in.
    void nextChangeIsJustPastTheMarketsMidnight() {
        const auto next = [](const QDateTime &now) {
            return TimeFiltering::nextChange(now, marketCalendar());
        };
        QCOMPARE(next(marketTime(2025, 7, 9, 10)), marketTime(2025, 7, 10, 0, 0, 1));
        // A UTC evening is already the next market day.
        QCOMPARE(next(utcTime(2025, 7, 9, 16, 30)), marketTime(2025, 7, 11, 0, 0, 1));
        // A timer that fired early, at midnight itself, or on time.
        QCOMPARE(next(marketTime(2025, 7, 10)), marketTime(2025, 7, 10, 0, 0, 1));
        QCOMPARE(next(marketTime(2025, 7, 10, 0, 0, 1)), marketTime(2025, 7, 11, 0, 0, 1));
    }
};

ORVEL_TEST_CLASS(TimeFilteringTest);

#include "TimeFilteringTest.moc"
