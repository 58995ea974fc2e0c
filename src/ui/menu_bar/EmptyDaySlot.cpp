#include "EmptyDaySlot.h"

#include "CalendarDayCell.h"

#include <QPainter>

EmptyDaySlot::EmptyDaySlot(QWidget *parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("emptyDaySlot"));
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
}

void EmptyDaySlot::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    CalendarDayCell::paintOutline(painter, rect());
}
