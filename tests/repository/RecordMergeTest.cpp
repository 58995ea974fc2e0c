#include "TestRegistry.h"

#include "repository/RecordMerge.h"

#include <QTest>
#include <QTimeZone>

namespace {

RemoteIPO remoteIPO(const QString &code = QStringLiteral("02590")) {
    RemoteIPO remote;
    remote.code = code;
    remote.name = QStringLiteral("示例科技");
    remote.subStart = QStringLiteral("2025-01-09");
    remote.subEnd = QStringLiteral("2025-01-14");
    remote.listDate = QStringLiteral("2025-01-17");
    remote.lotAmount = QStringLiteral("3,030");
    remote.priceRange = QStringLiteral("2.80-3.03");
    remote.prospectusUrl = QStringLiteral("https://example.com/p.pdf");
    remote.status = IPOStatus::open;
    remote.board = QStringLiteral("主板");
    return remote;
}

QDateTime marketMidnight(int y, int m, int d) {
    return QDateTime(QDate(y, m, d), QTime(0, 0), QTimeZone(8 * 3600));
}

} // namespace

class RecordMergeTest : public QObject {
    Q_OBJECT

private slots:
    // Service dates are market days (UTC+8 midnight); no stored entry means no figures.
    void makeRecordCopiesListingData() {
        const IPORecord record = makeRecord(remoteIPO(), {});
        QCOMPARE(record.ipo.code, QStringLiteral("02590"));
        QCOMPARE(record.ipo.status, IPOStatus::open);
        QCOMPARE(record.ipo.subStart, std::optional(marketMidnight(2025, 1, 9)));
        QCOMPARE(record.ipo.subEnd, std::optional(marketMidnight(2025, 1, 14)));
        QCOMPARE(record.ipo.listingDate, std::optional(marketMidnight(2025, 1, 17)));
        QCOMPARE(record.ipo.priceRange, QStringLiteral("2.80-3.03"));
        QCOMPARE(record.subQuantity, 0);
        QCOMPARE(record.subMethod, SubMethod::cash);
    }

    void makeRecordDates_data() {
        QTest::addColumn<std::optional<QString>>("subStart");
        QTest::addColumn<bool>("present");
        QTest::newRow("absent") << std::optional<QString>() << false;
        QTest::newRow("unparsable") << std::optional<QString>(QStringLiteral("soon")) << false;
        QTest::newRow("valid") << std::optional<QString>(QStringLiteral("2025-03-03")) << true;
    }
    void makeRecordDates() {
        QFETCH(std::optional<QString>, subStart);
        QFETCH(bool, present);
        RemoteIPO remote = remoteIPO();
        remote.subStart = subStart;
        remote.subEnd = subStart;
        remote.listDate = subStart;
        const IPORecord record = makeRecord(remote, {});
        QCOMPARE(record.ipo.subStart.has_value(), present);
        QCOMPARE(record.ipo.subEnd.has_value(), present);
        QCOMPARE(record.ipo.listingDate.has_value(), present);
    }

    void makeRecordProspectus_data() {
        QTest::addColumn<QString>("url");
        QTest::addColumn<std::optional<QString>>("expected");
        QTest::newRow("empty is absent") << QString() << std::optional<QString>();
        QTest::newRow("link kept")
            << QStringLiteral("https://x.example/a.pdf")
            << std::optional<QString>(QStringLiteral("https://x.example/a.pdf"));
    }
    void makeRecordProspectus() {
        QFETCH(QString, url);
        QFETCH(std::optional<QString>, expected);
        RemoteIPO remote = remoteIPO();
        remote.prospectusUrl = url;
        QCOMPARE(makeRecord(remote, {}).ipo.prospectusURL, expected);
    }

    void makeRecordUsesEntryOfSameCode_data() {
        QTest::addColumn<QString>("entryCode");
        QTest::addColumn<qint64>("storedMethod");
        QTest::addColumn<qint64>("subQuantity");
        QTest::addColumn<SubMethod>("method");
        QTest::newRow("margin") << "02590" << qint64(1) << qint64(2000) << SubMethod::margin;
        QTest::newRow("unknown 2 reads as cash")
            << "02590" << qint64(2) << qint64(2000) << SubMethod::cash;
        QTest::newRow("other code ignored") << "02591" << qint64(1) << qint64(0) << SubMethod::cash;
    }
    void makeRecordUsesEntryOfSameCode() {
        QFETCH(QString, entryCode);
        QFETCH(qint64, storedMethod);
        QFETCH(qint64, subQuantity);
        QFETCH(SubMethod, method);
        QHash<QString, UserIPOEntry> entries;
        entries.insert(entryCode, UserIPOEntry{entryCode, 2000, 500, storedMethod,
                                               QDateTime::currentDateTimeUtc()});
        const IPORecord record = makeRecord(remoteIPO(), entries);
        QCOMPARE(record.subQuantity, subQuantity);
        QCOMPARE(record.winQuantity, subQuantity == 0 ? 0 : 500);
        QCOMPARE(record.subMethod, method);
    }
};

ORVEL_TEST_CLASS(RecordMergeTest);

#include "RecordMergeTest.moc"
