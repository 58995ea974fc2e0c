#include "IPORecord.h"

namespace {

qint64 lotsOf(qint64 quantity, qint64 sharesPerLot) {
    return sharesPerLot == 0 ? 0 : quantity / sharesPerLot;
}

} // namespace

qint64 IPORecord::subscribedLots() const {
    return lotsOf(subQuantity, ipo.sharesPerLot());
}

qint64 IPORecord::winningLots() const {
    return lotsOf(winQuantity, ipo.sharesPerLot());
}

double IPORecord::marginLoanAmount() const {
    if (subMethod != SubMethod::margin || subQuantity < 1)
        return 0;
    return ipo.maxOfferPrice() * static_cast<double>(subQuantity) * 0.9;
}

double IPORecord::marginFee() const {
    if (subMethod != SubMethod::margin)
        return 0;
    return marginFeeForLoan(marginLoanAmount());
}

qint64 IPORecord::finalPriceMills() const {
    return sale.finalPriceMills.value_or(ipo.maxOfferPriceMills().value_or(0));
}

double marginFeeForLoan(double loan) {
    if (loan <= 10000)
        return 0;
    if (loan <= 50000)
        return 28;
    if (loan <= 100000)
        return 68;
    return 88;
}

size_t qHash(const IPORecord &record, size_t seed) {
    return qHashMulti(seed, record.ipo, record.subQuantity, record.winQuantity,
                      static_cast<int>(record.subMethod), record.sale.soldQuantity,
                      record.sale.sellPriceMills.value_or(-1));
}
