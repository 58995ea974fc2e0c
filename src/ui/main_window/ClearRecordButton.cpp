#include "ClearRecordButton.h"

#include "ui/look/ViewStyle.h"

#include <QFocusEvent>
#include <QPainter>

namespace {

constexpr int side = 36;
constexpr int symbolSize = 13;

} // namespace

ClearRecordButton::ClearRecordButton(QWidget *parent)
    : QAbstractButton(parent) {
    setObjectName(QStringLiteral("ClearRecordButton"));
    setFixedSize(side, side);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    setToolTip(QStringLiteral("清除本地记录"));
    setAccessibleName(toolTip());
}

void ClearRecordButton::setShowsFailure(bool failed) {
    if (failed == m_failed)
        return;
    m_failed = failed;
    setToolTip(failed ? QStringLiteral("清除失败") : QStringLiteral("清除本地记录"));
    setAccessibleName(toolTip());
    update();
}

QSize ClearRecordButton::sizeHint() const {
    return QSize(side, side);
}

void ClearRecordButton::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QColor fill = ViewStyle::color(PaletteColor::controlFill);
    if (isDown())
        fill = ViewStyle::color(PaletteColor::mutedFill);
    painter.setPen(m_keyboardFocus ? QPen(ViewStyle::color(PaletteColor::borderColor), 1)
                                   : QPen(Qt::NoPen));
    painter.setBrush(fill);
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);
    const QColor tint =
        m_failed ? ViewStyle::failureRed() : ViewStyle::color(PaletteColor::textSecondary);
    QRect target(0, 0, symbolSize, symbolSize);
    target.moveCenter(rect().center());
    painter.drawPixmap(
        target, ViewStyle::symbol(QStringLiteral("trash"), tint, symbolSize, devicePixelRatioF()));
}

void ClearRecordButton::focusInEvent(QFocusEvent *event) {
    m_keyboardFocus =
        event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason;
    update();
    QAbstractButton::focusInEvent(event);
}

void ClearRecordButton::focusOutEvent(QFocusEvent *event) {
    m_keyboardFocus = false;
    update();
    QAbstractButton::focusOutEvent(event);
}
