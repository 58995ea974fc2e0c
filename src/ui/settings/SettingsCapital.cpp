#include "SettingsCapital.h"

#include "model/NumberParsing.h"

#include <cmath>
#include <cstdio>
#include <string>

namespace SettingsCapital {

double amountFromText(const QString &text) {
    QString digits = text;
    digits.remove(u',');
    const std::optional<double> amount = parseDecimal(digits);
    if (!amount || !std::isfinite(*amount))
        return 0;
    return *amount;
}

QString textForAmount(double amount) {
    if (!(amount > 0) || !std::isfinite(amount))
        return {};
    // The C library's "%.0f" rather than Qt's formatting: the two differ on exact halves
    // (C rounds 2.5 to 2, Qt to 3), and the field follows the C rule.
    const int length = std::snprintf(nullptr, 0, "%.0f", amount);
    if (length <= 0)
        return {};
    std::string buffer(static_cast<size_t>(length) + 1, '\0');
    std::snprintf(buffer.data(), buffer.size(), "%.0f", amount);
    buffer.resize(static_cast<size_t>(length));
    return QString::fromLatin1(buffer.data(), length);
}

} // namespace SettingsCapital
