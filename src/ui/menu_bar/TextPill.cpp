#include "TextPill.h"

#include <QFontMetrics>

QSize TextPill::sizeFor(const QString &text) const {
    const QFontMetrics metrics(font);
    // One pixel more than the advance: the last glyph's antialiased edge is not clipped.
    return {metrics.horizontalAdvance(text) + 1 + 2 * horizontalPadding,
            metrics.height() + 2 * verticalPadding};
}

QPainterPath TextPill::shape(const QRectF &rect, qreal inset) const {
    QPainterPath path;
    path.addRoundedRect(rect.adjusted(inset, inset, -inset, -inset), cornerRadius, cornerRadius);
    return path;
}
