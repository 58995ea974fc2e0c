#include "TestRegistry.h"

#include "model/IPORecord.h"
#include "model/MarketCalendar.h"
#include "model/ServiceDateFormatter.h"

#include <QTest>

namespace {

IPORecord record(const QString &lotAmount, const QString &priceRange, qint64 quantity,
                 SubMethod method = SubMethod::cash) {
    IPORecord record;
    record.ipo.lotAmount = lotAmount;
    record.ipo.priceRange = priceRange;
    record.subQuantity = record.winQuantity = quantity;
    record.subMethod = method;
    return record;
}

} // namespace

class IPORecordTest : public QObject {
    Q_OBJECT

private slots:
    void serviceDates_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("expected");
        QTest::newRow("plain day") << "2025-01-09" << QDate(2025, 1, 9);
        QTest::newRow("leap day") << "2024-02-29" << QDate(2024, 2, 29);
        for (const char *bad : {"2025-1-9", "2025-01-09T00:00", "2025-13-01", "2025-02-29",
                                "2025/01/09", "", "２０２５-01-09", "2025-+1-09"})
            QTest::addRow("refused: %s", bad) << QString::fromUtf8(bad) << QDate();
    }
    void serviceDates() {
        QFETCH(QString, text);
        QFETCH(QDate, expected);
        const std::optional<QDateTime> parsed = serviceDateFormatter().date(text);
        QCOMPARE(parsed.has_value(), expected.isValid());
        if (parsed) {
            const QDateTime midnight(expected, QTime(0, 0), QTimeZone(8 * 3600));
            QCOMPARE(parsed->toMSecsSinceEpoch(), midnight.toMSecsSinceEpoch());
            QCOMPARE(serviceDateFormatter().string(*parsed), text);
        }
    }

    void maxOfferPrice() {
        const auto max = [](const char *range) {
            return record("1000", QString::fromUtf8(range), 0).ipo.maxOfferPrice();
        };
        QCOMPARE(max("5.60-6.10"), 6.10);
        QCOMPARE(max("6.10"), 6.10);
        QCOMPARE(max("5.60-\t6.10\t"), 6.10);
        QCOMPARE(max("5.60-"), 5.60);
        QCOMPARE(max(""), 0.0);
        QCOMPARE(max("待定"), 0.0);
    }

    void sharesAndLots_data() {
        QTest::addColumn<QString>("lotAmount");
        QTest::addColumn<QString>("priceRange");
        QTest::addColumn<qint64>("sharesPerLot");
        QTest::addColumn<qint64>("quantity");
        QTest::addColumn<qint64>("lots");
        const auto row = [](const char *name, const char *amount, const char *price, qint64 shares,
                            qint64 quantity, qint64 lots) {
            QTest::newRow(name) << QString::fromUtf8(amount) << QString::fromUtf8(price) << shares
                                << quantity << lots;
        };
        row("separator", "3,030", "2.80-3.03", 1000, 2500, 2);
        row("fractional amount", "3,030.25", "3.03", 1000, 1000, 1);
        row("rounds half up", "1050", "100", 11, 22, 2);
        row("rounds down", "1049", "100", 10, 9, 0);
        row("half a share", "50", "100", 1, 3, 3);
        row("under half a share", "49", "100", 0, 3, 0);
        row("negative amount", "-3030", "3.03", 0, 2500, 0);
        row("no price", "3030", "待定", 0, 2500, 0);
        row("tiny price", "1e300", "1e-300", 0, 2500, 0);
        row("negative quantity truncates", "3,030", "3.03", 1000, -1500, -1);
    }
    void sharesAndLots() {
        QFETCH(QString, lotAmount);
        QFETCH(QString, priceRange);
        QFETCH(qint64, sharesPerLot);
        QFETCH(qint64, quantity);
        QFETCH(qint64, lots);
        const IPORecord r = record(lotAmount, priceRange, quantity);
        QCOMPARE(r.ipo.sharesPerLot(), sharesPerLot);
        QCOMPARE(r.subscribedLots(), lots);
        QCOMPARE(r.winningLots(), lots);
    }

    void marginFigures() {
        const std::tuple<SubMethod, const char *, qint64, double, double> cases[] = {
            {SubMethod::cash, "100", 100000, 0, 0},
            {SubMethod::margin, "100", -5, 0, 0},
            {SubMethod::margin, "100", 1, 90, 0},
            {SubMethod::margin, "5.60-6.10", 20000, 109800, 88},
            {SubMethod::margin, "待定", 20000, 0, 0}};
        for (const auto &[method, price, quantity, loan, fee] : cases) {
            const IPORecord r = record("1000", QString::fromUtf8(price), quantity, method);
            QCOMPARE(r.marginLoanAmount(), loan);
            QCOMPARE(r.marginFee(), fee);
        }
        // Each band's upper edge belongs to it.
        const std::pair<double, double> bands[] = {{10000, 0},     {10000.01, 28}, {50000, 28},
                                                   {50000.01, 68}, {100000, 68},   {100000.01, 88}};
        for (const auto &[loan, fee] : bands)
            QCOMPARE(marginFeeForLoan(loan), fee);
    }

    // Back over weekends, the time of day carried along.
    void marketDays() {
        // 23:30 UTC on the 8th is already the 9th in Hong Kong, whatever the machine's zone.
        const QDateTime lateUtc(QDate(2025, 1, 8), QTime(23, 30), Qt::UTC);
        QCOMPARE(marketCalendar().dayOf(lateUtc), QDate(2025, 1, 9));
        QCOMPARE(serviceDateFormatter().string(lateUtc), QStringLiteral("2025-01-09"));

        const auto previous = [](QDate day) {
            return ::previousBusinessDay(QDateTime(day, QTime(16, 15), marketTimeZone()))
                .toTimeZone(marketTimeZone());
        };
        QCOMPARE(previous(QDate(2025, 1, 13)).date(), QDate(2025, 1, 10)); // Monday
        QCOMPARE(previous(QDate(2025, 1, 12)).date(), QDate(2025, 1, 10)); // Sunday
        QCOMPARE(previous(QDate(2025, 1, 11)).date(), QDate(2025, 1, 10)); // Saturday
        QCOMPARE(previous(QDate(2025, 1, 15)).date(), QDate(2025, 1, 14)); // Wednesday
        QCOMPARE(previous(QDate(2024, 1, 1)).date(), QDate(2023, 12, 29));
        QCOMPARE(previous(QDate(2025, 1, 15)).time(), QTime(16, 15));
    }
};

ORVEL_TEST_CLASS(IPORecordTest);

#include "IPORecordTest.moc"
