#include "HoverFade.h"

#include <QWidget>

HoverFade::HoverFade(QWidget *button)
    : QObject(button)
    , m_button(button) {
    m_animation.setDuration(120);
    m_animation.setEasingCurve(QEasingCurve::InOutQuad);
    connect(&m_animation, &QVariantAnimation::valueChanged, this, [this](const QVariant &value) {
        m_progress = value.toReal();
        m_button->update();
    });
}

void HoverFade::setHovering(bool hovering) {
    if (hovering == m_isHovering)
        return;
    m_isHovering = hovering;
    m_animation.stop();
    m_animation.setStartValue(m_progress);
    m_animation.setEndValue(hovering ? 1.0 : 0.0);
    m_animation.start();
}
