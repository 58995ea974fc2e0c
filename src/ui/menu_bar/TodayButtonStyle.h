#pragma once

#include <QAbstractButton>

class HoverFade;

// The calendar's "Today" button in its own look: the label at 11 points medium on a rounded
// glassFill background that turns borderColor under the pointer, a faint black film that
// deepens while pressed, and a slight shrink while pressed.
class TodayButtonStyle : public QAbstractButton {
    Q_OBJECT
public:
    explicit TodayButtonStyle(const QString &label, QWidget *parent = nullptr);

    bool isHovering() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    HoverFade *m_hover;
};
