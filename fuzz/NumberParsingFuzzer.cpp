#include "FuzzInput.h"
#include "IntegerOracle.h"

#include "model/NumberParsing.h"
#include "model/ServiceDateFormatter.h"
#include "ui/main_window/QuantityParsing.h"

#include <QRegularExpression>

#include <cmath>

// The strict number readers and the service's day reader on arbitrary text, each against an
// independent statement of what it must accept.

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QString input = fuzzinput::text(data, size);

    // Integers: exactly the grammar, exactly the value; the backup reader and the detail panel's
    // quantity reader agree on every text.
    const std::optional<qint64> integer = parseInteger(input);
    const integeroracle::Expectation expected = integeroracle::expect(input);
    FUZZ_CHECK(integer.has_value() == expected.canonical.has_value(), input);
    if (integer)
        FUZZ_CHECK(QString::number(*integer) == *expected.canonical, input);
    FUZZ_CHECK(integer == QuantityParsing::quantity(input), input);

    // Decimals: a finite number from text without white space; plain decimal writing with up
    // to 15 significant digits always reads, and reads as Qt's C-locale reader does.
    const std::optional<double> decimal = parseDecimal(input);
    if (decimal) {
        FUZZ_CHECK(std::isfinite(*decimal), input);
        for (QChar c : input)
            FUZZ_CHECK(!c.isSpace(), input);
    }
    static const QRegularExpression plainDecimal(
        QStringLiteral("\\A[+-]?[0-9]{1,15}(\\.[0-9]{1,15})?\\z"));
    if (plainDecimal.match(input).hasMatch()) {
        FUZZ_CHECK(decimal.has_value(), input);
        bool ok = false;
        const double reference = input.toDouble(&ok);
        FUZZ_CHECK(ok && *decimal == reference, input);
    }

    // Service days: a day that reads writes back as the same text.
    if (const std::optional<QDateTime> day = serviceDateFormatter().date(input)) {
        FUZZ_CHECK(day->isValid(), input);
        FUZZ_CHECK(serviceDateFormatter().string(*day) == input, input);
    }
    return 0;
}
