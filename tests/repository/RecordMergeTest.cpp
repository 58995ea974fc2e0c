#include "TestRegistry.h"

#include "repository/RecordMerge.h"

#include <QTest>
#include <QTimeZone>

namespace {

const RemoteIPO remote{"02590",         "示例科技", "2025-01-09", "2025-01-14",
                       "2025-01-17",    "3,030",    "2.80-3.03",  "https://example.com/p.pdf",
                       IPOStatus::open, "主板"};

QDateTime day(int m, int d) {
    return QDateTime(QDate(2025, m, d), QTime(0, 0), QTimeZone(8 * 3600));
}

} // namespace

class RecordMergeTest : public QObject {
    Q_OBJECT

private slots:
    // Service dates are market days (UTC+8 midnight). An entry of another code is not used;
    // one of this code brings its figures, an unknown stored method reading as cash.
    void makeRecordCopiesListingDataAndFigures() {
        IPORecord expected;
        expected.ipo = {"02590",   "示例科技",  IPOStatus::open,
                        day(1, 9), day(1, 14),  day(1, 17),
                        "3,030",   "2.80-3.03", "https://example.com/p.pdf",
                        "主板"};
        const QDateTime now = QDateTime::currentDateTimeUtc();
        QHash<QString, UserIPOEntry> entries{{"02591", {"02591", 2000, 500, 1, now, {}, {}}}};
        QCOMPARE(makeRecord(remote, entries), expected);
        const IPOSale sale{3000, 500, 3500, QDate(2025, 1, 17), std::nullopt};
        entries.insert("02590", {"02590", 3000, 500, 2, now, sale, {}});
        expected.subQuantity = 3000;
        expected.winQuantity = 500;
        expected.sale = sale;
        expected.updatedAt = now;
        QCOMPARE(makeRecord(remote, entries), expected);
        // A save stores the record with a copy of its IPO, from which the record comes back
        // once the IPO has left the list (all but its lot amount, link and board).
        const UserIPOEntry saved = entryFromRecord(expected);
        QCOMPARE(saved.ipo,
                 (IPOSnapshot{"示例科技", QDate(2025, 1, 17), QDate(2025, 1, 14), "2.80-3.03"}));
        IPORecord fromCopy = recordFromEntry(entries["02590"] = saved);
        fromCopy.ipo.subStart = expected.ipo.subStart;
        fromCopy.ipo.status = expected.ipo.status;
        fromCopy.ipo.lotAmount = expected.ipo.lotAmount;
        fromCopy.ipo.prospectusURL = expected.ipo.prospectusURL;
        fromCopy.ipo.board = expected.ipo.board;
        fromCopy.updatedAt = now;
        QCOMPARE(fromCopy, expected);
        // The ledger: entries in list order, then the ones the list lost, by code.
        QStringList codes;
        for (const IPORecord &record : makeLedgerRecords({remote, remote}, entries))
            codes.append(record.ipo.code);
        QCOMPARE(codes, (QStringList{"02590", "02591"}));
    }

    // A date that is absent or does not parse is absent; so is an empty prospectus link.
    void makeRecordOptionalFields_data() {
        QTest::addColumn<std::optional<QString>>("date");
        QTest::addColumn<QString>("url");
        QTest::newRow("absent") << std::optional<QString>() << QString();
        QTest::newRow("unparsable") << std::optional(QStringLiteral("soon")) << QString();
        QTest::newRow("valid") << std::optional(QStringLiteral("2025-03-03"))
                               << QStringLiteral("https://x.example/a.pdf");
    }
    void makeRecordOptionalFields() {
        QFETCH(std::optional<QString>, date);
        QFETCH(QString, url);
        RemoteIPO changed = remote;
        changed.subStart = changed.subEnd = changed.listDate = date;
        changed.prospectusUrl = url;
        const IPORecord record = makeRecord(changed, {});
        const auto expected = url.isEmpty() ? std::nullopt : std::optional(day(3, 3));
        QCOMPARE(record.ipo.subStart, expected);
        QCOMPARE(record.ipo.subEnd, expected);
        QCOMPARE(record.ipo.listingDate, expected);
        QCOMPARE(record.ipo.prospectusURL, url.isEmpty() ? std::nullopt : std::optional(url));
    }
};

ORVEL_TEST_CLASS(RecordMergeTest);

#include "RecordMergeTest.moc"
