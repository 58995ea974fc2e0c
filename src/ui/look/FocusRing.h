#pragma once

#include <QObject>
#include <QRectF>

class QPainter;
class QWidget;

// Keyboard focus as ORVEL draws it, one way for every control: only focus the keyboard brought
// (Tab, Backtab, a shortcut) shows, as a ring in the accent colour that reads in light and dark
// alike; focus a click or an opening window gives stays unmarked. A control keeps one of these
// and strokes its ring with paint() last in its paintEvent.
class FocusRing : public QObject {
    Q_OBJECT
public:
    explicit FocusRing(QWidget *control);

    bool isShown() const { return m_shown; }

    // Strokes the ring along the rounded rectangle `outline`.
    static void paint(QPainter &painter, const QRectF &outline, qreal radius);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_control;
    bool m_shown = false;
};
