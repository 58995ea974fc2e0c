#pragma once

#include "model/YearFigures.h"

#include <QString>
#include <QStringList>

// What the year sheet says, as plain functions: the figure lines and each IPO's row.
namespace YearResultsText {

// "申购 12 · 中签 5（41.7%）", "卖出 4 · 盈利 3（75.0%）", "收益 HK$1234.56 · 费用 HK$78.90"
// and, when something was sold, "最佳 name +HK$… · 最差 name -HK$…"; rates only over
// something.
QStringList figureLines(const YearFigures &figures);
// "02590  name  HK$1173.78" for one of the year's IPOs ("持有" while shares are held).
QString ipoRow(const YearFigures &figures, const YearIPO &ipo);
// "HK$1173.78" with the sign of the amount.
QString signedMoney(qint64 cents);

} // namespace YearResultsText
