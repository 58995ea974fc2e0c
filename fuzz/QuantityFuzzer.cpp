#include "FuzzInput.h"
#include "IntegerOracle.h"

#include "ui/main_window/QuantityParsing.h"

#include <fuzzer/FuzzedDataProvider.h>

// The detail panel's quantity reader and the lot count shown next to each field.

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    FuzzedDataProvider provider(data, size);
    const qint64 perLot = provider.ConsumeIntegral<qint64>();
    const std::vector<uint8_t> rest = provider.ConsumeRemainingBytes<uint8_t>();
    const QString input = fuzzinput::text(rest.data(), rest.size());

    const std::optional<qint64> quantity = QuantityParsing::quantity(input);
    const integeroracle::Expectation expected = integeroracle::expect(input);
    FUZZ_CHECK(quantity.has_value() == expected.canonical.has_value(), input);
    if (quantity)
        FUZZ_CHECK(QString::number(*quantity) == *expected.canonical, input);
    FUZZ_CHECK(QuantityParsing::quantityOrZero(input) == quantity.value_or(0), input);

    const std::optional<qint64> lots = QuantityParsing::lotCount(input, perLot);
    FUZZ_CHECK(lots.has_value() == (quantity && *quantity > 0), input);
    if (lots) {
        FUZZ_CHECK(*lots >= 0, input);
        FUZZ_CHECK(*lots == *quantity / (perLot >= 1 ? perLot : 1), input);
    }
    return 0;
}
