#pragma once

#include "IPOData.h"
#include "IPOSale.h"
#include "SubMethod.h"

#include <QHash>

// One IPO merged with the user's own figures: what the views show, copy, edit and hand back.
struct IPORecord {
    IPOData ipo;
    qint64 subQuantity = 0;
    qint64 winQuantity = 0;
    SubMethod subMethod = SubMethod::cash;
    IPOSale sale;
    // When the user's entry was last saved; none while there is no entry.
    std::optional<QDateTime> updatedAt;

    const QString &id() const { return ipo.code; }

    qint64 subscribedLots() const;
    qint64 winningLots() const;
    // HK$ borrowed at 90 % financing of the top price; 0 for cash or nothing applied for.
    double marginLoanAmount() const;
    // The broker's flat fee band for that loan, HK$.
    double marginFee() const;
    // The final offer price in mills: the user's, else the top of the range, else 0.
    qint64 finalPriceMills() const;
    // Whether the user has a stored entry for this IPO.
    bool hasEntry() const { return updatedAt.has_value(); }

    friend bool operator==(const IPORecord &, const IPORecord &) = default;
};

size_t qHash(const IPORecord &record, size_t seed = 0);

// The broker's flat fee for a margin loan of `loan` HK$; each band edge belongs to the lower band.
double marginFeeForLoan(double loan);
