#include "TestRegistry.h"

#include "model/IPOResult.h"
#include "model/MarketCalendar.h"
#include "model/MoneyText.h"
#include "model/SaleForm.h"
#include "model/YearFigures.h"

#include <QTest>

// The worked examples of the fee sheet and the edges they imply, to the cent.
namespace {

struct Case {
    SubMethod method = SubMethod::cash;
    qint64 applied = 0;
    QString range;
    qint64 allotted = 0;
    QString finalPrice; // empty: the top of the range
    qint64 sold = 0;
    QString sellPrice; // empty: not sold
    QDate sellDate;
    QDate subEnd = QDate(2026, 3, 2);
    QDate listing = QDate(2026, 3, 6);
    QString feeTotal; // empty: computed charges
};

Case make(SubMethod method, qint64 applied, const QString &range, qint64 allotted,
          const QString &finalPrice = {}, qint64 sold = 0, const QString &sellPrice = {},
          QDate sellDate = {}) {
    Case c;
    c.method = method;
    c.applied = applied;
    c.range = range;
    c.allotted = allotted;
    c.finalPrice = finalPrice;
    c.sold = sold;
    c.sellPrice = sellPrice;
    c.sellDate = sellDate;
    return c;
}

IPORecord record(const Case &c, const QString &code = {}) {
    IPORecord record;
    record.ipo.code = code;
    record.ipo.priceRange = c.range;
    record.ipo.subEnd = marketCalendar().startOfDay(c.subEnd);
    record.ipo.listingDate = marketCalendar().startOfDay(c.listing);
    record.subMethod = c.method;
    record.subQuantity = c.applied;
    record.winQuantity = c.allotted;
    if (!c.finalPrice.isEmpty())
        record.sale.finalPriceMills = MoneyText::parseMills(c.finalPrice);
    record.sale.soldQuantity = c.sold;
    if (!c.sellPrice.isEmpty())
        record.sale.sellPriceMills = MoneyText::parseMills(c.sellPrice);
    if (c.sellDate.isValid())
        record.sale.sellDate = c.sellDate;
    if (!c.feeTotal.isEmpty())
        record.sale.feeTotalCents = MoneyText::parseCents(c.feeTotal);
    record.updatedAt = QDateTime(QDate(2026, 1, 2), QTime(9, 0), Qt::UTC);
    return record;
}

const Case e1 = make(SubMethod::cash, 500, "8.00-10.00", 500, "", 500, "12.50", QDate(2026, 3, 5));
const Case e2 =
    make(SubMethod::margin, 20000, "9.00-10.00", 1000, "9.50", 1000, "9.00", QDate(2026, 3, 6));
const Case e3 = make(SubMethod::margin, 10000, "5.00", 0);
const Case e5 = make(SubMethod::cash, 2000, "6.10", 2000, "", 1000, "7.00", QDate(2026, 1, 9));
// HK$10,000 of proceeds: the SFC and trading fees land on half cents (0.27, 0.015, 0.565).
Case tenThousandSoldOn(QDate day, qint64 shares = 1000) {
    return make(SubMethod::cash, shares, "10.00", shares, "", shares, "10.00", day);
}
Case withFee(Case c, const QString &fee) {
    c.feeTotal = fee;
    return c;
}

} // namespace

using Permille = std::optional<qint64>;
Q_DECLARE_METATYPE(Case)
Q_DECLARE_METATYPE(Permille)

