#include "IPOData.h"

#include "NumberParsing.h"

#include <cmath>
#include <limits>

namespace {

size_t hashOptionalDate(const std::optional<QDateTime> &date, size_t seed) {
    return date ? qHash(*date, seed) : qHash(-1, seed);
}

QStringView trimSpacesAndTabs(QStringView text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && (text[begin] == u' ' || text[begin] == u'\t'))
        ++begin;
    while (end > begin && (text[end - 1] == u' ' || text[end - 1] == u'\t'))
        --end;
    return text.mid(begin, end - begin);
}

// The last non-empty piece between hyphens is the top of the range, or the single price.
QStringView topOfRange(const QString &priceRange) {
    QStringView last;
    for (QStringView piece : QStringView(priceRange).split(u'-', Qt::SkipEmptyParts))
        last = piece;
    return last.isNull() ? last : trimSpacesAndTabs(last);
}

} // namespace

double IPOData::maxOfferPrice() const {
    const QStringView top = topOfRange(priceRange);
    if (top.isNull())
        return 0;
    return parseDecimal(top).value_or(0);
}

std::optional<qint64> IPOData::maxOfferPriceMills() const {
    const QStringView top = topOfRange(priceRange);
    if (top.isNull())
        return std::nullopt;
    const std::optional<qint64> mills = parseScaled(top, 3);
    if (!mills || *mills < 0)
        return std::nullopt;
    return mills;
}

qint64 IPOData::sharesPerLot() const {
    QString amountText = lotAmount;
    amountText.remove(u',');
    const std::optional<double> amount = parseDecimal(amountText);
    if (!amount || !(*amount > 0))
        return 0;
    const double price = maxOfferPrice();
    if (!(price > 0))
        return 0;
    const double shares = std::round(*amount / price);
    // A tiny price can make the quotient too large for the integer type: treat it as unreadable.
    if (!std::isfinite(shares) || shares >= static_cast<double>(std::numeric_limits<qint64>::max()))
        return 0;
    return shares < 1 ? 0 : static_cast<qint64>(shares);
}

size_t qHash(const IPOData &data, size_t seed) {
    seed = qHashMulti(seed, data.code, data.name, static_cast<int>(data.status), data.lotAmount,
                      data.priceRange, data.board);
    seed = hashOptionalDate(data.subStart, seed);
    seed = hashOptionalDate(data.subEnd, seed);
    seed = hashOptionalDate(data.listingDate, seed);
    return data.prospectusURL ? qHash(*data.prospectusURL, seed) : qHash(-1, seed);
}
