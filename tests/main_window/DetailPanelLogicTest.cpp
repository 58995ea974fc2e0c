#include "MainWindowTestData.h"
#include "TestRegistry.h"

#include "ui/main_window/DetailPanelFields.h"
#include "ui/main_window/FinancingText.h"
#include "ui/main_window/QuantityParsing.h"

#include <QTest>

#include <limits>

using namespace mainwindowtest;

using OptionalQuantity = std::optional<qint64>;
using OptionalText = std::optional<QString>;

// The detail panel's figures: reading typed quantities, lot counts, the financing line and
// what the fields load and save.
class DetailPanelLogicTest : public QObject {
    Q_OBJECT

private slots:
    void quantity_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<OptionalQuantity>("quantity");
        constexpr qint64 max = std::numeric_limits<qint64>::max();
        constexpr qint64 min = std::numeric_limits<qint64>::min();
        QTest::newRow("plus sign") << QStringLiteral("+100") << OptionalQuantity(100);
        QTest::newRow("minus sign") << QStringLiteral("-5") << OptionalQuantity(-5);
        QTest::newRow("zero") << QStringLiteral("0") << OptionalQuantity(0);
        QTest::newRow("leading zeros") << QStringLiteral("007") << OptionalQuantity(7);
        QTest::newRow("many leading zeros")
            << QString(QStringLiteral("0").repeated(80) + QStringLiteral("1"))
            << OptionalQuantity(1);
        QTest::newRow("space inside") << QStringLiteral("1 000") << OptionalQuantity();
        QTest::newRow("grouping comma") << QStringLiteral("2,500") << OptionalQuantity();
        QTest::newRow("decimal point") << QStringLiteral("100.0") << OptionalQuantity();
        QTest::newRow("leading space") << QStringLiteral(" 5") << OptionalQuantity();
        QTest::newRow("trailing space") << QStringLiteral("5 ") << OptionalQuantity();
        QTest::newRow("empty") << QString() << OptionalQuantity();
        QTest::newRow("sign alone") << QStringLiteral("+") << OptionalQuantity();
        QTest::newRow("two signs") << QStringLiteral("+-5") << OptionalQuantity();
        QTest::newRow("doubled plus") << QStringLiteral("++5") << OptionalQuantity();
        QTest::newRow("full-width digits") << QStringLiteral("１２") << OptionalQuantity();
        QTest::newRow("Arabic-Indic digit") << QStringLiteral("\u0663") << OptionalQuantity();
        QTest::newRow("hexadecimal") << QStringLiteral("0x10") << OptionalQuantity();
        QTest::newRow("largest") << QStringLiteral("9223372036854775807") << OptionalQuantity(max);
        QTest::newRow("one past the largest")
            << QStringLiteral("9223372036854775808") << OptionalQuantity();
        QTest::newRow("smallest") << QStringLiteral("-9223372036854775808")
                                  << OptionalQuantity(min);
        QTest::newRow("one past the smallest")
            << QStringLiteral("-9223372036854775809") << OptionalQuantity();
        QTest::newRow("far too long")
            << QStringLiteral("99999999999999999999999") << OptionalQuantity();
    }
    void quantity() {
        QFETCH(QString, text);
        QFETCH(OptionalQuantity, quantity);
        QCOMPARE(QuantityParsing::quantity(text), quantity);
        QCOMPARE(QuantityParsing::quantityOrZero(text), quantity.value_or(0));
    }

    void lotCount_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("perLot");
        QTest::addColumn<OptionalQuantity>("lots");
        QTest::newRow("two and a half lots")
            << QStringLiteral("2500") << qint64(1000) << OptionalQuantity(2);
        QTest::newRow("under one lot")
            << QStringLiteral("999") << qint64(1000) << OptionalQuantity(0);
        QTest::newRow("zero shows nothing")
            << QStringLiteral("0") << qint64(1000) << OptionalQuantity();
        QTest::newRow("negative shows nothing")
            << QStringLiteral("-5") << qint64(1000) << OptionalQuantity();
        QTest::newRow("empty shows nothing") << QString() << qint64(1000) << OptionalQuantity();
        QTest::newRow("comma shows nothing")
            << QStringLiteral("2,500") << qint64(1000) << OptionalQuantity();
        QTest::newRow("unknown lot size counts shares")
            << QStringLiteral("3000") << qint64(0) << OptionalQuantity(3000);
        QTest::newRow("negative lot size counts shares")
            << QStringLiteral("3000") << qint64(-4) << OptionalQuantity(3000);
        QTest::newRow("plus sign")
            << QStringLiteral("+4000") << qint64(400) << OptionalQuantity(10);
    }
    void lotCount() {
        QFETCH(QString, text);
        QFETCH(qint64, perLot);
        QFETCH(OptionalQuantity, lots);
        QCOMPARE(QuantityParsing::lotCount(text, perLot), lots);
    }

    void financingLine_data() {
        QTest::addColumn<QString>("priceRange");
        QTest::addColumn<int>("method");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<OptionalText>("line");
        const int margin = int(SubMethod::margin);
        const int cash = int(SubMethod::cash);
        // 3.03 × 10000 × 0.9 is just below 27270 in double precision.
        QTest::newRow("margin, 10000 shares at 3.03")
            << QStringLiteral("2.80-3.03") << margin << QStringLiteral("10000")
            << OptionalText(QStringLiteral("融资 HK$27269  手续费 HK$28"));
        QTest::newRow("cash hides the line")
            << QStringLiteral("2.80-3.03") << cash << QStringLiteral("10000") << OptionalText();
        QTest::newRow("zero hides the line")
            << QStringLiteral("2.80-3.03") << margin << QStringLiteral("0") << OptionalText();
        QTest::newRow("text that is no quantity")
            << QStringLiteral("2.80-3.03") << margin << QStringLiteral("1 000") << OptionalText();
        QTest::newRow("small loan, no fee")
            << QStringLiteral("2.80-3.03") << margin << QStringLiteral("1000")
            << OptionalText(QStringLiteral("融资 HK$2727  手续费 HK$0"));
        QTest::newRow("middle band") << QStringLiteral("5.00") << margin << QStringLiteral("+12500")
                                     << OptionalText(QStringLiteral("融资 HK$56250  手续费 HK$68"));
        QTest::newRow("largest band")
            << QStringLiteral("10.00-12.00") << margin << QStringLiteral("20000")
            << OptionalText(QStringLiteral("融资 HK$216000  手续费 HK$88"));
        QTest::newRow("no price, no loan")
            << QStringLiteral("待定") << margin << QStringLiteral("20000")
            << OptionalText(QStringLiteral("融资 HK$0  手续费 HK$0"));
        QTest::newRow("a loan too large to represent does not stop anything")
            << QStringLiteral("1e308") << margin << QStringLiteral("100")
            << OptionalText(QStringLiteral("融资 HK$—  手续费 HK$88"));
    }
    void financingLine() {
        QFETCH(QString, priceRange);
        QFETCH(int, method);
        QFETCH(QString, typed);
        QFETCH(OptionalText, line);
        IPORecord record = makeIPORecord(QStringLiteral("02513"), QStringLiteral("星河"));
        record.ipo.priceRange = priceRange;
        // The stored figures play no part: only the typed text counts.
        record.subQuantity = 777;
        record.subMethod = SubMethod::cash;
        QCOMPARE(FinancingText::line(record, SubMethod(method), typed), line);
    }

    void amountsBeyondTheIntegerRangeKeepTheirDigits() {
        IPORecord record = makeIPORecord(QStringLiteral("1"), QStringLiteral("n"));
        record.ipo.priceRange = QStringLiteral("1e10");
        const std::optional<QString> line =
            FinancingText::line(record, SubMethod::margin, QStringLiteral("10000000000"));
        QVERIFY(line);
        const QString amount = line->section(QStringLiteral("HK$"), 1, 1).section(u' ', 0, 0);
        QCOMPARE(amount.size(), 20); // about 9 × 10^19
        QVERIFY(amount.startsWith(u'9') || amount.startsWith(u'8'));
        for (QChar c : amount)
            QVERIFY(c.isDigit());
        QCOMPARE(FinancingText::wholeDollars(-2.5), QStringLiteral("-2"));
        QCOMPARE(FinancingText::wholeDollars(std::numeric_limits<double>::quiet_NaN()),
                 QStringLiteral("—"));
    }

    void loadedFields_data() {
        QTest::addColumn<qint64>("sub");
        QTest::addColumn<qint64>("win");
        QTest::addColumn<int>("storedMethod");
        QTest::addColumn<QString>("subText");
        QTest::addColumn<QString>("winText");
        QTest::addColumn<int>("method");
        const int cash = int(SubMethod::cash);
        const int margin = int(SubMethod::margin);
        QTest::newRow("no figures start on margin")
            << qint64(0) << qint64(0) << cash << QString() << QString() << margin;
        QTest::newRow("cash subscription")
            << qint64(2000) << qint64(0) << cash << QStringLiteral("2000") << QString() << cash;
        QTest::newRow("margin with allotment")
            << qint64(4000) << qint64(1000) << margin << QStringLiteral("4000")
            << QStringLiteral("1000") << margin;
        QTest::newRow("only an allotment keeps the method")
            << qint64(0) << qint64(500) << cash << QString() << QStringLiteral("500") << cash;
        QTest::newRow("a negative quantity shows empty but is a figure")
            << qint64(-5) << qint64(0) << cash << QString() << QString() << cash;
    }
    void loadedFields() {
        QFETCH(qint64, sub);
        QFETCH(qint64, win);
        QFETCH(int, storedMethod);
        QFETCH(QString, subText);
        QFETCH(QString, winText);
        QFETCH(int, method);
        const IPORecord record = makeIPORecord(QStringLiteral("1"), QStringLiteral("n"),
                                               std::nullopt, sub, win, SubMethod(storedMethod));
        const DetailPanelFields::Fields fields = DetailPanelFields::loaded(record);
        QCOMPARE(fields.subQtyText, subText);
        QCOMPARE(fields.winQtyText, winText);
        QCOMPARE(int(fields.subMethod), method);
    }

    void reloadOnlyForAnotherIPO() {
        const IPORecord record = makeIPORecord(QStringLiteral("02513"), QStringLiteral("星河"));
        QVERIFY(DetailPanelFields::needsReload(std::nullopt, record));
        QVERIFY(!DetailPanelFields::needsReload(QStringLiteral("02513"), record));
        QVERIFY(DetailPanelFields::needsReload(QStringLiteral("02100"), record));
        IPORecord republished = record;
        republished.subQuantity = 4000;
        republished.ipo.name = QStringLiteral("星河智能");
        QVERIFY(!DetailPanelFields::needsReload(QStringLiteral("02513"), republished));
    }

    void editedRecord_data() {
        QTest::addColumn<QString>("subText");
        QTest::addColumn<QString>("winText");
        QTest::addColumn<qint64>("sub");
        QTest::addColumn<qint64>("win");
        QTest::newRow("plus sign stores the number")
            << QStringLiteral("+100") << QString() << qint64(100) << qint64(0);
        QTest::newRow("space inside stores 0")
            << QStringLiteral("1 000") << QStringLiteral("500") << qint64(0) << qint64(500);
        QTest::newRow("negative is not clamped")
            << QStringLiteral("-5") << QStringLiteral("-1") << qint64(-5) << qint64(-1);
        QTest::newRow("comma stores 0")
            << QStringLiteral("2,500") << QStringLiteral("2,000") << qint64(0) << qint64(0);
    }
    void editedRecord() {
        QFETCH(QString, subText);
        QFETCH(QString, winText);
        QFETCH(qint64, sub);
        QFETCH(qint64, win);
        const IPORecord record = makeIPORecord(QStringLiteral("02513"), QStringLiteral("星河"),
                                               marketTime(2025, 7, 8), 9000, 3000, SubMethod::cash);
        const IPORecord edited =
            DetailPanelFields::edited(record, {subText, winText, SubMethod::margin});
        QCOMPARE(edited.subQuantity, sub);
        QCOMPARE(edited.winQuantity, win);
        QCOMPARE(edited.subMethod, SubMethod::margin);
        QCOMPARE(edited.ipo, record.ipo);
    }
};

ORVEL_TEST_CLASS(DetailPanelLogicTest);

#include "DetailPanelLogicTest.moc"
