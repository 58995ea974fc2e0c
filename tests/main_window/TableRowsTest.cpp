#include "MainWindowTestData.h"
#include "TestRegistry.h"

#include "ui/main_window/RecordSorting.h"
#include "ui/main_window/RowBanding.h"
#include "ui/main_window/TableCellText.h"
#include "ui/main_window/TableSelection.h"
#include "ui/main_window/TimeFiltering.h"

#include <QTest>

using namespace mainwindowtest;
using namespace Qt::StringLiterals;

using OptionalDate = std::optional<QDateTime>;
using OptionalText = std::optional<QString>;

// The table's rows without drawing anything: their cell texts, their order, their day bands and
// the selection.
class TableRowsTest : public QObject {
    Q_OBJECT

private slots:
    void lotAmount_data() {
        QTest::addColumn<QString>("service");
        QTest::addColumn<QString>("shown");
        QTest::newRow("separator") << u"3,030"_s << u"3030"_s;
        QTest::newRow("cut, not rounded") << u"4,999.99"_s << u"4999"_s;
        QTest::newRow("toward zero") << u"-5.9"_s << u"-5"_s;
        QTest::newRow("no number") << u"待定"_s << u"待定"_s;
        QTest::newRow("nan") << u"nan"_s << u"nan"_s;
        QTest::newRow("2^63 and more")
            << u"9,300,000,000,000,000,000"_s << u"9,300,000,000,000,000,000"_s;
        QTest::newRow("just below 2^63") << u"9223372036854774784"_s << u"9223372036854774784"_s;
    }
    void lotAmount() {
        QFETCH(QString, service);
        QFETCH(QString, shown);
        QCOMPARE(TableCellText::lotAmount(service), shown);
    }

    void cellTexts() {
        QCOMPARE(TableCellText::statusLabel(IPOStatus::upcoming), u"待申购"_s);
        QCOMPARE(TableCellText::statusLabel(IPOStatus::open), u"申购中"_s);
        QCOMPARE(TableCellText::statusLabel(IPOStatus::listed), u"已上市"_s);
        // The market's day: 16:00 UTC is already the next one.
        QCOMPARE(TableCellText::subscriptionDate(utcTime(2025, 7, 8, 16)), u"2025-07-09"_s);
        QCOMPARE(TableCellText::subscriptionDate(utcTime(2025, 7, 8, 15, 59, 59)), u"2025-07-08"_s);
        QCOMPARE(TableCellText::subscriptionDate(std::nullopt), u"—"_s);
        QCOMPARE(TableCellText::subscriptionDate(QDateTime()), u"—"_s);
        QCOMPARE(TableCellText::quantityBadge(0), std::nullopt);
        QCOMPARE(TableCellText::quantityBadge(1), OptionalText(u"1"_s));
        QCOMPARE(TableCellText::quantityBadge(2000), OptionalText(u"2000"_s));
    }

    // Only web addresses become links: the text comes from the network.
    void prospectusLinks() {
        for (const QString &usable :
             {u"https://www.hkexnews.hk/a.pdf"_s, u"http://example.com/p"_s})
            QVERIFY2(TableCellText::prospectusLink(usable), qPrintable(usable));
        for (const QString &unusable :
             {QString(), u"/docs/a.pdf"_s, u"javascript:alert(1)"_s, u"ftp://example.com/a.pdf"_s,
              u"https:///a.pdf"_s, u"https://example.com/a b.pdf"_s})
            QVERIFY2(!TableCellText::prospectusLink(unusable), qPrintable(unusable));
        QVERIFY(!TableCellText::prospectusLink(std::nullopt));
    }

