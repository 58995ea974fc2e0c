#pragma once

#include <QString>
#include <QStringView>

#include <optional>

// Exact money and price figures as text, both ways, in plain digits as everywhere in ORVEL.
namespace MoneyText {

// 117378 → "1173.78", -78099 → "-780.99".
QString cents(qint64 cents);
// 30500 → "30.50", 3030 → "3.03", 205 → "0.205": two places, three when the third is used.
QString mills(qint64 mills);
// 232 → "+23.2%", -81 → "-8.1%", 0 → "0.0%".
QString percentFromPermille(qint64 permille);

// A price typed by the user, in mills (up to three places); none when not a number.
std::optional<qint64> parseMills(QStringView text);
// An amount typed by the user, in cents (up to two places); none when not a number.
std::optional<qint64> parseCents(QStringView text);

} // namespace MoneyText
