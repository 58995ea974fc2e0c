#include "MainWindowTestData.h"
#include "TestRegistry.h"

#include "ui/main_window/DetailPanelFields.h"
#include "ui/main_window/FinancingText.h"
#include "ui/main_window/QuantityParsing.h"

#include <QTest>

#include <limits>

using namespace mainwindowtest;
using namespace Qt::StringLiterals;

using OptionalQuantity = std::optional<qint64>;
using OptionalText = std::optional<QString>;

class DetailPanelLogicTest : public QObject {
    Q_OBJECT

private slots:
    void quantity() {
        constexpr qint64 max = std::numeric_limits<qint64>::max();
        constexpr qint64 min = std::numeric_limits<qint64>::min();
        const QList<std::pair<QString, OptionalQuantity>> cases{
            {u"+100"_s, 100},
            {u"-5"_s, -5},
            {u"2,500"_s, std::nullopt},
            {u"+"_s, std::nullopt},
            {u"１２"_s, std::nullopt}, // full-width digits
            {u"9223372036854775807"_s, max},
            {u"9223372036854775808"_s, std::nullopt},
            {u"-9223372036854775808"_s, min},
            {u"-9223372036854775809"_s, std::nullopt}};
        for (const auto &[text, quantity] : cases) {
            QCOMPARE(QuantityParsing::quantity(text), quantity);
            QCOMPARE(QuantityParsing::quantityOrZero(text), quantity.value_or(0));
        }
        QCOMPARE(QuantityParsing::lotCount(u"2500"_s, 1000), OptionalQuantity(2));
        QCOMPARE(QuantityParsing::lotCount(u"0"_s, 1000), std::nullopt);
        QCOMPARE(QuantityParsing::lotCount(u"3000"_s, 0), OptionalQuantity(3000)); // no lot size
    }

    // Only the typed text counts, not the stored figures.
    void financingLine() {
        const auto line = [](const QString &priceRange, SubMethod method, const QString &typed) {
            IPORecord record = makeIPORecord(u"02513"_s, u"星河"_s, std::nullopt, 777);
            record.ipo.priceRange = priceRange;
            return FinancingText::line(record, method, typed);
        };
        // 3.03 × 10000 × 0.9 is just below 27270 in double precision.
        QCOMPARE(line(u"2.80-3.03"_s, SubMethod::margin, u"10000"_s),
                 OptionalText(u"融资 HK$27269  手续费 HK$28"_s));
        QCOMPARE(line(u"2.80-3.03"_s, SubMethod::cash, u"10000"_s), std::nullopt);
        QCOMPARE(line(u"2.80-3.03"_s, SubMethod::margin, u"0"_s), std::nullopt);
        QCOMPARE(line(u"1e308"_s, SubMethod::margin, u"100"_s),
                 OptionalText(u"融资 HK$—  手续费 HK$88"_s));
        QCOMPARE(FinancingText::wholeDollars(-2.5), u"-2"_s);
        QCOMPARE(FinancingText::wholeDollars(std::numeric_limits<double>::quiet_NaN()), u"—"_s);
        // From 2^63 on the amount no longer fits the integer type but keeps its digits.
        QCOMPARE(FinancingText::wholeDollars(9223372036854775808.0), u"9223372036854775808"_s);
    }

    // The fields' texts and method for stored figures, the record saved from them, and when
    // they load again.
    void fieldsLoadAndSave() {
        const auto loaded = [](qint64 sub, qint64 win) {
            const DetailPanelFields::Fields fields = DetailPanelFields::loaded(
                makeIPORecord(u"1"_s, u"n"_s, std::nullopt, sub, win, SubMethod::cash));
            return QStringList{fields.subQtyText, fields.winQtyText,
                               fields.subMethod == SubMethod::margin ? u"margin"_s : u"cash"_s};
        };
        QCOMPARE(loaded(0, 0), (QStringList{"", "", "margin"})); // no figures start on margin
        QCOMPARE(loaded(2000, 0), (QStringList{"2000", "", "cash"}));
        QCOMPARE(loaded(0, 1), (QStringList{"", "1", "cash"}));
        QCOMPARE(loaded(-5, 0), (QStringList{"", "", "cash"})); // shown empty, still a figure

        const IPORecord record = makeIPORecord(u"02513"_s, u"星河"_s, marketTime(2025, 7, 8), 9000,
                                               3000, SubMethod::cash);
        const IPORecord edited =
            DetailPanelFields::edited(record, {u"+100"_s, u"1 000"_s, SubMethod::margin});
        QCOMPARE(edited.subQuantity, 100);
        QCOMPARE(edited.winQuantity, 0); // no quantity stores 0
        QCOMPARE(edited.subMethod, SubMethod::margin);
        QCOMPARE(edited.ipo, record.ipo);
        // Only another IPO reloads the fields, not the same one republished after a save.
        QVERIFY(DetailPanelFields::needsReload(std::nullopt, edited));
        QVERIFY(DetailPanelFields::needsReload(u"02100"_s, edited));
        QVERIFY(!DetailPanelFields::needsReload(u"02513"_s, edited));
    }
};

ORVEL_TEST_CLASS(DetailPanelLogicTest);

#include "DetailPanelLogicTest.moc"
