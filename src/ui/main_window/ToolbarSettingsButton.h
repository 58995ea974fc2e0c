#pragma once

#include "ToolbarActionButton.h"

// "设置" with the gear.
class ToolbarSettingsButton : public ToolbarActionButton {
    Q_OBJECT
public:
    explicit ToolbarSettingsButton(Action action, QWidget *parent = nullptr);
};
