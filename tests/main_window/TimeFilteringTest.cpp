#include "MainWindowTestData.h"
#include "TestRegistry.h"

#include "ui/main_window/TimeFilter.h"
#include "ui/main_window/TimeFiltering.h"

#include <QTest>

using namespace mainwindowtest;
using namespace Qt::StringLiterals;

class TimeFilteringTest : public QObject {
    Q_OBJECT

private slots:
    void rawValues() {
        QStringList labels;
        for (TimeFilter filter : allTimeFilters)
            labels.append(rawValue(filter));
        QCOMPARE(labels, QStringList({u"本周"_s, u"本月"_s, u"近30天"_s, u"全部"_s}));
    }

    void passes() {
        const TimeFilter week = TimeFilter::thisWeek, month = TimeFilter::thisMonth,
                         last30 = TimeFilter::last30Days;
        // 2025-07-06 is a Sunday; 30 days reach back to the same clock time, with no upper bound.
        const QDateTime saturdayNight = marketTime(2025, 7, 12, 23, 59, 59);
        const QDateTime julyLast = marketTime(2025, 7, 31, 10), none;
        const struct {
            TimeFilter filter;
            QDateTime now, start;
            bool kept;
        } cases[] = {
            {week, saturdayNight, marketTime(2025, 7, 6), true},
            {week, saturdayNight, marketTime(2025, 7, 13), false},
            {week, marketTime(2025, 7, 13), marketTime(2025, 7, 6), false},  // Sunday starts anew
            {week, utcTime(2025, 7, 12, 16), marketTime(2025, 7, 6), false}, // market Sunday
            {week, marketTime(2025, 1, 2, 12), marketTime(2024, 12, 29), true},
            {week, saturdayNight, none, false},
            {month, marketTime(2025, 7, 31, 23, 59), marketTime(2025, 7, 1), true},
            {month, marketTime(2025, 7, 15), marketTime(2024, 7, 15), false},
            {month, utcTime(2025, 7, 31, 16, 30), marketTime(2025, 7, 1), false}, // market August
            {last30, julyLast, marketTime(2025, 7, 1, 10), true},
            {last30, julyLast, marketTime(2025, 7, 1, 9, 59, 59), false},
            {last30, julyLast, marketTime(2025, 8, 20), true},
            {last30, julyLast, none, false},
            {TimeFilter::all, julyLast, none, true},
        };
        for (const auto &c : cases) {
            const auto start = c.start.isValid() ? std::optional(c.start) : std::nullopt;
            QVERIFY2(TimeFiltering::passes(start, c.filter, c.now, marketCalendar()) == c.kept,
                     qPrintable(rawValue(c.filter) + c.now.toString(Qt::ISODate) + u' ' +
                                c.start.toString(Qt::ISODate)));
        }
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
