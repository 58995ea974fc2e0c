#pragma once

#include <QStringView>

#include <optional>

// Reading the share counts the user types into the detail panel.
namespace QuantityParsing {

// An optional single "+" or "-" and one or more ASCII digits, nothing else, within the signed
// 64-bit range. No spaces, separators or decimal point: "1 000" and "2,500" are no quantity.
std::optional<qint64> quantity(QStringView text);

// The same, counting no quantity as 0 (what saving stores).
qint64 quantityOrZero(QStringView text);

// The lot count shown next to a field: the typed shares over the lot size (the shares
// themselves when the lot size is unknown); nothing unless the text is a quantity above 0.
std::optional<qint64> lotCount(QStringView text, qint64 perLotShares);

} // namespace QuantityParsing
