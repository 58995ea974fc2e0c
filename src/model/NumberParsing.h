#pragma once

#include <QStringView>

#include <optional>

// Strict number reading for text that comes from the service or the user: the whole text must
// be the number, with "." as decimal point, no grouping and no surrounding white space. Any
// length is read (leading zeros included).
// A finite number; "nan", "inf" and "infinity" are not amounts and read as nothing.
std::optional<double> parseDecimal(QStringView text);
std::optional<qint64> parseInteger(QStringView text);
