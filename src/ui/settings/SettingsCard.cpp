#include "SettingsCard.h"

#include "ui/look/ViewStyle.h"

#include <QPainter>
#include <QVBoxLayout>

SettingsCard::SettingsCard(QWidget *parent)
    : QWidget(parent)
    , m_rows(new QVBoxLayout(this)) {
    m_rows->setContentsMargins(padding, 12, padding, 12);
    m_rows->setSpacing(10);
}

void SettingsCard::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(ViewStyle::color(PaletteColor::borderColor), 1));
    painter.setBrush(ViewStyle::color(PaletteColor::cardBackground));
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), cornerRadius,
                            cornerRadius);
}
