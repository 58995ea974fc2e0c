#include "MoneyText.h"

#include "NumberParsing.h"

namespace {

QString scaled(qint64 value, qint64 unit, int places) {
    // Digits of the magnitude, without going through a negated minimum.
    const bool negative = value < 0;
    const quint64 magnitude =
        negative ? quint64(0) - static_cast<quint64>(value) : static_cast<quint64>(value);
    const quint64 whole = magnitude / static_cast<quint64>(unit);
    const quint64 fraction = magnitude % static_cast<quint64>(unit);
    return (negative ? QStringLiteral("-") : QString()) + QString::number(whole) + u'.' +
           QStringLiteral("%1").arg(fraction, places, 10, QLatin1Char('0'));
}

} // namespace

QString MoneyText::cents(qint64 cents) {
    return scaled(cents, 100, 2);
}

QString MoneyText::mills(qint64 mills) {
    if (mills % 10 == 0)
        return scaled(mills / 10, 100, 2);
    return scaled(mills, 1000, 3);
}

QString MoneyText::percentFromPermille(qint64 permille) {
    QString text = scaled(permille, 10, 1) + u'%';
    if (permille > 0)
        text.prepend(u'+');
    return text;
}

std::optional<qint64> MoneyText::parseMills(QStringView text) {
    return parseScaled(text, 3);
}

std::optional<qint64> MoneyText::parseCents(QStringView text) {
    return parseScaled(text, 2);
}
