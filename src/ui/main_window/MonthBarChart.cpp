#include "MonthBarChart.h"

#include "ui/look/ViewStyle.h"

#include <QPainter>

#include <algorithm>
#include <cstdlib>

namespace {

constexpr qreal labelHeight = 14;
constexpr qreal gap = 6;

} // namespace

MonthBarChart::MonthBarChart(QWidget *parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("MonthBarChart"));
    setMinimumHeight(110);
    setAccessibleName(tr("每月收益"));
}

void MonthBarChart::setMonths(const std::array<qint64, 12> &cents, bool gainIsRed) {
    m_cents = cents;
    m_gainIsRed = gainIsRed;
    update();
}

QSize MonthBarChart::sizeHint() const {
    return {360, 130};
}

QRectF MonthBarChart::barRect(const std::array<qint64, 12> &cents, int month, QSizeF size) {
    qint64 largest = 0;
    for (const qint64 amount : cents)
        largest = std::max(largest, std::abs(amount));
    const qint64 amount = cents.at(static_cast<size_t>(month));
    if (largest == 0 || amount == 0)
        return {};
    const qreal plotHeight = size.height() - labelHeight;
    // Room above and below the middle, whatever the signs: losses read as readily as gains.
    const qreal half = plotHeight / 2;
    const qreal slot = size.width() / 12;
    const qreal height = half * static_cast<qreal>(std::abs(amount)) / static_cast<qreal>(largest);
    const qreal left = slot * month + gap / 2;
    return amount > 0 ? QRectF(left, half - height, slot - gap, height)
                      : QRectF(left, half, slot - gap, height);
}

void MonthBarChart::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QSizeF area = size();
    const qreal half = (area.height() - labelHeight) / 2;
    painter.setPen(QPen(ViewStyle::color(PaletteColor::borderColor), 1));
    painter.drawLine(QPointF(0, half), QPointF(area.width(), half));
    painter.setFont(ViewStyle::font(9));
    const qreal slot = area.width() / 12;
    for (int month = 0; month < 12; ++month) {
        const QRectF bar = barRect(m_cents, month, area);
        if (!bar.isEmpty()) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(
                ViewStyle::resultColor(m_cents.at(static_cast<size_t>(month)), m_gainIsRed));
            painter.drawRoundedRect(bar, 2, 2);
        }
        painter.setPen(ViewStyle::color(PaletteColor::textSecondary));
        painter.drawText(QRectF(slot * month, area.height() - labelHeight, slot, labelHeight),
                         Qt::AlignCenter, QString::number(month + 1));
    }
}
