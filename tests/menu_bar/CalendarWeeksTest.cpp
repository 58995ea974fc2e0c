#include "MenuBarTestData.h"
#include "TestRegistry.h"

#include "ui/menu_bar/CalendarWeeks.h"

#include <QTest>

using namespace menubartest;
using namespace Qt::StringLiterals;

namespace {

// A row as "3 4 5 6 7", an empty slot as ".".
QString rowText(const WeekRow &row) {
    QStringList cells;
    for (const std::optional<QDateTime> &slot : row)
        cells.append(slot ? QString::number(marketCalendar().dayOf(*slot).day()) : u"."_s);
    return cells.join(QLatin1Char(' '));
}

} // namespace

class CalendarWeeksTest : public QObject {
    Q_OBJECT

private slots:
    void recordsByDay() {
        IPORecord lateEvening = record({"L", "", ""});
        lateEvening.ipo.subStart = marketTime("2025-01-09", "23:30");
        IPORecord utcEvening = record({"U", "", ""});
        utcEvening.ipo.subStart = utc("2025-01-09T17:00:00Z");
        const RecordsByDay table = ::recordsByDay({record({"A", "", "2025-01-17"}), lateEvening,
                                                   utcEvening, record({"B", "2025-01-09", ""})});
        // No start day, no entry; keys are market midnights; a day keeps the given order.
        QCOMPARE(table.size(), 2);
        QCOMPARE(codesOf(table.value(marketDay("2025-01-09"))), (QStringList{"L", "B"}));
        QCOMPARE(codesOf(recordsOn(marketTime("2025-01-10", "12:00"), table)), QStringList{"U"});
    }

    void weekRows_data() {
        QTest::addColumn<QDateTime>("month");
        QTest::addColumn<QStringList>("rows");

        QTest::newRow("first day a Saturday")
            << marketTime("2025-03-18", "12:00")
            << QStringList{". . . . .",      "3 4 5 6 7",      "10 11 12 13 14",
                           "17 18 19 20 21", "24 25 26 27 28", "31 . . . ."};
        QTest::newRow("first day a Wednesday, last a Friday")
            << marketDay("2025-01-31")
            << QStringList{". . 1 2 3", "6 7 8 9 10", "13 14 15 16 17", "20 21 22 23 24",
                           "27 28 29 30 31"};
        QTest::newRow("four full weeks")
            << marketDay("2027-02-14")
            << QStringList{"1 2 3 4 5", "8 9 10 11 12", "15 16 17 18 19", "22 23 24 25 26"};
        // 17:00 UTC on 31 January is already 1 February in the market.
        QTest::newRow("month of the market day, not the UTC day")
            << utc("2025-01-31T17:00:00Z")
            << QStringList{". . . . .", "3 4 5 6 7", "10 11 12 13 14", "17 18 19 20 21",
                           "24 25 26 27 28"};
        QTest::newRow("invalid instant") << QDateTime() << QStringList();
    }
    void weekRows() {
        QFETCH(QDateTime, month);
        QFETCH(QStringList, rows);
        QStringList texts;
        for (const WeekRow &week : ::weekRows(month)) {
            texts.append(rowText(week));
            for (const std::optional<QDateTime> &slot : week)
                QVERIFY(!slot || *slot == marketCalendar().startOfDay(*slot));
        }
        QCOMPARE(texts, rows);
    }

    // Rows of March 2025: row 0 is Feb 24-28 (all empty), row 1 is Mar 3-7. Only the fullest
    // weekday of the month shown counts.
    void rowHeight() {
        const QList<WeekRow> weeks = ::weekRows(marketDay("2025-03-01"));
        const auto height = [&weeks](int row, const QStringList &days) {
            QList<IPORecord> list;
            for (const QString &day : days)
                list.append(record({QString::number(list.size()), day, ""}));
            return ::rowHeight(weeks.at(row), ::recordsByDay(list));
        };
        QCOMPARE(height(1, {"2025-03-05", "2025-03-05", "2025-03-06"}), 96);
        QCOMPARE(height(1, {"2025-03-05", "2025-03-05", "2025-03-05"}), 114);
        QCOMPARE(height(1, {"2025-03-08", "2025-03-08", "2025-03-08"}), 96); // a Saturday
        QCOMPARE(height(0, {"2025-02-26", "2025-02-26", "2025-02-26"}), 96); // another month
    }

    // The same clock time on the same day of the market's month, clamped to a short month.
    void addingMonths() {
        const QDateTime clamped = ::addingMonths(marketTime("2025-01-31", "10:30"), 1);
        QCOMPARE(clamped, marketTime("2025-02-28", "10:30"));
        QCOMPARE(::addingMonths(marketDay("2025-01-15"), -1), marketDay("2024-12-15"));
        // 16:30 UTC on 31 December is 00:30 on 1 January in the market.
        QCOMPARE(::addingMonths(utc("2024-12-31T16:30:00Z"), -1),
                 marketTime("2024-12-01", "00:30"));
        QVERIFY(!::addingMonths(QDateTime(), 1).isValid());
    }

    void isMarketTodayAndMonthTitle() {
        QVERIFY(::isMarketToday(marketDay("2025-01-15"), marketTime("2025-01-15", "23:59")));
        QVERIFY(!::isMarketToday(marketDay("2025-01-15"), marketTime("2025-01-16", "00:00")));
        QVERIFY(::isMarketToday(marketDay("2025-01-16"), utc("2025-01-15T16:00:00Z")));
        QVERIFY(!::isMarketToday(marketDay("2024-12-15"), marketTime("2025-01-15", "10:00")));
        const QLocale english(QLocale::English, QLocale::UnitedStates);
        const QDateTime may = marketDay("2025-05-14");
        QCOMPARE(::monthTitle(may, english), u"May 2025"_s);
        QCOMPARE(::monthTitle(may, QLocale(QLocale::Chinese, QLocale::China)), u"2025年5月"_s);
        QCOMPARE(::monthTitle(may, QLocale(QLocale::Japanese, QLocale::Japan)), u"2025年5月"_s);
        QCOMPARE(::monthTitle(may, QLocale(QLocale::Korean, QLocale::SouthKorea)), u"2025년 5월"_s);
        // The month of the market's day: 16:30 UTC on 30 April is 1 May.
        QCOMPARE(::monthTitle(utc("2025-04-30T16:30:00Z"), english), u"May 2025"_s);
    }
};

ORVEL_TEST_CLASS(CalendarWeeksTest);
#include "CalendarWeeksTest.moc"
