#include "TodayButtonStyle.h"

#include "PanelStyle.h"
#include "TextPill.h"
#include "ui/look/HoverFade.h"
#include "ui/look/ViewStyle.h"

#include <QPainter>

namespace {

constexpr qreal pressedScale = 0.96;

TextPill pill() {
    return {ViewStyle::font(11, QFont::Medium), 8, 4, 6};
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
    return pill().sizeFor(text());
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
    const TextPill look = pill();
    const QPainterPath background = look.shape(QRectF(rect()));
    painter.fillPath(background, PanelStyle::blended(ViewStyle::color(PaletteColor::glassFill),
                                                     ViewStyle::color(PaletteColor::borderColor),
                                                     m_hover->progress()));
    painter.fillPath(background, PanelStyle::withOpacity(Qt::black, isDown() ? 0.05 : 0.02));

    painter.setFont(look.font);
    painter.setPen(ViewStyle::color(PaletteColor::textPrimary));
    painter.drawText(rect(), Qt::AlignCenter, text());
}
