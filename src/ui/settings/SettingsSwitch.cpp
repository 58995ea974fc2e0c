#include "SettingsSwitch.h"

#include "ui/look/FocusRing.h"
#include "ui/look/ViewStyle.h"

#include <QPainter>

SettingsSwitch::SettingsSwitch(const QString &accessibleName, QWidget *parent)
    : QAbstractButton(parent)
    , m_focusRing(new FocusRing(this)) {
    setCheckable(true);
    setAccessibleName(accessibleName);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    setFixedSize(sizeHint());
}

QSize SettingsSwitch::sizeHint() const {
    return {trackWidth, trackHeight};
}

bool SettingsSwitch::hitButton(const QPoint &pos) const {
    return rect().contains(pos);
}

void SettingsSwitch::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    // A switch that is busy or unavailable stays readable but clearly inert.
    if (!isEnabled())
        painter.setOpacity(0.45);

    const QRectF track = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const qreal radius = track.height() / 2;
    if (isChecked()) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(ViewStyle::color(PaletteColor::accentGreen));
    } else {
        painter.setPen(QPen(ViewStyle::color(PaletteColor::borderColor), 1));
        painter.setBrush(ViewStyle::color(PaletteColor::mutedFill));
    }
    painter.drawRoundedRect(track, radius, radius);

    const qreal inset = 2;
    const qreal knob = track.height() - 2 * inset;
    const qreal x = isChecked() ? track.right() - inset - knob : track.left() + inset;
    painter.setPen(QPen(QColor(0, 0, 0, 40), 0.5));
    painter.setBrush(QColor(Qt::white));
    painter.drawEllipse(QRectF(x, track.top() + inset, knob, knob));

    if (m_focusRing->isShown())
        FocusRing::paint(painter, track.adjusted(-1, -1, 1, 1), radius + 1);
}
