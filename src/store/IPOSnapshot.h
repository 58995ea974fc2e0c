#pragma once

#include <QDate>
#include <QString>

#include <optional>

// The IPO as the service described it when the user last saved its entry: enough to name the
// entry and work out its result after the IPO has left the service's list.
struct IPOSnapshot {
    QString name;
    std::optional<QDate> listingDay;
    // The last subscription day: the financing interest runs from it.
    std::optional<QDate> subEndDay;
    // The offer price range as the service wrote it; its top stands in for a final price.
    QString priceRange;

    friend bool operator==(const IPOSnapshot &, const IPOSnapshot &) = default;
};
