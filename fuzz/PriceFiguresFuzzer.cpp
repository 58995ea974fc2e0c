#include "FuzzInput.h"

#include "model/IPORecord.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>

// The figures read from the service's price range and lot amount, with arbitrary quantities:
// every figure stays a number the views can show, and they agree with each other.

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    FuzzedDataProvider provider(data, size);
    IPORecord record;
    record.subQuantity = provider.ConsumeIntegral<qint64>();
    record.winQuantity = provider.ConsumeIntegral<qint64>();
    record.subMethod = provider.ConsumeBool() ? SubMethod::margin : SubMethod::cash;
    record.ipo.priceRange = QString::fromUtf8(provider.ConsumeRandomLengthString(64));
    record.ipo.lotAmount = QString::fromUtf8(provider.ConsumeRemainingBytesAsString());
    const QString input = record.ipo.priceRange + u'|' + record.ipo.lotAmount + u'|' +
                          QString::number(record.subQuantity);

    const double price = record.ipo.maxOfferPrice();
    FUZZ_CHECK(std::isfinite(price) && price >= 0, input);

    const qint64 perLot = record.ipo.sharesPerLot();
    FUZZ_CHECK(perLot >= 0, input);
    if (perLot > 0)
        FUZZ_CHECK(price > 0, input);
    FUZZ_CHECK(record.subscribedLots() == (perLot == 0 ? 0 : record.subQuantity / perLot), input);
    FUZZ_CHECK(record.winningLots() == (perLot == 0 ? 0 : record.winQuantity / perLot), input);

    const double loan = record.marginLoanAmount();
    FUZZ_CHECK(!std::isnan(loan) && loan >= 0, input);
    if (record.subMethod == SubMethod::cash || record.subQuantity < 1)
        FUZZ_CHECK(loan == 0, input);
    const double fee = record.marginFee();
    FUZZ_CHECK(fee == 0 || fee == 28 || fee == 68 || fee == 88, input);
    FUZZ_CHECK(fee == (record.subMethod == SubMethod::margin ? marginFeeForLoan(loan) : 0), input);
    return 0;
}
