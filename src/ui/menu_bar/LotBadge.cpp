#include "LotBadge.h"
#include "app/ViewStyle.h"

#include "PanelStyle.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int horizontalPadding = 3;
constexpr int verticalPadding = 1;
constexpr qreal cornerRadius = 3;
constexpr qreal outlineWidth = 0.5;

QFont badgeFont() {
    return ViewStyle::font(10, QFont::Thin);
}

} // namespace

LotBadge::LotBadge(const QString &text, PaletteColor color, QWidget *parent)
    : QWidget(parent)
    , m_text(text)
    , m_color(color) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QSize LotBadge::sizeHint() const {
    const QFontMetrics metrics(badgeFont());
    return {metrics.horizontalAdvance(m_text) + 1 + 2 * horizontalPadding,
            metrics.height() + 2 * verticalPadding};
}

void LotBadge::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor color = Palette::color(m_color);
    const qreal inset = outlineWidth / 2;
    QPainterPath shape;
    shape.addRoundedRect(QRectF(rect()).adjusted(inset, inset, -inset, -inset), cornerRadius,
                         cornerRadius);
    painter.fillPath(shape, PanelStyle::withOpacity(color, 0.12));
    painter.strokePath(shape, QPen(PanelStyle::withOpacity(color, 0.2), outlineWidth));
    painter.setFont(badgeFont());
    painter.setPen(color);
    painter.drawText(rect(), Qt::AlignCenter, m_text);
}
