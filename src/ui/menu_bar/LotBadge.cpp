#include "LotBadge.h"

#include "PanelStyle.h"
#include "TextPill.h"
#include "ui/look/ViewStyle.h"

#include <QPainter>

namespace {

constexpr qreal outlineWidth = 0.5;

TextPill pill() {
    return {ViewStyle::font(10, QFont::Thin), 3, 1, 3};
}

} // namespace

LotBadge::LotBadge(const QString &text, PaletteColor color, QWidget *parent)
    : QWidget(parent)
    , m_text(text)
    , m_color(color) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QSize LotBadge::sizeHint() const {
    return pill().sizeFor(m_text);
}

void LotBadge::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const TextPill look = pill();
    const QColor color = ViewStyle::color(m_color);
    const QPainterPath shape = look.shape(QRectF(rect()), outlineWidth / 2);
    painter.fillPath(shape, PanelStyle::withOpacity(color, 0.12));
    painter.strokePath(shape, QPen(PanelStyle::withOpacity(color, 0.2), outlineWidth));
    painter.setFont(look.font);
    painter.setPen(color);
    painter.drawText(rect(), Qt::AlignCenter, m_text);
}
