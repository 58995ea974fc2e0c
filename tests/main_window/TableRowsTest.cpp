#include "MainWindowTestData.h"
#include "TestRegistry.h"

#include "ui/main_window/MainTableModel.h"
#include "ui/main_window/RecordSorting.h"
#include "ui/main_window/RowBanding.h"
#include "ui/main_window/TableCellText.h"
#include "ui/main_window/TableSelection.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

using namespace mainwindowtest;
using namespace Qt::StringLiterals;

using OptionalDate = std::optional<QDateTime>;
using OptionalText = std::optional<QString>;

class TableRowsTest : public QObject {
    Q_OBJECT

private slots:
    void cellTexts() {
        const QList<std::pair<QString, QString>> lots{
            {u"3,030"_s, u"3030"_s},
            {u"4,999.99"_s, u"4999"_s},
            {u"-5.9"_s, u"-5"_s},
            {u"待定"_s, u"待定"_s},
            {u"nan"_s, u"nan"_s},
            // From 2^63 on the service's text is kept as it is.
            {u"9,300,000,000,000,000,000"_s, u"9,300,000,000,000,000,000"_s},
            {u"9223372036854774784"_s, u"9223372036854774784"_s}};
        for (const auto &[service, shown] : lots)
            QCOMPARE(TableCellText::lotAmount(service), shown);
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

    // Each case: records A and B, and which of "A before B" and "B before A" hold.
    void orderRule() {
        const OptionalDate day = marketTime(2025, 7, 1);
        const auto undated = [](const QString &name, const QString &code = u"x"_s) {
            return makeIPORecord(code, name);
        };
        const QList<std::tuple<IPORecord, IPORecord, QString>> cases{
            {makeIPORecord(u"9"_s, u"Z"_s, marketTime(2025, 7, 8)),
             makeIPORecord(u"1"_s, u"A"_s, day), u"A-"_s},
            {makeIPORecord(u"x"_s, u"Z"_s, day), undated(u"A"_s), u"A-"_s}, // dated first
            {makeIPORecord(u"1"_s, u"B"_s, day), makeIPORecord(u"2"_s, u"A"_s, day), u"-B"_s},
            {undated(u"星河"_s), undated(u"星河科技"_s), u"A-"_s},
            // U+FF21 comes before U+20000, whose first UTF-16 unit is a smaller surrogate.
            {undated(u"\uFF21"_s), undated(QString::fromUcs4(U"\U00020000")), u"A-"_s},
            {undated(u"星河"_s, u"02513"_s), undated(u"星河"_s, u"02100"_s), u"-B"_s}, // by code
            {undated(u"Caf\u00E9"_s, u"2"_s), undated(u"Cafe\u0301"_s, u"1"_s), u"-B"_s},
            {undated(u"x"_s), undated(u"x"_s), u"--"_s}};
        for (const auto &[a, b, holds] : cases)
            QCOMPARE(QString(RecordSorting::isOrderedBefore(a, b) ? u'A' : u'-') +
                         (RecordSorting::isOrderedBefore(b, a) ? u'B' : u'-'),
                     holds);
    }

    void bands() {
        const TableRowBand light = TableRowBand::warmLight, gray = TableRowBand::warmGray,
                           none = TableRowBand::missing;
        const auto bandsOf = [](const QList<OptionalDate> &starts) {
            QList<IPORecord> listed;
            for (qsizetype i = 0; i < starts.size(); ++i)
                listed.append(makeIPORecord(QString::number(i), u"n"_s, starts[i]));
            const QHash<QString, TableRowBand> bands = RowBanding::bands(listed, marketCalendar());
            QList<TableRowBand> result;
            for (qsizetype i = 0; i <= starts.size(); ++i) // one past: an unknown code
                result.append(RowBanding::bandOf(bands, QString::number(i)));
            return std::pair(bands.size(), result);
        };
        QCOMPARE(bandsOf({marketTime(2025, 7, 10, 18), marketTime(2025, 7, 10),
                          marketTime(2025, 5, 1), marketTime(2024, 1, 1)}),
                 std::pair(qsizetype(4), QList{light, light, gray, light, none}));
        // Market days; undated rows keep the run.
        QCOMPARE(bandsOf({utcTime(2025, 7, 9, 16, 30), utcTime(2025, 7, 9, 15, 59)}),
                 std::pair(qsizetype(2), QList{light, gray, none}));
        QCOMPARE(bandsOf({OptionalDate(), marketTime(2025, 7, 10), OptionalDate(),
                          marketTime(2025, 7, 10), marketTime(2025, 7, 9)}),
                 std::pair(qsizetype(5), QList{none, light, none, light, gray, none}));
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

    // The same rows again update in place (the user's place in the list stays); other rows
    // start over. Selecting announces both rows.
    void listModel() {
        MainTableModel model;
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QList<IPORecord> records{makeIPORecord(u"A"_s, u"<b>甲"_s, marketTime(2025, 7, 9)),
                                 makeIPORecord(u"B"_s, u"乙"_s, marketTime(2025, 7, 8)),
                                 makeIPORecord(u"C"_s, u"丙"_s, marketTime(2025, 7, 8))};
        const auto list = [&] {
            model.setListed(records, RowBanding::bands(records, marketCalendar()));
        };
        list();
        QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
        QSignalSpy changes(&model, &QAbstractItemModel::dataChanged);
        records[2].subQuantity = 2000;
        list();
        QCOMPARE(resets.count(), 0);
        QCOMPARE(changes.count(), 1);
        QCOMPARE(changes[0][0].value<QModelIndex>().row(), 2);
        QCOMPARE(model.recordAt(2)->subQuantity, qint64(2000));
        // Tooltips guess rich text from their content: the service's name is escaped.
        QCOMPARE(model.data(model.index(0), Qt::ToolTipRole).toString(), u"<qt>&lt;b&gt;甲</qt>"_s);

        model.setSelectedCode(u"B"_s);
        QCOMPARE(changes.count(), 2);
        model.setSelectedCode(u"C"_s);
        QCOMPARE(changes.count(), 4);
        QVERIFY(!model.isSelectedRow(1));
        QVERIFY(model.data(model.index(2), MainTableModel::SelectedRole).toBool());
        model.setSelectedCode(u"Z"_s);
        QCOMPARE(model.rowOf(u"Z"_s), -1);
        QVERIFY(!model.isSelectedRow(2));

        records.removeFirst();
        list();
        QCOMPARE(resets.count(), 1);
        QCOMPARE(model.bandAt(0), TableRowBand::warmLight);
        QVERIFY(!model.recordAt(2));
        QCOMPARE(model.bandAt(2), TableRowBand::missing);
    }
};

ORVEL_TEST_CLASS(TableRowsTest);

#include "TableRowsTest.moc"