class IPOResultTest : public QObject {
    Q_OBJECT

private slots:
    void result_data() {
        QTest::addColumn<Case>("input");
        QTest::addColumn<qint64>("allotmentCharges");
        QTest::addColumn<qint64>("saleCharges");
        QTest::addColumn<qint64>("applicationCosts");
        QTest::addColumn<qint64>("fees");
        QTest::addColumn<qint64>("result");
        QTest::addColumn<Permille>("returnPermille");
        QTest::addColumn<qint64>("held");
        const Permille none;
        QTest::newRow("E1 cash, grey market")
            << e1 << 5043LL << 2579LL << 0LL << 7622LL << 117378LL << Permille(232) << 0LL;
        QTest::newRow("E2 margin, loss")
            << e2 << 9581LL << 2814LL << 15704LL << 28099LL << -78099LL << Permille(-81) << 0LL;
        QTest::newRow("E3 nothing allotted")
            << e3 << 0LL << 0LL << 4526LL << 4526LL << -4526LL << none << 0LL;
        QTest::newRow("E4 before both changes")
            << make(SubMethod::cash, 1000, "3.03", 1000, "", 1000, "3.50", QDate(2023, 6, 1))
            << 3055LL << 2530LL << 0LL << 5585LL << 41415LL << Permille(135) << 0LL;
        QTest::newRow("E5 half sold")
            << e5 << 12304LL << 2589LL << 0LL << 14893LL << 81259LL << Permille(132) << 1000LL;
        QTest::newRow("E6 own fee total") << withFee(e1, "60.00") << 5043LL << 2579LL << 0LL
                                          << 6000LL << 119000LL << Permille(238) << 0LL;
        // Stamp duty 0.13 % then 0.1 %; the settlement minimum until 29 Jun 2025, then 0.0042 %.
        QTest::newRow("stamp duty, last day of 0.13 %")
            << tenThousandSoldOn(QDate(2023, 11, 16)) << 10086LL << 3386LL << 0LL << 13472LL
            << -13472LL << Permille(-13) << 0LL;
        QTest::newRow("stamp duty, first day of 0.1 %")
            << tenThousandSoldOn(QDate(2023, 11, 17)) << 10086LL << 3086LL << 0LL << 13172LL
            << -13172LL << Permille(-13) << 0LL;
        QTest::newRow("settlement minimum, last day")
            << tenThousandSoldOn(QDate(2025, 6, 29)) << 10086LL << 3086LL << 0LL << 13172LL
            << -13172LL << Permille(-13) << 0LL;
        QTest::newRow("settlement without minimum")
            << tenThousandSoldOn(QDate(2025, 6, 30)) << 10086LL << 2928LL << 0LL << 13014LL
            << -13014LL << Permille(-13) << 0LL;
        // HK$10,000,000 sold: 0.002 % is HK$200, capped at HK$100; later 0.0042 % uncapped.
        QTest::newRow("settlement maximum")
            << tenThousandSoldOn(QDate(2024, 1, 2), 1'000'000) << 10085000LL << 1396500LL << 0LL
            << 11481500LL << -11481500LL << Permille(-11) << 0LL;
        QTest::newRow("settlement above the old maximum")
            << tenThousandSoldOn(QDate(2025, 7, 2), 1'000'000) << 10085000LL << 1428500LL << 0LL
            << 11513500LL << -11513500LL << Permille(-11) << 0LL;
        // The service's lot amount: 3,050.00 + 30.50 + 0.08 + 0.17 + 0.00.
        QTest::newRow("lot amount, everything held")
            << make(SubMethod::cash, 100, "30.50", 100) << 3075LL << 0LL << 0LL << 3075LL << 0LL
            << none << 100LL;
        QTest::newRow("more sold than allotted counts as all")
            << make(SubMethod::cash, 500, "10.00", 500, "", 900, "12.50", QDate(2026, 3, 5))
            << 5043LL << 2579LL << 0LL << 7622LL << 117378LL << Permille(232) << 0LL;
    }
    void result() {
        QFETCH(Case, input);
        const IPOResult result = IPOResult::of(record(input));
        QTEST(result.allotmentCharges.totalCents(), "allotmentCharges");
        QTEST(result.saleCharges.totalCents(), "saleCharges");
        QTEST(result.applicationCostsCents(), "applicationCosts");
        QTEST(result.feesCents, "fees");
        QTEST(result.resultCents, "result");
        QTEST(result.returnPermille, "returnPermille");
        QTEST(result.heldShares(), "held");
    }

    // The one rounding rule for charges: halves away from zero, on both sides of zero; stamp
    // duty always up.
    void rounding_data() {
        QTest::addColumn<qint64>("numerator");
        QTest::addColumn<qint64>("denominator");
        QTest::addColumn<qint64>("rounded");
        QTest::addColumn<qint64>("roundedUp");
        QTest::newRow("half") << 5LL << 10LL << 1LL << 1LL;
        QTest::newRow("negative half") << -15LL << 10LL << -2LL << -2LL;
        QTest::newRow("below half") << 4LL << 10LL << 0LL << 1LL;
        QTest::newRow("whole") << 20LL << 10LL << 2LL << 2LL;
    }
    void rounding() {
        QFETCH(qint64, numerator);
        QFETCH(qint64, denominator);
        QTEST(divideRounded(numerator, denominator), "rounded");
        QTEST(divideRoundedUp(numerator, denominator), "roundedUp");
    }

