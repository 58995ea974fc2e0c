#pragma once

#include <QAbstractButton>

// A button of the settings sheet: a symbol and a title in a bordered rounded box, or only the
// symbol without a frame (the close button).
class SettingsButton : public QAbstractButton {
    Q_OBJECT
public:
    enum class Look { bordered, plain };

    SettingsButton(const QString &symbolName, const QString &title, Look look,
                   QWidget *parent = nullptr);

    const QString &symbolName() const { return m_symbolName; }
    // A new title, e.g. while the button's work runs; the button resizes to it.
    void setTitle(const QString &title);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    QString m_symbolName;
    Look m_look;
    bool m_hovered = false;
    // Only focus that came from the keyboard is drawn; a sheet opening or a click gives none.
    bool m_keyboardFocus = false;
};
