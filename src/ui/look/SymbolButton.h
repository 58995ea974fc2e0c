#pragma once

#include <QAbstractButton>

class FocusRing;
class HoverFade;

// What every symbol button of the windows shares: a named symbol and a title (also its
// accessible name), a pointing hand, focus by keyboard only, the hover fade and the keyboard
// focus ring. Subclasses only size and paint; they repaint when the appearance switches between
// light and dark.
class SymbolButton : public QAbstractButton {
    Q_OBJECT
public:
    SymbolButton(QString symbolName, const QString &title, QWidget *parent = nullptr);

    const QString &symbolName() const { return m_symbolName; }
    // A new title, e.g. while the button's work runs; the button resizes to it.
    void setTitle(const QString &title);

protected:
    void setSymbolName(const QString &symbolName);
    bool isHovered() const;
    // 0 at rest, 1 fully hovered; in between while the hover fades in or out.
    qreal hoverProgress() const;
    // Focus a click or an opening window gives is not drawn, only focus the keyboard brought.
    bool hasKeyboardFocus() const;
    // Strokes the focus ring along `outline` when the keyboard brought the focus here.
    void paintFocusRing(QPainter &painter, const QRectF &outline, qreal radius) const;

private:
    QString m_symbolName;
    HoverFade *m_hover;
    FocusRing *m_focusRing;
};
