#include "MoneyText.h"

#include "NumberParsing.h"

namespace {

// value ÷ unit with `places` decimals (unit = 10^places). Written digit by digit: a backup
// writes several per row.
QString scaled(qint64 value, int places) {
    // Digits of the magnitude, without going through a negated minimum.
    const bool negative = value < 0;
    quint64 magnitude =
        negative ? quint64(0) - static_cast<quint64>(value) : static_cast<quint64>(value);
    char16_t buffer[32];
    int at = 32;
    for (int i = 0; i < places; ++i) {
        buffer[--at] = char16_t(u'0' + magnitude % 10);
        magnitude /= 10;
    }
    buffer[--at] = u'.';
    do {
        buffer[--at] = char16_t(u'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude > 0);
    if (negative)
        buffer[--at] = u'-';
    return QString(reinterpret_cast<const QChar *>(buffer + at), 32 - at);
}

} // namespace

QString MoneyText::cents(qint64 cents) {
    return scaled(cents, 2);
}

QString MoneyText::mills(qint64 mills) {
    if (mills % 10 == 0)
        return scaled(mills / 10, 2);
    return scaled(mills, 3);
}

QString MoneyText::percentFromPermille(qint64 permille) {
    QString text = scaled(permille, 1) + u'%';
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
