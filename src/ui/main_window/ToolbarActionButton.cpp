#include "ToolbarActionButton.h"

#include "app/ViewStyle.h"

#include <QFocusEvent>
#include <QPainter>

namespace {

constexpr int symbolSize = 16;

} // namespace

ToolbarActionButton::ToolbarActionButton(QString symbolName, const QString &title, Action action,
                                         QWidget *parent)
    : QAbstractButton(parent)
    , m_symbolName(std::move(symbolName))
    , m_action(std::move(action)) {
    setText(title);
    setToolTip(title);
    setAccessibleName(title);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
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
    if (isDown() || m_hovered || m_keyboardFocus) {
        painter.setPen(isDown() || m_keyboardFocus
                           ? QPen(ViewStyle::color(PaletteColor::borderColor), 1)
                           : QPen(Qt::NoPen));
        painter.setBrush(
            ViewStyle::color(isDown() ? PaletteColor::mutedFill : PaletteColor::controlFill));
        painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);
    }
    const QColor tint = ViewStyle::color(PaletteColor::textSecondary);
    QRect target(0, 0, symbolSize, symbolSize);
    target.moveCenter(rect().center());
    painter.drawPixmap(target,
                       ViewStyle::symbol(m_symbolName, tint, symbolSize, devicePixelRatioF()));
}

void ToolbarActionButton::enterEvent(QEnterEvent *event) {
    m_hovered = true;
    update();
    QAbstractButton::enterEvent(event);
}

void ToolbarActionButton::leaveEvent(QEvent *event) {
    m_hovered = false;
    update();
    QAbstractButton::leaveEvent(event);
}

void ToolbarActionButton::focusInEvent(QFocusEvent *event) {
    m_keyboardFocus =
        event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason;
    update();
    QAbstractButton::focusInEvent(event);
}

void ToolbarActionButton::focusOutEvent(QFocusEvent *event) {
    m_keyboardFocus = false;
    update();
    QAbstractButton::focusOutEvent(event);
}
