#include "ToolbarActionButton.h"

#include "ui/look/ViewStyle.h"

#include <QPainter>

namespace {

constexpr int symbolSize = 16;

} // namespace

ToolbarActionButton::ToolbarActionButton(QString symbolName, const QString &title, Action action,
                                         QWidget *parent)
    : SymbolButton(std::move(symbolName), title, parent)
    , m_action(std::move(action)) {
    setToolTip(title);
    setFixedSize(sizeHint());
    connect(this, &QAbstractButton::clicked, this, [this] {
        if (m_action)
            m_action();
    });
}

QSize ToolbarActionButton::sizeHint() const {
    return QSize(32, 28);
}

void ToolbarActionButton::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF frame = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    if (const qreal shown = isDown() ? 1.0 : hoverProgress(); shown > 0) {
        painter.setOpacity(shown);
        painter.setPen(isDown() ? QPen(ViewStyle::color(PaletteColor::borderColor), 1)
                                : QPen(Qt::NoPen));
        painter.setBrush(
            ViewStyle::color(isDown() ? PaletteColor::mutedFill : PaletteColor::controlFill));
        painter.drawRoundedRect(frame, 6, 6);
        painter.setOpacity(1);
    }
    const QColor tint = ViewStyle::color(PaletteColor::textSecondary);
    QRect target(0, 0, symbolSize, symbolSize);
    target.moveCenter(rect().center());
    painter.drawPixmap(target,
                       ViewStyle::symbol(symbolName(), tint, symbolSize, devicePixelRatioF()));
    paintFocusRing(painter, frame.adjusted(0.25, 0.25, -0.25, -0.25), 6);
}
