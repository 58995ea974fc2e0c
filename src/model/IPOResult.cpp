#include "IPOResult.h"

#include "MarketCalendar.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr qint64 millsPerCent = 10;
constexpr qint64 daysPerYear = 365;

// The margin loan is 90 % of the top price times the shares applied for; in tenths of a mill
// it is a whole number: top price (mills) × shares × 9.
WideInt loanTenthMills(const IPORecord &record, qint64 topPriceMills) {
    if (record.subMethod != SubMethod::margin || record.subQuantity < 1)
        return 0;
    return static_cast<WideInt>(topPriceMills) * record.subQuantity * 9;
}

qint64 handlingFeeFor(const IPORecord &record, const BrokerCharges &broker,
                      WideInt loanTenthMills) {
    if (record.subQuantity < 1)
        return 0;
    if (record.subMethod == SubMethod::cash)
        return broker.cashHandlingFeeCents;
    // The same bands the detail panel shows; the loan in HK$ is exact to four places here, so a
    // loan right on a band edge stays in the lower band.
    const double loan = static_cast<double>(loanTenthMills) / 10'000.0;
    return std::llround(marginFeeForLoan(loan) * 100);
}

qint64 financingDaysOf(const IPORecord &record) {
    if (!record.ipo.subEnd || !record.ipo.listingDate)
        return 0;
    const MarketCalendar &calendar = marketCalendar();
    const qint64 days =
        calendar.dayOf(*record.ipo.subEnd).daysTo(calendar.dayOf(*record.ipo.listingDate));
    return std::max<qint64>(days, 0);
}

} // namespace

IPOResult IPOResult::of(const IPORecord &record, const BrokerCharges &broker) {
    IPOResult result;
    const IPOSale &sale = record.sale;
    const qint64 allotted = std::max<qint64>(record.winQuantity, 0);
    result.allottedShares = allotted;
    if (allotted > 0 && sale.sellPriceMills)
        result.soldShares = std::clamp<qint64>(sale.soldQuantity, 0, allotted);
    const qint64 sold = result.soldShares;
    result.feeTotalCents = sale.feeTotalCents;

    // The range is read once: the final price and the margin loan both start from its top.
    const qint64 topPriceMills = record.ipo.maxOfferPriceMills().value_or(0);
    const qint64 priceMills = sale.finalPriceMills.value_or(topPriceMills);
    const qint64 allottedMills = allotted * priceMills;
    result.allottedCostCents = divideRounded(allottedMills, millsPerCent);
    const QDate allotmentDay = record.ipo.listingDate
                                   ? marketCalendar().dayOf(*record.ipo.listingDate)
                                   : sale.sellDate.value_or(QDate());
    if (allotted > 0)
        result.allotmentCharges = TradeCharges::onAllotment(allottedMills, allotmentDay);

    const qint64 proceedsMills = sold * sale.sellPriceMills.value_or(0);
    result.proceedsCents = divideRounded(proceedsMills, millsPerCent);
    if (sold > 0)
        result.saleCharges =
            TradeCharges::onSale(proceedsMills, sale.sellDate.value_or(QDate()), broker);

    const WideInt loan = loanTenthMills(record, topPriceMills);
    result.handlingFeeCents = handlingFeeFor(record, broker, loan);
    if (loan > 0) {
        result.financingDays = financingDaysOf(record);
        // Tenths of a mill to cents is ÷ 100.
        result.financingInterestCents = divideRounded(
            loan * broker.financingRate.numerator() * result.financingDays,
            static_cast<WideInt>(broker.financingRate.denominator()) * daysPerYear * 100);
    }

    // Everything in mills until the one rounding at the end; the share of the allotment that
    // was sold is S ÷ W, so the sum is kept multiplied by W.
    const qint64 allotmentChargesMills = result.allotmentCharges.totalCents() * millsPerCent;
    WideInt costOfSold = static_cast<WideInt>(sold) * allottedMills; // × W
    WideInt otherMills = proceedsMills;                              // not yet × W
    if (sale.feeTotalCents) {
        otherMills -= *sale.feeTotalCents * millsPerCent;
        result.feesCents = *sale.feeTotalCents;
    } else {
        costOfSold += static_cast<WideInt>(sold) * allotmentChargesMills;
        otherMills -= (result.saleCharges.totalCents() + result.applicationCostsCents()) *
                      static_cast<WideInt>(millsPerCent);
        result.feesCents = result.allotmentCharges.totalCents() + result.saleCharges.totalCents() +
                           result.applicationCostsCents();
    }
    const WideInt divisor = std::max<qint64>(allotted, 1);
    result.resultCents = divideRounded(otherMills * divisor - costOfSold, divisor * millsPerCent);

    if (sold > 0 && costOfSold > 0)
        result.returnPermille = divideRounded(
            static_cast<WideInt>(result.resultCents) * millsPerCent * 1000 * divisor, costOfSold);
    return result;
}
