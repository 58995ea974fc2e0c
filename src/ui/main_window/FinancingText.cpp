#include "FinancingText.h"

#include "QuantityParsing.h"

#include <QCoreApplication>

#include <cmath>

namespace FinancingText {

QString wholeDollars(double amount) {
    if (!std::isfinite(amount))
        return QStringLiteral("—");
    const double whole = std::trunc(amount);
    constexpr double limit = 9223372036854775808.0;
    if (whole < limit && whole > -limit)
        return QString::number(static_cast<qint64>(whole));
    return QString::number(whole, 'f', 0);
}

std::optional<QString> line(const IPORecord &record, SubMethod method, QStringView subQtyText) {
    const std::optional<qint64> shares = QuantityParsing::quantity(subQtyText);
    if (method != SubMethod::margin || !shares || *shares <= 0)
        return std::nullopt;
    // Price times shares first, then the 90 %: the order decides the last dollar.
    const double loan = (record.ipo.maxOfferPrice() * static_cast<double>(*shares)) * 0.9;
    IPORecord typed = record;
    typed.subQuantity = *shares;
    typed.winQuantity = 0;
    typed.subMethod = SubMethod::margin;
    //: the loan of a 90 % margin application and its handling fee, in whole dollars
    return QCoreApplication::translate("FinancingText", "融资 HK$%1  手续费 HK$%2")
        .arg(wholeDollars(loan), wholeDollars(typed.marginFee()));
}

} // namespace FinancingText
