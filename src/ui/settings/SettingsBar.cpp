#include "SettingsBar.h"

#include "ui/look/ViewStyle.h"

#include <QHBoxLayout>
#include <QPainter>

SettingsBar::SettingsBar(int height, LineEdge lineEdge, QWidget *parent)
    : QWidget(parent)
    , m_lineEdge(lineEdge)
    , m_content(new QHBoxLayout(this)) {
    setFixedHeight(height);
    // The line takes one point of the bar; the content centres in the rest.
    const int top = lineEdge == LineEdge::top ? 1 : 0;
    m_content->setContentsMargins(horizontalPadding, top, horizontalPadding, 1 - top);
    m_content->setSpacing(8);
}

void SettingsBar::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.fillRect(rect(), ViewStyle::color(PaletteColor::mutedFill));
    const int y = m_lineEdge == LineEdge::top ? 0 : height() - 1;
    painter.fillRect(QRect(0, y, width(), 1), ViewStyle::color(PaletteColor::borderColor));
}