    void moneyText_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<qint64>("mills");
        QTest::addColumn<QString>("shown");
        QTest::newRow("two places") << "30.5" << 30500LL << "30.50";
        QTest::newRow("three places") << "0.205" << 205LL << "0.205";
        QTest::newRow("trailing zero beyond") << "3.0300" << 3030LL << "3.03";
        QTest::newRow("negative") << "-12.5" << -12500LL << "-12.50";
    }
    void moneyText() {
        QFETCH(QString, typed);
        QFETCH(qint64, mills);
        QCOMPARE(MoneyText::parseMills(typed), std::optional<qint64>(mills));
        QTEST(MoneyText::mills(mills), "shown");
        for (const char *refused : {"3.0305", "1,000", "abc", "", ".", "1e3", " 1"})
            QCOMPARE(MoneyText::parseMills(QString::fromLatin1(refused)), std::nullopt);
        QCOMPARE(MoneyText::cents(-78099), QStringLiteral("-780.99"));
        QCOMPARE(MoneyText::percentFromPermille(232), QStringLiteral("+23.2%"));
        QCOMPARE(MoneyText::percentFromPermille(-81), QStringLiteral("-8.1%"));
    }

    // What the detail panel's sale fields give for E1's IPO (500 allotted, subscriptions
    // closed 2 Mar 2026, listed Friday 6 Mar): the sale, or the fields that are wrong.
    void saleForm_data() {
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QString>("wrongFields");
        QTest::addColumn<qint64>("sold");
        QTest::newRow("price and day: all sold")
            << QStringList{"", "", "12.50", "2026-03-05", ""} << "" << 500LL;
        QTest::newRow("everything")
            << QStringList{"9.5", "250", "12.5", "2026-03-06", "60"} << "" << 250LL;
        QTest::newRow("nothing") << QStringList{"", "", "", "", ""} << "" << 0LL;
        QTest::newRow("letters, negative fee")
            << QStringList{"abc", "", "", "", "-1"} << "finalPrice feeTotal" << 0LL;
        QTest::newRow("more than allotted")
            << QStringList{"", "600", "12.50", "2026-03-05", ""} << "soldQuantity" << 0LL;
        QTest::newRow("before the last subscription day")
            << QStringList{"", "", "12.50", "2026-03-01", ""} << "sellDate" << 0LL;
        QTest::newRow("sold without price or day")
            << QStringList{"", "100", "", "", ""} << "sellPrice sellDate" << 0LL;
    }
    void saleForm() {
        QFETCH(QStringList, typed);
        QFETCH(QString, wrongFields);
        const IPORecord ipo = record(make(SubMethod::cash, 500, "10.00", 500));
        const SaleForm form{typed[0], typed[1], typed[2], typed[3], typed[4]};
        const auto read = form.read(ipo);
        QStringList wrong;
        const QStringList names{"finalPrice", "soldQuantity", "sellPrice", "sellDate", "feeTotal"};
        for (const SaleForm::Error &error : read ? QList<SaleForm::Error>() : read.error()) {
            QVERIFY(!error.message.isEmpty());
            wrong.append(names[int(error.field)]);
        }
        QCOMPARE(wrong.join(' '), wrongFields);
        if (read) {
            QTEST(read->soldQuantity, "sold");
            IPORecord saved = ipo;
            saved.sale = *read;
            QCOMPARE(SaleForm::loaded(saved).read(saved).value(), *read);
        }
    }

    void saleLines() {
        QCOMPARE(SaleForm::resultLine(IPOResult::of(record(e1))),
                 QStringLiteral("收益 HK$1173.78（+23.2%）· 费用 HK$76.22"));
        QCOMPARE(SaleForm::resultLine(IPOResult::of(record(e3))),
                 QStringLiteral("收益 HK$-45.26 · 费用 HK$45.26"));
        QCOMPARE(SaleForm::heldLine(IPOResult::of(record(e5))), QStringLiteral("持有 1000 股"));
        QCOMPARE(SaleForm::heldLine(IPOResult::of(record(e1))), QString());
        Case monday = e1;
        monday.listing = QDate(2026, 3, 9);
        QCOMPARE(SaleForm::greyMarketDay(record(monday)), QDate(2026, 3, 6));
        QCOMPARE(SaleForm::firstDay(record(monday)), QDate(2026, 3, 9));
    }

    // The day of an instant, worked out by arithmetic where the zone's offset no longer
    // changes, is the day the time-zone conversion gives: around midnight, before the epoch,
    // in China's summer time of 1986-91, and in zones that still change their clocks.
    void calendarDays() {
        const QList<QTimeZone> zones{marketTimeZone(), QTimeZone(8 * 3600), QTimeZone(-5 * 3600),
                                     QTimeZone("Europe/London"), QTimeZone("America/New_York")};
        const QList<QDateTime> instants{
            QDateTime(QDate(2026, 3, 5), QTime(15, 59, 59, 999), Qt::UTC),
            QDateTime(QDate(2026, 3, 5), QTime(16, 0), Qt::UTC),
            QDateTime(QDate(2026, 7, 1), QTime(23, 30), Qt::UTC),
            QDateTime(QDate(1969, 12, 31), QTime(20, 0), Qt::UTC),
            QDateTime(QDate(1990, 7, 1), QTime(15, 30), Qt::UTC),
            QDateTime(QDate(9000, 1, 1), QTime(0, 0), Qt::UTC)};
        for (const QTimeZone &zone : zones)
            for (const QDateTime &instant : instants)
                QCOMPARE(MarketCalendar(zone).dayOf(instant), instant.toTimeZone(zone).date());
    }

    // E1, E2, E3 and E5 in 2026, one entry placed in 2025 by its last change (market time),
    // one record
    // without an entry (ignored).
    void yearFigures() {
        QList<IPORecord> records{record(e1, "E1"), record(e2, "E2"), record(e3, "E3"),
                                 record(e5, "E5")};
        IPORecord undated = record(make(SubMethod::cash, 100, "1.00", 0), "OLD");
        undated.ipo.listingDate.reset();
        // 23:30 on 31 Dec in Hong Kong; an hour later would already be 2026 there.
        undated.updatedAt = QDateTime(QDate(2025, 12, 31), QTime(15, 30), Qt::UTC);
        records.append(undated);
        IPORecord noEntry = record(e1, "NONE");
        noEntry.updatedAt.reset();
        records.append(noEntry);

        QCOMPARE(YearFigures::years(records), (QList<int>{2026, 2025}));
        const YearFigures year = YearFigures::of(records, 2026);
        QCOMPARE(year.applications, 4);
        QCOMPARE(year.allotted, 3);
        QCOMPARE(year.hitRatePermille(), 750);
        QCOMPARE(year.closed, 2);
        QCOMPARE(year.winRatePermille(), 500);
        QCOMPARE(year.resultCents, 117378 - 78099 - 4526 + 81259);
        QCOMPARE(year.feesCents, 7622 + 28099 + 4526 + 14893);
        QCOMPARE(year.resultByMonthCents[0], 81259);
        QCOMPARE(year.resultByMonthCents[2], 117378 - 78099 - 4526);
        QStringList codes;
        for (const YearIPO &ipo : year.ipos)
            codes.append(year.recordOf(ipo).ipo.code);
        QCOMPARE(codes, (QStringList{"E5", "E1", "E2", "E3"}));
        QCOMPARE(year.recordOf(year.ipos[*year.best]).ipo.code, QStringLiteral("E1"));
        QCOMPARE(year.recordOf(year.ipos[*year.worst]).ipo.code, QStringLiteral("E2"));
        const YearFigures before = YearFigures::of(records, 2025);
        QCOMPARE(before.applications, 1);
        QCOMPARE(before.winRatePermille(), std::nullopt);
        QCOMPARE(before.best, std::nullopt);
    }
};

ORVEL_TEST_CLASS(IPOResultTest);
#include "IPOResultTest.moc"
