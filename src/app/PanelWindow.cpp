#include "PanelWindow.h"

#include <QEvent>
#include <QKeyEvent>
#include <QVBoxLayout>

PanelWindow::PanelWindow(QWidget *content, QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , m_content(content) {
    setObjectName(QStringLiteral("menuBarPanel"));
    setWindowTitle(QStringLiteral("ORVEL"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(content);
    resize(content->sizeHint());
}

void PanelWindow::toggle(const QPoint &position) {
    // The click on the tray icon took the focus away first; that already closed the panel.
    const bool justHidden = m_hiddenByFocusLoss.isValid() && m_hiddenByFocusLoss.elapsed() < 300;
    if (isVisible() || justHidden) {
        hide();
        m_hiddenByFocusLoss.invalidate();
        return;
    }
    showAt(position);
}

void PanelWindow::showAt(const QPoint &position) {
    resize(m_content->sizeHint().expandedTo(m_content->minimumSizeHint()));
    move(position);
    m_wasActive = false;
    show();
    raise();
    activateWindow();
}

void PanelWindow::changeEvent(QEvent *event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::ActivationChange)
        return;
    if (isActiveWindow()) {
        m_wasActive = true;
    } else if (m_wasActive && isVisible()) {
        // Only after it once had the focus: without a window manager nothing ever activates it.
        m_hiddenByFocusLoss.start();
        hide();
    }
}

void PanelWindow::keyPressEvent(QKeyEvent *event) {
    if (event->key() == Qt::Key_Escape) {
        hide();
        return;
    }
    QWidget::keyPressEvent(event);
}
