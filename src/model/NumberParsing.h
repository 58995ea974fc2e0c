#pragma once

#include <QStringView>

#include <optional>

// Strict number reading for text that comes from the service or the user: the whole text must
// be the number, with "." as decimal point, no grouping and no surrounding white space. Any
// length is read (leading zeros included).
// A finite number; "nan", "inf" and "infinity" are not amounts and read as nothing.
std::optional<double> parseDecimal(QStringView text);
std::optional<qint64> parseInteger(QStringView text);
// A decimal with at most `decimals` places (further zeros allowed) as an exact count of
// 10^-decimals units: parseScaled("30.5", 3) is 30500. Same strictness as above ("." only, no
// grouping, no white space, an optional sign); a text needing more places, or too large for the
// integer type, reads as nothing, since rounding a typed price would silently change it.
std::optional<qint64> parseScaled(QStringView text, int decimals);
