#include "TableSelection.h"

namespace TableSelection {

std::optional<QString> toggled(const std::optional<QString> &selectedCode,
                               const QString &clickedCode) {
    if (selectedCode && *selectedCode == clickedCode)
        return std::nullopt;
    return clickedCode;
}

std::optional<IPORecord> selectedRecord(const QList<IPORecord> &listed,
                                        const std::optional<QString> &selectedCode) {
    if (!selectedCode)
        return std::nullopt;
    for (const IPORecord &record : listed) {
        if (record.ipo.code == *selectedCode)
            return record;
    }
    return std::nullopt;
}

std::optional<QString> afterClearing(const std::optional<QString> &selectedCode,
                                     const QString &clearedCode) {
    if (selectedCode && *selectedCode == clearedCode)
        return std::nullopt;
    return selectedCode;
}

} // namespace TableSelection
