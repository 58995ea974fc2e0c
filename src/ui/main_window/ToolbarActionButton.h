#pragma once

#include "ui/look/SymbolButton.h"

#include <functional>

// A toolbar button showing a named symbol, with its title as tooltip. It holds nothing but the
// action it runs when clicked.
class ToolbarActionButton : public SymbolButton {
    Q_OBJECT
public:
    using Action = std::function<void()>;

    ToolbarActionButton(QString symbolName, const QString &title, Action action,
                        QWidget *parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Action m_action;
};
