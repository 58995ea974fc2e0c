#include "SymbolButton.h"

#include "FocusRing.h"
#include "HoverFade.h"

SymbolButton::SymbolButton(QString symbolName, const QString &title, QWidget *parent)
    : QAbstractButton(parent)
    , m_symbolName(std::move(symbolName))
    , m_hover(new HoverFade(this))
    , m_focusRing(new FocusRing(this)) {
    setText(title);
    setAccessibleName(title);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
}

void SymbolButton::setTitle(const QString &title) {
    setText(title);
    setAccessibleName(title);
    updateGeometry();
    update();
}

void SymbolButton::setSymbolName(const QString &symbolName) {
    m_symbolName = symbolName;
    update();
}

bool SymbolButton::isHovered() const {
    return m_hover->isHovering();
}

qreal SymbolButton::hoverProgress() const {
    return m_hover->progress();
}

bool SymbolButton::hasKeyboardFocus() const {
    return m_focusRing->isShown();
}

void SymbolButton::paintFocusRing(QPainter &painter, const QRectF &outline, qreal radius) const {
    if (m_focusRing->isShown())
        FocusRing::paint(painter, outline, radius);
}
