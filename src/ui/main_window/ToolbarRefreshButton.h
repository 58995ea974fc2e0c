#pragma once

#include "ToolbarActionButton.h"

// "刷新" with the clockwise arrow.
class ToolbarRefreshButton : public ToolbarActionButton {
    Q_OBJECT
public:
    explicit ToolbarRefreshButton(Action action, QWidget *parent = nullptr);
};
