#include "PanelBar.h"

#include "ui/look/Palette.h"
#include "ui/look/ViewStyle.h"

#include <QPainter>

PanelBar::PanelBar(int height, bool bottomLine, QWidget *parent)
    : QWidget(parent)
    , m_bottomLine(bottomLine) {
    setFixedHeight(height);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void PanelBar::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.fillRect(rect(), ViewStyle::color(PaletteColor::glassFillLight));
    if (m_bottomLine)
        painter.fillRect(QRect(0, height() - 1, width(), 1),
                         ViewStyle::color(PaletteColor::borderColor));
}