    // Each row: record A, record B, and which comes first ('A', 'B' or '=' for neither).
    void orderRule_data() {
        QTest::addColumn<IPORecord>("a");
        QTest::addColumn<IPORecord>("b");
        QTest::addColumn<char>("first");
        const OptionalDate day = marketTime(2025, 7, 1);
        const auto undated = [](const QString &name, const QString &code = u"x"_s) {
            return makeIPORecord(code, name);
        };
        QTest::newRow("newer start") << makeIPORecord(u"9"_s, u"Z"_s, marketTime(2025, 7, 8))
                                     << makeIPORecord(u"1"_s, u"A"_s, day) << 'A';
        QTest::newRow("dated first")
            << makeIPORecord(u"x"_s, u"Z"_s, day) << undated(u"A"_s) << 'A';
        QTest::newRow("same day by name")
            << makeIPORecord(u"1"_s, u"B"_s, day) << makeIPORecord(u"2"_s, u"A"_s, day) << 'B';
        QTest::newRow("prefix first") << undated(u"星河"_s) << undated(u"星河科技"_s) << 'A';
        // U+FF21 comes before U+20000, whose first UTF-16 unit is a smaller surrogate.
        QTest::newRow("code points")
            << undated(u"\uFF21"_s) << undated(QString::fromUcs4(U"\U00020000")) << 'A';
        QTest::newRow("same name by code")
            << undated(u"星河"_s, u"02513"_s) << undated(u"星河"_s, u"02100"_s) << 'B';
        QTest::newRow("normalised names")
            << undated(u"Caf\u00E9"_s, u"2"_s) << undated(u"Cafe\u0301"_s, u"1"_s) << 'B';
        QTest::newRow("equal") << undated(u"x"_s) << undated(u"x"_s) << '=';
    }
    void orderRule() {
        QFETCH(IPORecord, a);
        QFETCH(IPORecord, b);
        QFETCH(char, first);
        QCOMPARE(RecordSorting::isOrderedBefore(a, b), first == 'A');
        QCOMPARE(RecordSorting::isOrderedBefore(b, a), first == 'B');
    }

    void bands_data() {
        QTest::addColumn<QList<OptionalDate>>("starts");
        QTest::addColumn<QList<TableRowBand>>("expected");
        const TableRowBand light = TableRowBand::warmLight;
        const TableRowBand gray = TableRowBand::warmGray;
        const TableRowBand none = TableRowBand::missing;
        QTest::newRow("days alternate")
            << QList<OptionalDate>{marketTime(2025, 7, 10, 18), marketTime(2025, 7, 10),
                                   marketTime(2025, 5, 1), marketTime(2024, 1, 1)}
            << QList{light, light, gray, light};
        QTest::newRow("market days")
            << QList<OptionalDate>{utcTime(2025, 7, 9, 16, 30), utcTime(2025, 7, 9, 15, 59)}
            << QList{light, gray};
        QTest::newRow("undated keep the run")
            << QList<OptionalDate>{OptionalDate(), marketTime(2025, 7, 10), OptionalDate(),
                                   marketTime(2025, 7, 10), marketTime(2025, 7, 9)}
            << QList{none, light, none, light, gray};
    }
    void bands() {
        QFETCH(QList<OptionalDate>, starts);
        QFETCH(QList<TableRowBand>, expected);
        QList<IPORecord> listed;
        for (qsizetype i = 0; i < starts.size(); ++i)
            listed.append(makeIPORecord(QString::number(i), u"n"_s, starts[i]));
        const QHash<QString, TableRowBand> bands = RowBanding::bands(listed, marketCalendar());
        QCOMPARE(bands.size(), expected.size());
        for (qsizetype i = 0; i < expected.size(); ++i)
            QCOMPARE(RowBanding::bandOf(bands, QString::number(i)), expected[i]);
        QCOMPARE(RowBanding::bandOf(bands, u"unknown"_s), TableRowBand::missing);
    }

    // A selection filtered out of the list stays, for when it is listed again.
    void selection() {
        const OptionalText a = u"A"_s;
        QCOMPARE(TableSelection::toggled(std::nullopt, u"A"_s), a);
        QCOMPARE(TableSelection::toggled(a, u"A"_s), std::nullopt);
        QCOMPARE(TableSelection::toggled(a, u"B"_s), OptionalText(u"B"_s));
        QCOMPARE(TableSelection::afterClearing(a, u"A"_s), std::nullopt);
        QCOMPARE(TableSelection::afterClearing(a, u"B"_s), a);
        const QList<IPORecord> listed{makeIPORecord(u"B"_s, u"乙"_s),
                                      makeIPORecord(u"A"_s, u"甲"_s)};
        QCOMPARE(TableSelection::selectedRecord(listed, a)->ipo.name, u"甲"_s);
        QVERIFY(!TableSelection::selectedRecord(listed.mid(0, 1), a));
        QVERIFY(!TableSelection::selectedRecord(listed, std::nullopt));
    }
};

ORVEL_TEST_CLASS(TableRowsTest);

#include "TableRowsTest.moc"
