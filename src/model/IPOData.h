#pragma once

#include "IPOStatus.h"

#include <QDateTime>
#include <QHashFunctions>
#include <QString>

#include <optional>

// The listing data of one IPO as the views show it. Texts are kept exactly as the service sent
// them; the figures below read them on demand.
struct IPOData {
    QString code;
    QString name;
    IPOStatus status = IPOStatus::upcoming;
    std::optional<QDateTime> subStart;
    // The last day of the subscription period (midnight in the market's zone).
    std::optional<QDateTime> subEnd;
    std::optional<QDateTime> listingDate;
    QString lotAmount;
    QString priceRange;
    std::optional<QString> prospectusURL;
    QString board;

    const QString &id() const { return code; }

    // The top of the offer price range, which every money figure uses; 0 when unreadable.
    double maxOfferPrice() const;
    // The same top price exactly, in mills (thousandths of a HK$), for the money figures that
    // must come out to the cent; none when unreadable, negative or given to more places.
    std::optional<qint64> maxOfferPriceMills() const;
    // Lot amount over the top price, rounded; 0 when either is unreadable or the lot is under
    // one share.
    qint64 sharesPerLot() const;

    friend bool operator==(const IPOData &, const IPOData &) = default;
};

size_t qHash(const IPOData &data, size_t seed = 0);
