#pragma once

#include <QObject>
#include <QVariantAnimation>

class QWidget;

// The hover state of a small button and its 0.12-second ease-in-out fade, which the button
// paints from progress(). Every step repaints the button.
class HoverFade : public QObject {
    Q_OBJECT
public:
    explicit HoverFade(QWidget *button);

    bool isHovering() const { return m_isHovering; }
    // 0 at rest, 1 fully hovered; in between while fading.
    qreal progress() const { return m_progress; }
    void setHovering(bool hovering);

private:
    QWidget *m_button;
    QVariantAnimation m_animation;
    bool m_isHovering = false;
    qreal m_progress = 0;
};
