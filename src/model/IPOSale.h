#pragma once

#include <QDate>

#include <optional>

// What the user did with an allotment after the fact: the price finally fixed, what was sold,
// for how much and when, and optionally the charges as the broker's contract notes give them.
// Prices are in mills (thousandths of a HK$: Hong Kong quotes go to three places), money in
// cents, so every figure is exact.
struct IPOSale {
    // None: the top of the offer range.
    std::optional<qint64> finalPriceMills;
    qint64 soldQuantity = 0;
    // Average price of the shares sold.
    std::optional<qint64> sellPriceMills;
    std::optional<QDate> sellDate;
    // The user's own total of every charge; replaces the computed charges when present.
    std::optional<qint64> feeTotalCents;

    bool isEmpty() const { return *this == IPOSale{}; }

    friend bool operator==(const IPOSale &, const IPOSale &) = default;
};
