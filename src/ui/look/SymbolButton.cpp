#include "SymbolButton.h"

#include "AppearanceMonitor.h"

#include <QFocusEvent>

SymbolButton::SymbolButton(QString symbolName, const QString &title, QWidget *parent)
    : QAbstractButton(parent)
    , m_symbolName(std::move(symbolName)) {
    setText(title);
    setAccessibleName(title);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    connect(&AppearanceMonitor::shared(), &AppearanceMonitor::appearanceChanged, this,
            qOverload<>(&QWidget::update));
}

void SymbolButton::setTitle(const QString &title) {
    setText(title);
    setAccessibleName(title);
    updateGeometry();
    update();
}

void SymbolButton::enterEvent(QEnterEvent *event) {
    m_hovered = true;
    update();
    QAbstractButton::enterEvent(event);
}

void SymbolButton::leaveEvent(QEvent *event) {
    m_hovered = false;
    update();
    QAbstractButton::leaveEvent(event);
}

void SymbolButton::focusInEvent(QFocusEvent *event) {
    m_keyboardFocus =
        event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason;
    update();
    QAbstractButton::focusInEvent(event);
}

void SymbolButton::focusOutEvent(QFocusEvent *event) {
    m_keyboardFocus = false;
    update();
    QAbstractButton::focusOutEvent(event);
}
