#include "FocusRing.h"

#include "ViewStyle.h"

#include <QFocusEvent>
#include <QPainter>
#include <QWidget>

FocusRing::FocusRing(QWidget *control)
    : QObject(control)
    , m_control(control) {
    control->installEventFilter(this);
}

bool FocusRing::eventFilter(QObject *watched, QEvent *event) {
    if (watched == m_control &&
        (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)) {
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        m_shown = event->type() == QEvent::FocusIn &&
                  (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
                   reason == Qt::ShortcutFocusReason);
        m_control->update();
    }
    return QObject::eventFilter(watched, event);
}

void FocusRing::paint(QPainter &painter, const QRectF &outline, qreal radius) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    // Two pixels of the accent, nearly opaque: it must read on a selected row and in dark.
    painter.setPen(QPen(ViewStyle::color(PaletteColor::accentGreen, 0.9), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(outline, radius, radius);
    painter.restore();
}
