#pragma once

#include "BrokerCharges.h"
#include "ExactRate.h"

#include <QDate>
#include <QList>

#include <optional>

// The statutory charges on one side of a trade, as in force from `from` until the next row.
struct StatutoryRates {
    QDate from;
    // Rounded up to the next whole HK$.
    ExactRate stampDuty;
    ExactRate sfcLevy;
    ExactRate afrcLevy;
    ExactRate tradingFee;
    ExactRate settlementFee;
    std::optional<qint64> settlementMinimumCents;
    std::optional<qint64> settlementMaximumCents;
};

// The charges on one trade, each rounded on its own as the exchange and the broker bill them:
// to the cent, halves away from zero; stamp duty up to the whole HK$. Amounts in cents.
class TradeCharges {
public:
    qint64 brokerageCents = 0;
    qint64 platformFeeCents = 0;
    qint64 stampDutyCents = 0;
    qint64 sfcLevyCents = 0;
    qint64 afrcLevyCents = 0;
    qint64 tradingFeeCents = 0;
    qint64 settlementFeeCents = 0;

    qint64 totalCents() const;

    // The dated table, oldest first. Each row holds every rate, so one lookup answers all.
    static const QList<StatutoryRates> &statutoryRateTable();
    // The row in force on `day`; the newest for an invalid day, the oldest for a day before it.
    static const StatutoryRates &statutoryRatesOn(QDate day);

    // On an allotment of `amountMills` (thousandths of a HK$): 1 % brokerage and the three
    // levies; no stamp duty, since new shares are issued, not transferred.
    static TradeCharges onAllotment(qint64 amountMills, QDate day = {});
    // On a sale with proceeds `proceedsMills`: the broker's commission (at least its minimum)
    // and platform fee, and every statutory charge in force on `sellDate`.
    static TradeCharges onSale(qint64 proceedsMills, QDate sellDate, const BrokerCharges &broker);

    friend bool operator==(const TradeCharges &, const TradeCharges &) = default;
};
