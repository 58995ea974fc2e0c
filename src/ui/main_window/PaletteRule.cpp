#include "PaletteRule.h"

#include "ui/look/ViewStyle.h"

#include <QPainter>

PaletteRule::PaletteRule(Qt::Orientation orientation, PaletteColor color, qreal opacity,
                         QWidget *parent)
    : QWidget(parent)
    , m_color(color)
    , m_opacity(opacity) {
    if (orientation == Qt::Horizontal) {
        setFixedHeight(1);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    } else {
        setFixedWidth(1);
        setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    }
}

void PaletteRule::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.fillRect(rect(), ViewStyle::color(m_color, m_opacity));
}
