#include "IPOStatus.h"

std::optional<IPOStatus> ipoStatusFromRawValue(QStringView raw) {
    if (raw == u"upcoming")
        return IPOStatus::upcoming;
    if (raw == u"open")
        return IPOStatus::open;
    if (raw == u"listed")
        return IPOStatus::listed;
    return std::nullopt;
}

QString rawValue(IPOStatus status) {
    switch (status) {
    case IPOStatus::upcoming:
        return QStringLiteral("upcoming");
    case IPOStatus::open:
        return QStringLiteral("open");
    case IPOStatus::listed:
        return QStringLiteral("listed");
    }
    return {};
}
