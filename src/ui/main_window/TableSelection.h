#pragma once

#include "model/IPORecord.h"

#include <QList>
#include <QString>

#include <optional>

// The main table's single selection, kept as a code so that it survives refreshes and filter
// changes; the detail panel shows only while the selected IPO is listed.
namespace TableSelection {

// A click on the row of `clickedCode`: the selected row deselects, any other row selects.
std::optional<QString> toggled(const std::optional<QString> &selectedCode,
                               const QString &clickedCode);

// The first listed record with the selected code; nothing when none is selected or the
// selected IPO is not listed.
std::optional<IPORecord> selectedRecord(const QList<IPORecord> &listed,
                                        const std::optional<QString> &selectedCode);

// The selection after the entry of `clearedCode` was cleared: gone if it was that IPO.
std::optional<QString> afterClearing(const std::optional<QString> &selectedCode,
                                     const QString &clearedCode);

} // namespace TableSelection
