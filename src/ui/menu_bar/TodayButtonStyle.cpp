#include "TodayButtonStyle.h"
#include "app/ViewStyle.h"

#include "HoverFade.h"
#include "PanelStyle.h"
#include "app/Palette.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int horizontalPadding = 8;
constexpr int verticalPadding = 4;
constexpr qreal cornerRadius = 6;
constexpr qreal pressedScale = 0.96;

QFont labelFont() {
    return ViewStyle::font(11, QFont::Medium);
}

} // namespace

TodayButtonStyle::TodayButtonStyle(const QString &label, QWidget *parent)
    : QAbstractButton(parent)
    , m_hover(new HoverFade(this)) {
    setText(label);
    setFocusPolicy(Qt::NoFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

bool TodayButtonStyle::isHovering() const {
    return m_hover->isHovering();
}

QSize TodayButtonStyle::sizeHint() const {
    const QFontMetrics metrics(labelFont());
    return {metrics.horizontalAdvance(text()) + 1 + 2 * horizontalPadding,
            metrics.height() + 2 * verticalPadding};
}

void TodayButtonStyle::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (isDown()) {
        const QPointF centre = QRectF(rect()).center();
        painter.translate(centre);
        painter.scale(pressedScale, pressedScale);
        painter.translate(-centre);
    }
    QPainterPath background;
    background.addRoundedRect(QRectF(rect()), cornerRadius, cornerRadius);
    painter.fillPath(background, PanelStyle::blended(Palette::color(PaletteColor::glassFill),
                                                     Palette::color(PaletteColor::borderColor),
                                                     m_hover->progress()));
    painter.fillPath(background, PanelStyle::withOpacity(Qt::black, isDown() ? 0.05 : 0.02));

    painter.setFont(labelFont());
    painter.setPen(Palette::color(PaletteColor::textPrimary));
    painter.drawText(rect(), Qt::AlignCenter, text());
}

void TodayButtonStyle::enterEvent(QEnterEvent *event) {
    m_hover->setHovering(true);
    QAbstractButton::enterEvent(event);
}

void TodayButtonStyle::leaveEvent(QEvent *event) {
    m_hover->setHovering(false);
    QAbstractButton::leaveEvent(event);
}
