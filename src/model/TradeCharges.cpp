#include "TradeCharges.h"

#include <algorithm>

namespace {

// Amounts come in mills; a charge is billed in cents.
constexpr qint64 millsPerCent = 10;
constexpr qint64 millsPerDollar = 1000;
constexpr ExactRate allotmentBrokerage{1, 100};

// The levies (SFC 0.0027 %, AFRC 0.00015 %, trading fee 0.00565 %) are the same in every row:
// the table starts at 1 Jan 2023, from when all of them stand as they are now.
StatutoryRates row(QDate from, ExactRate stampDuty, ExactRate settlement,
                   std::optional<qint64> settlementMinimum,
                   std::optional<qint64> settlementMaximum) {
    return {from,       stampDuty,         {27, 1'000'000},  {15, 10'000'000}, {565, 10'000'000},
            settlement, settlementMinimum, settlementMaximum};
}

} // namespace

qint64 TradeCharges::totalCents() const {
    return brokerageCents + platformFeeCents + stampDutyCents + sfcLevyCents + afrcLevyCents +
           tradingFeeCents + settlementFeeCents;
}

const QList<StatutoryRates> &TradeCharges::statutoryRateTable() {
    static const QList<StatutoryRates> table = {
        row(QDate(2023, 1, 1), {13, 10'000}, {2, 100'000}, 200, 10'000),
        // Stamp duty cut from 0.13 % to 0.1 %.
        row(QDate(2023, 11, 17), {1, 1'000}, {2, 100'000}, 200, 10'000),
        // Settlement fee 0.0042 % with no minimum or maximum.
        row(QDate(2025, 6, 30), {1, 1'000}, {42, 1'000'000}, std::nullopt, std::nullopt),
    };
    return table;
}

const StatutoryRates &TradeCharges::statutoryRatesOn(QDate day) {
    const QList<StatutoryRates> &table = statutoryRateTable();
    if (!day.isValid())
        return table.last();
    const auto after = std::upper_bound(
        table.cbegin(), table.cend(), day,
        [](QDate value, const StatutoryRates &rates) { return value < rates.from; });
    return after == table.cbegin() ? table.first() : *(after - 1);
}

TradeCharges TradeCharges::onAllotment(qint64 amountMills, QDate day) {
    const StatutoryRates &rates = statutoryRatesOn(day);
    TradeCharges charges;
    charges.brokerageCents = allotmentBrokerage.appliedRounded(amountMills, millsPerCent);
    charges.sfcLevyCents = rates.sfcLevy.appliedRounded(amountMills, millsPerCent);
    charges.afrcLevyCents = rates.afrcLevy.appliedRounded(amountMills, millsPerCent);
    charges.tradingFeeCents = rates.tradingFee.appliedRounded(amountMills, millsPerCent);
    return charges;
}

TradeCharges TradeCharges::onSale(qint64 proceedsMills, QDate sellDate,
                                  const BrokerCharges &broker) {
    const StatutoryRates &rates = statutoryRatesOn(sellDate);
    TradeCharges charges;
    charges.brokerageCents =
        std::max(broker.commissionRate.appliedRounded(proceedsMills, millsPerCent),
                 broker.minimumCommissionCents);
    charges.platformFeeCents = broker.platformFeeCents;
    charges.stampDutyCents = rates.stampDuty.appliedRoundedUp(proceedsMills, millsPerDollar) * 100;
    charges.sfcLevyCents = rates.sfcLevy.appliedRounded(proceedsMills, millsPerCent);
    charges.afrcLevyCents = rates.afrcLevy.appliedRounded(proceedsMills, millsPerCent);
    charges.tradingFeeCents = rates.tradingFee.appliedRounded(proceedsMills, millsPerCent);
    qint64 settlement = rates.settlementFee.appliedRounded(proceedsMills, millsPerCent);
    if (rates.settlementMinimumCents)
        settlement = std::max(settlement, *rates.settlementMinimumCents);
    if (rates.settlementMaximumCents)
        settlement = std::min(settlement, *rates.settlementMaximumCents);
    charges.settlementFeeCents = settlement;
    return charges;
}
