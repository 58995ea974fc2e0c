#include "TableCellText.h"

#include "model/MarketCalendar.h"
#include "model/NumberParsing.h"
#include "model/WebAddress.h"

#include <QCoreApplication>
#include <cmath>

namespace TableCellText {

QString emptyCell() {
    return QStringLiteral("—");
}

QString lotAmount(const QString &serviceText) {
    QString digits = serviceText;
    digits.remove(u',');
    const std::optional<double> amount = parseDecimal(digits);
    // 2^63 is exactly representable; anything at or beyond it does not fit the integer type.
    constexpr double limit = 9223372036854775808.0;
    if (!amount || !std::isfinite(*amount) || *amount >= limit || *amount <= -limit)
        return serviceText;
    return QString::number(static_cast<qint64>(std::trunc(*amount)));
}

QString statusLabel(IPOStatus status) {
    switch (status) {
    case IPOStatus::upcoming:
        return QCoreApplication::translate("TableCellText", "待申购");
    case IPOStatus::open:
        return QCoreApplication::translate("TableCellText", "申购中");
    case IPOStatus::listed:
        return QCoreApplication::translate("TableCellText", "已上市");
    }
    return emptyCell();
}

QString subscriptionDate(const std::optional<QDateTime> &subStart) {
    if (!subStart || !subStart->isValid())
        return emptyCell();
    return marketCalendar().dayOf(*subStart).toString(u"yyyy-MM-dd");
}

std::optional<QString> quantityBadge(qint64 count) {
    if (count <= 0)
        return std::nullopt;
    return QString::number(count);
}

std::optional<QUrl> prospectusLink(const std::optional<QString> &prospectusURL) {
    if (!prospectusURL)
        return std::nullopt;
    return WebAddress::fromText(*prospectusURL);
}

} // namespace TableCellText
