#include "ClearRecordButton.h"

#include "ui/look/ViewStyle.h"

#include <QPainter>

namespace {

constexpr int side = 36;
constexpr int symbolSize = 13;

QString titleFor(bool failed) {
    return failed ? ClearRecordButton::tr("清除失败") : ClearRecordButton::tr("清除本地记录");
}

} // namespace

ClearRecordButton::ClearRecordButton(QWidget *parent)
    : SymbolButton(QStringLiteral("trash"), titleFor(false), parent) {
    setObjectName(QStringLiteral("ClearRecordButton"));
    setFixedSize(side, side);
    setToolTip(titleFor(false));
}

void ClearRecordButton::setShowsFailure(bool failed) {
    if (failed == m_failed)
        return;
    m_failed = failed;
    setTitle(titleFor(failed));
    setToolTip(titleFor(failed));
}

QSize ClearRecordButton::sizeHint() const {
    return QSize(side, side);
}

void ClearRecordButton::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF frame = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setPen(Qt::NoPen);
    painter.setBrush(
        ViewStyle::color(isDown() ? PaletteColor::mutedFill : PaletteColor::controlFill));
    painter.drawRoundedRect(frame, 8, 8);
    if (const qreal shown = isDown() ? 0 : hoverProgress(); shown > 0) {
        painter.setBrush(ViewStyle::color(PaletteColor::mutedFill, shown));
        painter.drawRoundedRect(frame, 8, 8);
    }
    const QColor tint =
        m_failed ? ViewStyle::failureRed() : ViewStyle::color(PaletteColor::textSecondary);
    QRect target(0, 0, symbolSize, symbolSize);
    target.moveCenter(rect().center());
    painter.drawPixmap(target,
                       ViewStyle::symbol(symbolName(), tint, symbolSize, devicePixelRatioF()));
    paintFocusRing(painter, frame.adjusted(0.25, 0.25, -0.25, -0.25), 8);
}
