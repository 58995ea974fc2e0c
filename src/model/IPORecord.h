#pragma once

#include "IPOData.h"
#include "SubMethod.h"

#include <QHash>

// One IPO merged with the user's own figures: what the views show, copy, edit and hand back.
struct IPORecord {
    IPOData ipo;
    qint64 subQuantity = 0;
    qint64 winQuantity = 0;
    SubMethod subMethod = SubMethod::cash;

    const QString &id() const { return ipo.code; }

    qint64 subscribedLots() const;
    qint64 winningLots() const;
    // HK$ borrowed at 90 % financing of the top price; 0 for cash or nothing applied for.
    double marginLoanAmount() const;
    // The broker's flat fee band for that loan, HK$.
    double marginFee() const;

    friend bool operator==(const IPORecord &, const IPORecord &) = default;
};

size_t qHash(const IPORecord &record, size_t seed = 0);

// The broker's flat fee for a margin loan of `loan` HK$; each band edge belongs to the lower band.
double marginFeeForLoan(double loan);
