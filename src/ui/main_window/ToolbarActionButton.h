#pragma once

#include <QAbstractButton>

#include <functional>

// A toolbar button showing a named symbol, with its title as tooltip and accessible name. It
// holds nothing but the action it runs when clicked.
class ToolbarActionButton : public QAbstractButton {
    Q_OBJECT
public:
    using Action = std::function<void()>;

    ToolbarActionButton(QString symbolName, const QString &title, Action action,
                        QWidget *parent = nullptr);

    const QString &symbolName() const { return m_symbolName; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    QString m_symbolName;
    Action m_action;
    bool m_hovered = false;
    // The focus ring shows only when the keyboard brought the focus here.
    bool m_keyboardFocus = false;
};
