#pragma once

#include <QFont>
#include <QPainterPath>
#include <QSize>

// A short text centred in a rounded box with fixed padding: the shape the calendar's lot badges
// and its Today button share. Only the colours differ between them.
struct TextPill {
    QFont font;
    int horizontalPadding = 0;
    int verticalPadding = 0;
    qreal cornerRadius = 0;

    QSize sizeFor(const QString &text) const;
    // The box filling `rect`, drawn `inset` inside it so an outline stays within the widget.
    QPainterPath shape(const QRectF &rect, qreal inset = 0) const;
};
