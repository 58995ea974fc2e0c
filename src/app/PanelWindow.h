#pragma once

#include <QElapsedTimer>
#include <QWidget>

// The tray's drop-down: a frameless window around the panel content that hides when it loses
// focus. (A Qt::Popup would need a focused transient parent on Wayland, which a tray click
// does not give.)
class PanelWindow : public QWidget {
    Q_OBJECT
public:
    explicit PanelWindow(QWidget *content, QWidget *parent = nullptr);

    // Shows the panel at `position`, or hides it when it is showing or was just hidden by the
    // very click that asks for it again.
    void toggle(const QPoint &position);
    void showAt(const QPoint &position);

protected:
    void changeEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QWidget *m_content;
    bool m_wasActive = false;
    QElapsedTimer m_hiddenByFocusLoss;
};
