#include "MainTableColumns.h"
#include <QCoreApplication>

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

int fixedWidth(Column column) {
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
