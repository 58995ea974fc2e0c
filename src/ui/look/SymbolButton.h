#pragma once

#include <QAbstractButton>

// What every symbol button of the windows shares: a named symbol and a title (also its
// accessible name), a pointing hand, focus by keyboard only, and the hover and keyboard-focus
// states its look draws. Subclasses only size and paint; they repaint when the appearance
// switches between light and dark.
class SymbolButton : public QAbstractButton {
    Q_OBJECT
public:
    SymbolButton(QString symbolName, const QString &title, QWidget *parent = nullptr);

    const QString &symbolName() const { return m_symbolName; }
    // A new title, e.g. while the button's work runs; the button resizes to it.
    void setTitle(const QString &title);

protected:
    bool isHovered() const { return m_hovered; }
    // Focus a click or an opening window gives is not drawn, only focus the keyboard brought.
    bool hasKeyboardFocus() const { return m_keyboardFocus; }

    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    QString m_symbolName;
    bool m_hovered = false;
    bool m_keyboardFocus = false;
};
