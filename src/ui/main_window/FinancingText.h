#pragma once

#include "model/IPORecord.h"
#include "model/SubMethod.h"

#include <QString>
#include <QStringView>

#include <optional>

// The detail panel's financing line, following the typed subscription text live: the amount
// financed at 90 % of the top offer price and the broker's fee for it.
namespace FinancingText {

// Money truncated toward zero to whole dollars, as plain digits. Amounts beyond the 64-bit
// range still print all their digits; a value that is not finite prints "—".
QString wholeDollars(double amount);

// "融资 HK$<loan>  手续费 HK$<fee>" while the method is margin and the typed text is a quantity
// above 0; nothing otherwise. The stored quantities of `record` are not consulted.
std::optional<QString> line(const IPORecord &record, SubMethod method, QStringView subQtyText);

} // namespace FinancingText
