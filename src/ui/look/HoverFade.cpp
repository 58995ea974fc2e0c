#include "HoverFade.h"

#include <QEvent>
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
    button->installEventFilter(this);
}

bool HoverFade::eventFilter(QObject *watched, QEvent *event) {
    if (watched == m_button) {
        if (event->type() == QEvent::Enter)
            setHovering(true);
        else if (event->type() == QEvent::Leave || event->type() == QEvent::Hide)
            setHovering(false);
    }
    return QObject::eventFilter(watched, event);
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
