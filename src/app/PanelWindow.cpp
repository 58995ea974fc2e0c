#include "PanelWindow.h"

#include <QEvent>
#include <QHideEvent>
#include <QKeyEvent>
#include <QVBoxLayout>

PanelWindow::PanelWindow(ContentFactory makeContent, QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , m_makeContent(std::move(makeContent))
    , m_layout(new QVBoxLayout(this)) {
    setObjectName(QStringLiteral("menuBarPanel"));
    setWindowTitle(QStringLiteral("ORVEL"));
    m_layout->setContentsMargins(0, 0, 0, 0);
}

void PanelWindow::toggle(const Placement &place) {
    // The click on the tray icon took the focus away first; that already closed the panel.
    const bool justHidden = m_hiddenByFocusLoss.isValid() && m_hiddenByFocusLoss.elapsed() < 300;
    if (isVisible() || justHidden) {
        hide();
        m_hiddenByFocusLoss.invalidate();
        return;
    }
    showPlaced(place);
}

void PanelWindow::showPlaced(const Placement &place) {
    if (!m_content) {
        m_content = m_makeContent(*this);
        m_layout->addWidget(m_content);
    }
    const QSize size = m_content->sizeHint().expandedTo(m_content->minimumSizeHint());
    resize(size);
    move(place(size));
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

void PanelWindow::hideEvent(QHideEvent *event) {
    QWidget::hideEvent(event);
    if (event->spontaneous() || !m_content)
        return;
    QWidget *content = m_content;
    m_content = nullptr;
    content->hide();
    // Deferred: the panel is often hidden from inside its content ("Open App").
    content->deleteLater();
}

void PanelWindow::keyPressEvent(QKeyEvent *event) {
    if (event->key() == Qt::Key_Escape) {
        hide();
        return;
    }
    QWidget::keyPressEvent(event);
}
