#pragma once

#include "ExactRate.h"

// What the user's broker charges; the user sets these (the defaults are a typical online
// broker's). The statutory charges are not here: they are law, not a choice.
struct BrokerCharges {
    // Commission on a sale, of the proceeds, at least minimumCommissionCents.
    ExactRate commissionRate{3, 10000};
    qint64 minimumCommissionCents = 300;
    qint64 platformFeeCents = 1500;
    // Per cash application, whether or not anything is allotted.
    qint64 cashHandlingFeeCents = 0;
    // Yearly interest on a margin loan.
    ExactRate financingRate{35, 1000};

    friend bool operator==(const BrokerCharges &, const BrokerCharges &) = default;
};
