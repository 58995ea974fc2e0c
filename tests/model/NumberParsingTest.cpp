#include "TestRegistry.h"

#include "model/NumberParsing.h"

#include <QTest>

#include <limits>
#include <optional>

// The strict number readers, including the inputs the fuzz targets turned up: texts longer than
// a price ever is (a quantity written with many leading zeros) and the words the standard
// library reads as non-finite numbers.

static QString zeros(qsizetype count) {
    return QString(count, u'0');
}

using I = std::optional<qint64>;
using D = std::optional<double>;
Q_DECLARE_METATYPE(I)
Q_DECLARE_METATYPE(D)

class NumberParsingTest : public QObject {
    Q_OBJECT

private slots:
    void integers_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<I>("expected");
        const I none;
        QTest::newRow("digits") << "2500" << I(2500);
        QTest::newRow("plus") << "+42" << I(42);
        QTest::newRow("largest") << "9223372036854775807" << I(std::numeric_limits<qint64>::max());
        QTest::newRow("one past largest") << "9223372036854775808" << none;
        // Found by fuzzing: a text of 65 or more characters was refused for its length alone.
        QTest::newRow("65 characters") << zeros(62) + "450" << I(450);
        QTest::newRow("long negative") << "-" + zeros(200) + "7" << I(-7);
        QTest::newRow("empty") << "" << none;
        QTest::newRow("lone plus") << "+" << none;
        QTest::newRow("double sign") << "+-1" << none;
        QTest::newRow("grouped") << "1,000" << none;
        QTest::newRow("decimal") << "1.0" << none;
        QTest::newRow("full-width digit") << "５" << none;
    }
    void integers() {
        QFETCH(QString, text);
        QFETCH(I, expected);
        QCOMPARE(parseInteger(text), expected);
    }

    void decimals_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<D>("expected");
        const D none;
        QTest::newRow("price") << "3.03" << D(3.03);
        QTest::newRow("plus") << "+6.10" << D(6.10);
        QTest::newRow("exponent") << "1e3" << D(1000);
        QTest::newRow("long zero padding") << zeros(100) + "3030.50" << D(3030.5);
        // Found by fuzzing: these read as NaN or infinity, which then turned a price into a
        // margin fee of HK$88 on a loan that was not a number.
        QTest::newRow("nan") << "nan" << none;
        QTest::newRow("inf") << "inf" << none;
        QTest::newRow("plus infinity") << "+infinity" << none;
        QTest::newRow("overflow") << "1e400" << none;
        QTest::newRow("space") << " 3.03" << none;
        QTest::newRow("hex") << "0x10" << none;
    }
    void decimals() {
        QFETCH(QString, text);
        QFETCH(D, expected);
        const D parsed = parseDecimal(text);
        QCOMPARE(parsed.has_value(), expected.has_value());
        if (parsed)
            QCOMPARE(*parsed, *expected);
    }
};

ORVEL_TEST_CLASS(NumberParsingTest);
#include "NumberParsingTest.moc"
