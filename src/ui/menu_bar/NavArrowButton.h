#pragma once

#include <QAbstractButton>

#include <functional>

class HoverFade;

// A month arrow of the calendar header: the symbol at 11 points in textSecondary in a
// 28 × 28 box that takes borderColor while the pointer is over it.
class NavArrowButton : public QAbstractButton {
    Q_OBJECT
public:
    NavArrowButton(const QString &systemName, std::function<void()> action,
                   QWidget *parent = nullptr);

    QString systemName() const { return m_systemName; }
    bool isHovering() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_systemName;
    HoverFade *m_hover;
};
