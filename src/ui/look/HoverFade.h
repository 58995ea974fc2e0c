#pragma once

#include <QObject>
#include <QVariantAnimation>

class QWidget;

// The hover state of a button and its 0.12-second ease-in-out fade, the one every button of the
// windows paints from progress(). It watches the button's enter and leave events itself; every
// step of the fade repaints the button.
class HoverFade : public QObject {
    Q_OBJECT
public:
    explicit HoverFade(QWidget *button);

    bool isHovering() const { return m_isHovering; }
    // 0 at rest, 1 fully hovered; in between while fading.
    qreal progress() const { return m_progress; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void setHovering(bool hovering);

    QWidget *m_button;
    QVariantAnimation m_animation;
    bool m_isHovering = false;
    qreal m_progress = 0;
};
