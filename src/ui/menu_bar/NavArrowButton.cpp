#include "NavArrowButton.h"

#include "PanelStyle.h"
#include "ui/look/HoverFade.h"
#include "ui/look/Palette.h"
#include "ui/look/SymbolImage.h"
#include "ui/look/ViewStyle.h"

#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int boxSize = 28;
constexpr int symbolSize = 11;

} // namespace

NavArrowButton::NavArrowButton(const QString &systemName, std::function<void()> action,
                               QWidget *parent)
    : QAbstractButton(parent)
    , m_systemName(systemName)
    , m_hover(new HoverFade(this)) {
    setFixedSize(boxSize, boxSize);
    setFocusPolicy(Qt::NoFocus);
    if (action)
        connect(this, &QAbstractButton::clicked, this, [action = std::move(action)] { action(); });
}

bool NavArrowButton::isHovering() const {
    return m_hover->isHovering();
}

QSize NavArrowButton::sizeHint() const {
    return {boxSize, boxSize};
}

void NavArrowButton::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor hovered = ViewStyle::color(PaletteColor::borderColor);
    QPainterPath box;
    box.addRoundedRect(QRectF(rect()), 6, 6);
    painter.fillPath(box, PanelStyle::withOpacity(hovered, m_hover->progress()));

    const QPixmap symbol =
        SymbolImage::pixmap(m_systemName, ViewStyle::color(PaletteColor::textSecondary), symbolSize,
                            devicePixelRatioF());
    const QSizeF logical = QSizeF(symbol.size()) / symbol.devicePixelRatio();
    const QPointF origin((width() - logical.width()) / 2, (height() - logical.height()) / 2);
    if (isDown())
        painter.setOpacity(0.6);
    painter.drawPixmap(origin, symbol);
}
