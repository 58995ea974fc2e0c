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
    // Service dates are market days (UTC+8 midnight). An entry of another code is not used;
    // one of this code brings its figures, an unknown stored method reading as cash.
    void makeRecordCopiesListingDataAndFigures() {
        IPORecord expected;
        expected.ipo = {QStringLiteral("02590"),
                        QStringLiteral("示例科技"),
                        IPOStatus::open,
                        marketMidnight(2025, 1, 9),
                        marketMidnight(2025, 1, 14),
                        marketMidnight(2025, 1, 17),
                        QStringLiteral("3,030"),
                        QStringLiteral("2.80-3.03"),
                        QStringLiteral("https://example.com/p.pdf"),
                        QStringLiteral("主板")};
        const QDateTime now = QDateTime::currentDateTimeUtc();
        QHash<QString, UserIPOEntry> entries{{"02591", {"02591", 2000, 500, 1, now}}};
        QCOMPARE(makeRecord(remoteIPO(), entries), expected);
        entries.insert("02590", {"02590", 3000, 500, 2, now});
        expected.subQuantity = 3000;
        expected.winQuantity = 500;
        QCOMPARE(makeRecord(remoteIPO(), entries), expected);
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
        RemoteIPO remote = remoteIPO();
        remote.subStart = remote.subEnd = remote.listDate = date;
        remote.prospectusUrl = url;
        const IPORecord record = makeRecord(remote, {});
        const auto day = url.isEmpty() ? std::nullopt : std::optional(marketMidnight(2025, 3, 3));
        QCOMPARE(record.ipo.subStart, day);
        QCOMPARE(record.ipo.subEnd, day);
        QCOMPARE(record.ipo.listingDate, day);
        QCOMPARE(record.ipo.prospectusURL, url.isEmpty() ? std::nullopt : std::optional(url));
    }
};

ORVEL_TEST_CLASS(RecordMergeTest);

#include "RecordMergeTest.moc"
