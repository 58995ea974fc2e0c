#include "MainTableColumns.h"

#include "TableCellText.h"
#include "ui/look/ViewStyle.h"

#include <QCoreApplication>
#include <QFontMetrics>

#include <algorithm>
#include <cmath>

namespace MainTableColumns {

QString headerText(Column column) {
    switch (column) {
    case code:
        return QCoreApplication::translate("MainTableColumns", "股票代码");
    case name:
        return QCoreApplication::translate("MainTableColumns", "股票名称");
    case status:
        return QCoreApplication::translate("MainTableColumns", "状态");
    case lotAmount:
        return QCoreApplication::translate("MainTableColumns", "一手资金(HKD)");
    case subscriptionDate:
        return QCoreApplication::translate("MainTableColumns", "申购日期");
    case subQuantity:
        return QCoreApplication::translate("MainTableColumns", "申购数");
    case winQuantity:
        return QCoreApplication::translate("MainTableColumns", "中签数");
    case prospectus:
        return QCoreApplication::translate("MainTableColumns", "招股书");
    }
    return {};
}

QFont headerFont() {
    return ViewStyle::font(10, QFont::DemiBold, 0.4);
}

QFont cellFont() {
    return ViewStyle::font(12);
}

namespace {

int designedWidth(Column column) {
    switch (column) {
    case code:
        return 84;
    case name:
        return 0;
    case status:
        return 72;
    case lotAmount:
        return 116;
    case subscriptionDate:
        return 118;
    case subQuantity:
    case winQuantity:
        return 84;
    case prospectus:
        return 60;
    }
    return 0;
}

// The widest text each column shows in the language of this run (its heading, its status words,
// the longest figures it holds), in points with the padding.
std::array<int, count> neededWidths() {
    // Painting elides at fractional widths: round up, and a point to spare.
    const auto needs = [](const QFontMetricsF &metrics, const QString &text) {
        return int(std::ceil(metrics.horizontalAdvance(text))) + 1 + 2 * textPadding;
    };
    std::array<int, count> needed{};
    const QFontMetricsF header(headerFont());
    for (int i = 0; i < count; ++i)
        needed[static_cast<size_t>(i)] = needs(header, headerText(Column(i)));
    const QFontMetricsF cell(cellFont());
    const auto atLeast = [&](Column column, const QString &text) {
        int &width = needed[static_cast<size_t>(column)];
        width = std::max(width, needs(cell, text));
    };
    for (const IPOStatus state : {IPOStatus::upcoming, IPOStatus::open, IPOStatus::listed})
        atLeast(status, TableCellText::statusLabel(state));
    atLeast(code, QStringLiteral("00000"));
    atLeast(lotAmount, QStringLiteral("000000"));
    atLeast(subscriptionDate, QStringLiteral("2026-12-31"));
    atLeast(subQuantity, QStringLiteral("000000"));
    atLeast(winQuantity, QStringLiteral("000000"));
    return needed;
}

// Chinese fits the designed widths. A language whose texts need more widens those columns and
// takes the difference from the columns with room to spare, so the name column keeps its width;
// only what they cannot give comes from it. The language never changes during a run: once.
const std::array<int, count> &widths() {
    static const std::array<int, count> fitted = [] {
        const std::array<int, count> needed = neededWidths();
        std::array<int, count> width{};
        int excess = 0;
        for (int i = 0; i < count; ++i) {
            if (i == name)
                continue;
            const auto at = static_cast<size_t>(i);
            width[at] = std::max(designedWidth(Column(i)), needed[at]);
            excess += width[at] - designedWidth(Column(i));
        }
        for (const Column giver : {subQuantity, winQuantity, subscriptionDate, lotAmount, code}) {
            const auto at = static_cast<size_t>(giver);
            const int given = std::min(excess, std::max(0, width[at] - needed[at]));
            width[at] -= given;
            excess -= given;
        }
        return width;
    }();
    return fitted;
}

} // namespace

int fixedWidth(Column column) {
    return widths()[static_cast<size_t>(column)];
}

void measureWidths() {
    widths();
}

bool isCentred(Column column) {
    return column == subQuantity || column == winQuantity || column == prospectus;
}

std::array<QRect, count> cellRects(const QRect &bounds) {
    int fixedTotal = 0;
    for (int i = 0; i < count; ++i)
        fixedTotal += fixedWidth(Column(i));
    const int nameWidth = qMax(0, bounds.width() - fixedTotal);
    std::array<QRect, count> rects;
    int x = bounds.left();
    for (int i = 0; i < count; ++i) {
        const int width = i == name ? nameWidth : fixedWidth(Column(i));
        rects[static_cast<size_t>(i)] = QRect(x, bounds.top(), width, bounds.height());
        x += width;
    }
    return rects;
}

int columnAt(const QRect &bounds, int x) {
    const std::array<QRect, count> rects = cellRects(bounds);
    for (int i = 0; i < count; ++i) {
        const QRect &rect = rects[static_cast<size_t>(i)];
        if (x >= rect.left() && x <= rect.right())
            return i;
    }
    return -1;
}

} // namespace MainTableColumns
