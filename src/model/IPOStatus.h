#pragma once

#include <QString>
#include <QStringView>

#include <optional>

// Stage of an IPO. The raw strings travel on the wire; any other string is no status at all.
enum class IPOStatus { upcoming, open, listed };

std::optional<IPOStatus> ipoStatusFromRawValue(QStringView raw);
QString rawValue(IPOStatus status);
