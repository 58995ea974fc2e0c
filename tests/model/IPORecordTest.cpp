#include "TestRegistry.h"

#include "model/IPORecord.h"
#include "model/MarketCalendar.h"
#include "model/ServiceDateFormatter.h"

#include <QTest>

#include <limits>

namespace {

IPOData ipoData(const QString &lotAmount, const QString &priceRange) {
    IPOData data;
    data.code = QStringLiteral("00001");
    data.lotAmount = lotAmount;
    data.priceRange = priceRange;
    return data;
}

QDateTime marketMidnight(int y, int m, int d) {
    return QDateTime(QDate(y, m, d), QTime(0, 0), QTimeZone(8 * 3600));
}

} // namespace

class IPORecordTest : public QObject {
    Q_OBJECT

private slots:
    void serviceDates_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDateTime>("expected");
        QTest::newRow("plain day") << "2025-01-09" << marketMidnight(2025, 1, 9);
        QTest::newRow("leap day") << "2024-02-29" << marketMidnight(2024, 2, 29);
        QTest::newRow("no padding") << "2025-1-9" << QDateTime();
        QTest::newRow("time part") << "2025-01-09T00:00" << QDateTime();
        QTest::newRow("month 13") << "2025-13-01" << QDateTime();
        QTest::newRow("not a leap year") << "2025-02-29" << QDateTime();
        QTest::newRow("slashes") << "2025/01/09" << QDateTime();
        QTest::newRow("empty") << "" << QDateTime();
        QTest::newRow("full-width digits") << "２０２５-01-09" << QDateTime();
        QTest::newRow("sign in field") << "2025-+1-09" << QDateTime();
    }
    void serviceDates() {
        QFETCH(QString, text);
        QFETCH(QDateTime, expected);
        const std::optional<QDateTime> parsed = serviceDateFormatter().date(text);
        QCOMPARE(parsed.has_value(), expected.isValid());
        if (parsed) {
            QCOMPARE(parsed->toMSecsSinceEpoch(), expected.toMSecsSinceEpoch());
            QCOMPARE(serviceDateFormatter().string(*parsed), text);
        }
    }

    void dayOfFollowsMarketZone() {
        // 23:30 UTC on the 8th is already the 9th in Hong Kong; the machine's zone is irrelevant.
        const QDateTime lateUtc(QDate(2025, 1, 8), QTime(23, 30), Qt::UTC);
        QCOMPARE(marketCalendar().dayOf(lateUtc), QDate(2025, 1, 9));
        QCOMPARE(serviceDateFormatter().string(lateUtc), QStringLiteral("2025-01-09"));
    }

    void maxOfferPrice_data() {
        QTest::addColumn<QString>("priceRange");
        QTest::addColumn<double>("expected");
        QTest::newRow("range") << "5.60-6.10" << 6.10;
        QTest::newRow("single") << "6.10" << 6.10;
        QTest::newRow("spaced range") << "5.60 - 6.10" << 6.10;
        QTest::newRow("tab padded") << "5.60-\t6.10\t" << 6.10;
        QTest::newRow("trailing hyphen") << "5.60-" << 5.60;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("words") << "待定" << 0.0;
    }
    void maxOfferPrice() {
        QFETCH(QString, priceRange);
        QFETCH(double, expected);
        QCOMPARE(ipoData(QStringLiteral("1000"), priceRange).maxOfferPrice(), expected);
    }

    void sharesAndLots_data() {
        QTest::addColumn<QString>("lotAmount");
        QTest::addColumn<QString>("priceRange");
        QTest::addColumn<qint64>("sharesPerLot");
        QTest::addColumn<qint64>("quantity");
        QTest::addColumn<qint64>("lots");
        QTest::newRow("separator") << "3,030"
                                   << "2.80-3.03" << qint64(1000) << qint64(2500) << qint64(2);
        QTest::newRow("fractional amount") << "3,030.25"
                                           << "3.03" << qint64(1000) << qint64(1000) << qint64(1);
        QTest::newRow("rounds half up") << "1050"
                                        << "100" << qint64(11) << qint64(22) << qint64(2);
        QTest::newRow("rounds down") << "1049"
                                     << "100" << qint64(10) << qint64(9) << qint64(0);
        QTest::newRow("half a share") << "50"
                                      << "100" << qint64(1) << qint64(3) << qint64(3);
        QTest::newRow("under half a share") << "49"
                                            << "100" << qint64(0) << qint64(3) << qint64(0);
        QTest::newRow("negative amount") << "-3030"
                                         << "3.03" << qint64(0) << qint64(2500) << qint64(0);
        QTest::newRow("no price") << "3030"
                                  << "待定" << qint64(0) << qint64(2500) << qint64(0);
        QTest::newRow("tiny price") << "1e300"
                                    << "1e-300" << qint64(0) << qint64(2500) << qint64(0);
        QTest::newRow("negative quantity truncates")
            << "3,030"
            << "3.03" << qint64(1000) << qint64(-1500) << qint64(-1);
    }
    void sharesAndLots() {
        QFETCH(QString, lotAmount);
        QFETCH(QString, priceRange);
        QFETCH(qint64, sharesPerLot);
        QFETCH(qint64, quantity);
        QFETCH(qint64, lots);
        IPORecord record;
        record.ipo = ipoData(lotAmount, priceRange);
        record.subQuantity = quantity;
        record.winQuantity = quantity;
        QCOMPARE(record.ipo.sharesPerLot(), sharesPerLot);
        QCOMPARE(record.subscribedLots(), lots);
        QCOMPARE(record.winningLots(), lots);
    }

    void marginFigures_data() {
        QTest::addColumn<SubMethod>("method");
        QTest::addColumn<QString>("price");
        QTest::addColumn<qint64>("quantity");
        QTest::addColumn<double>("loan");
        QTest::addColumn<double>("fee");
        QTest::newRow("cash never borrows")
            << SubMethod::cash << "100" << qint64(100000) << 0.0 << 0.0;
        QTest::newRow("margin negative quantity")
            << SubMethod::margin << "100" << qint64(-5) << 0.0 << 0.0;
        QTest::newRow("above 100000")
            << SubMethod::margin << "5.60-6.10" << qint64(20000) << 109800.0 << 88.0;
        QTest::newRow("unreadable price")
            << SubMethod::margin << "待定" << qint64(20000) << 0.0 << 0.0;
    }
    void marginFigures() {
        QFETCH(SubMethod, method);
        QFETCH(QString, price);
        QFETCH(qint64, quantity);
        QFETCH(double, loan);
        QFETCH(double, fee);
        IPORecord record;
        record.ipo = ipoData(QStringLiteral("1000"), price);
        record.subMethod = method;
        record.subQuantity = quantity;
        QCOMPARE(record.marginLoanAmount(), loan);
        QCOMPARE(record.marginFee(), fee);
    }

    void marginFeeBands_data() {
        QTest::addColumn<double>("loan");
        QTest::addColumn<double>("fee");
        QTest::newRow("10000 belongs below") << 10000.0 << 0.0;
        QTest::newRow("10000.01") << 10000.01 << 28.0;
        QTest::newRow("50000 belongs below") << 50000.0 << 28.0;
        QTest::newRow("50000.01") << 50000.01 << 68.0;
        QTest::newRow("100000 belongs below") << 100000.0 << 68.0;
        QTest::newRow("100000.01") << 100000.01 << 88.0;
    }
    void marginFeeBands() {
        QFETCH(double, loan);
        QFETCH(double, fee);
        QCOMPARE(marginFeeForLoan(loan), fee);
    }

    void previousBusinessDay_data() {
        QTest::addColumn<QDate>("day");
        QTest::addColumn<QDate>("expected");
        QTest::newRow("Monday -> Friday") << QDate(2025, 1, 13) << QDate(2025, 1, 10);
        QTest::newRow("Sunday -> Friday") << QDate(2025, 1, 12) << QDate(2025, 1, 10);
        QTest::newRow("Saturday -> Friday") << QDate(2025, 1, 11) << QDate(2025, 1, 10);
        QTest::newRow("Wednesday -> Tuesday") << QDate(2025, 1, 15) << QDate(2025, 1, 14);
        QTest::newRow("across a year") << QDate(2024, 1, 1) << QDate(2023, 12, 29);
    }
    void previousBusinessDay() {
        QFETCH(QDate, day);
        QFETCH(QDate, expected);
        // The time of day is carried along unchanged.
        const QDateTime afternoon(day, QTime(16, 15), marketTimeZone());
        const QDateTime result = ::previousBusinessDay(afternoon);
        QCOMPARE(marketCalendar().dayOf(result), expected);
        QCOMPARE(result.toTimeZone(marketTimeZone()).time(), QTime(16, 15));
    }
};

ORVEL_TEST_CLASS(IPORecordTest);

#include "IPORecordTest.moc"
