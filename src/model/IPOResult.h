#pragma once

#include "BrokerCharges.h"
#include "IPORecord.h"
#include "TradeCharges.h"

#include <optional>

// What one IPO earned: the allotment and its charges, the sale and its charges, the cost of
// applying, and the realised result. Money in cents, rounded only where a charge is billed and
// once at the end for the result, so the figures match a broker's contract notes to the cent.
//
// With W shares allotted and S of them sold (S is capped at W; a sale without a price counts
// as none), the result is G − T − (S ÷ W) × (A + C) − H: the unsold shares are held and have no
// result yet. With nothing allotted it is −H, the cost of trying. A fee total typed by the user
// takes the place of T, C and H.
class IPOResult {
public:
    static IPOResult of(const IPORecord &record, const BrokerCharges &broker = {});

    qint64 allottedShares = 0;
    qint64 soldShares = 0;
    qint64 heldShares() const { return allottedShares - soldShares; }
    // Allotted and every share sold: the IPO is done with.
    bool isClosed() const { return allottedShares > 0 && soldShares == allottedShares; }

    // A = W × final price, rounded to the cent for display (the result uses it exactly).
    qint64 allottedCostCents = 0;
    TradeCharges allotmentCharges;
    // G = S × average sell price.
    qint64 proceedsCents = 0;
    TradeCharges saleCharges;
    qint64 handlingFeeCents = 0;
    qint64 financingInterestCents = 0;
    // Days the margin loan runs: last subscription day to listing day; 0 when either is unknown.
    qint64 financingDays = 0;
    // The user's own total, when given; the computed charges above then do not count.
    std::optional<qint64> feeTotalCents;

    // R.
    qint64 resultCents = 0;
    // Every charge that went into the result: C + T + H, or the user's total.
    qint64 feesCents = 0;
    // R over the cost of the shares sold, in tenths of a percent (232 is 23.2 %); none when
    // nothing was sold.
    std::optional<qint64> returnPermille;

    qint64 applicationCostsCents() const { return handlingFeeCents + financingInterestCents; }
};
