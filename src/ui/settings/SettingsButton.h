#pragma once

#include "ui/look/SymbolButton.h"

// A button of the settings sheet: a symbol and a title in a bordered rounded box, or only the
// symbol without a frame (the close button).
class SettingsButton : public SymbolButton {
    Q_OBJECT
public:
    enum class Look { bordered, plain };

    SettingsButton(const QString &symbolName, const QString &title, Look look,
                   QWidget *parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Look m_look;
};
