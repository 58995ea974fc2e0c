#include "SeparatorLine.h"

#include "ui/look/Palette.h"
#include "ui/look/ViewStyle.h"

#include <QPainter>

SeparatorLine::SeparatorLine(QWidget *parent)
    : QWidget(parent) {
    setFixedHeight(1);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void SeparatorLine::paintEvent(QPaintEvent *) {
    QPainter(this).fillRect(rect(), ViewStyle::color(PaletteColor::borderColor));
}
