#include "QuantityParsing.h"

#include <limits>

namespace QuantityParsing {

std::optional<qint64> quantity(QStringView text) {
    bool negative = false;
    if (!text.isEmpty() && (text.front() == u'+' || text.front() == u'-')) {
        negative = text.front() == u'-';
        text = text.mid(1);
    }
    if (text.isEmpty())
        return std::nullopt;
    // Accumulate as a negative number: the negative range is one larger than the positive one.
    constexpr qint64 lowest = std::numeric_limits<qint64>::min();
    qint64 value = 0;
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        const int digit = c.unicode() - u'0';
        if (value < (lowest + digit) / 10)
            return std::nullopt;
        value = value * 10 - digit;
    }
    if (negative)
        return value;
    if (value == lowest)
        return std::nullopt;
    return -value;
}

qint64 quantityOrZero(QStringView text) {
    return quantity(text).value_or(0);
}

std::optional<qint64> lotCount(QStringView text, qint64 perLotShares) {
    const std::optional<qint64> shares = quantity(text);
    if (!shares || *shares <= 0)
        return std::nullopt;
    return *shares / (perLotShares >= 1 ? perLotShares : 1);
}

} // namespace QuantityParsing
