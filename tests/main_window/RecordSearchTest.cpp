#include "MainWindowTestData.h"
#include "TestRegistry.h"

#include "ui/main_window/RecordSearch.h"
#include "ui/main_window/TimeFilter.h"
#include "ui/main_window/TimeFiltering.h"

#include <QTest>

using namespace mainwindowtest;
using namespace Qt::StringLiterals;

namespace {

// Wednesday 9 July 2025: the week runs from 6 July, 30 days reach back to 9 June.
const QList<IPORecord> &records() {
    static const QList<IPORecord> list{
        makeIPORecord(u"02513"_s, u"星河智能科技"_s, marketTime(2025, 7, 8)),
        makeIPORecord(u"02617"_s, u"瑞丰生物-B"_s, marketTime(2025, 7, 1)),
        makeIPORecord(u"01234"_s, u"顺安智慧物流"_s, marketTime(2025, 6, 15)),
        makeIPORecord(u"06666"_s, u"Alpha Robotics-W"_s),
    };
    return list;
}

QStringList codes(const QList<IPORecord> &listed) {
    QStringList result;
    for (const IPORecord &record : listed)
        result.append(record.ipo.code);
    return result;
}

} // namespace

class RecordSearchTest : public QObject {
    Q_OBJECT

private slots:
    // The search narrows what the time filter lets through, never widens it.
    void narrowsTheTimeFilter_data() {
        QTest::addColumn<QString>("query");
        QTest::addColumn<int>("filter");
        QTest::addColumn<QStringList>("expected");
        const int week = 0, month = 1, last30 = 2, all = 3;
        QTest::newRow("empty: the filter alone") << u""_s << week << QStringList{"02513"};
        QTest::newRow("only spaces") << u"  "_s << last30 << QStringList{"02513", "02617", "01234"};
        QTest::newRow("code start") << u"025"_s << all << QStringList{"02513"};
        QTest::newRow("code middle") << u"61"_s << month << QStringList{"02617"};
        QTest::newRow("code, pasted with spaces") << u" 01234 "_s << last30 << QStringList{"01234"};
        QTest::newRow("digit in codes") << u"2"_s << all << QStringList{"02513", "02617", "01234"};
        QTest::newRow("name fragment") << u"智慧"_s << all << QStringList{"01234"};
        QTest::newRow("name fragment outside the week") << u"智慧"_s << week << QStringList{};
        QTest::newRow("lower case finds -B") << u"-b"_s << month << QStringList{"02617"};
        QTest::newRow("mixed case") << u"aLPHA rob"_s << all << QStringList{"06666"};
        QTest::newRow("undated, only under all") << u"alpha"_s << last30 << QStringList{};
        QTest::newRow("no match") << u"xyz"_s << all << QStringList{};
    }
    void narrowsTheTimeFilter() {
        QFETCH(QString, query);
        QFETCH(int, filter);
        QFETCH(QStringList, expected);
        const QList<IPORecord> inFilter =
            TimeFiltering::filtered(records(), allTimeFilters[size_t(filter)],
                                    marketTime(2025, 7, 9, 10), marketCalendar());
        QCOMPARE(codes(RecordSearch::matching(inFilter, query)), expected);
    }

    // Typing in the table: the first code or name start from the row after the current one,
    // round to the top.
    void typedPrefixJumps() {
        const struct {
            QString prefix;
            int from, row;
        } cases[] = {{u"0"_s, 1, 1},  {u"0"_s, 3, 3},      {u"02"_s, 2, 0}, {u"顺安"_s, 0, 2},
                     {u"al"_s, 0, 3}, {u"robot"_s, 0, -1}, {u""_s, 0, -1},  {u"9"_s, 0, -1}};
        for (const auto &c : cases) {
            QVERIFY2(RecordSearch::firstWithPrefix(records(), c.prefix, c.from) == c.row,
                     qPrintable(c.prefix));
        }
    }
};

ORVEL_TEST_CLASS(RecordSearchTest);

#include "RecordSearchTest.moc"
