#pragma once

#include "SettingsAlertMessage.h"

#include <functional>

class QWidget;

// Shows the settings sheet's alerts. The sheet only decides what to say; tests stand in here so
// that no real message box ever opens.
class SettingsAlertPresenting {
public:
    virtual ~SettingsAlertPresenting() = default;

    // Shows `alert` over `parent` with the single button "知道了", without blocking. `dismissed`
    // runs once when the user closes it, and never after `parent` is gone.
    virtual void presentAlert(QWidget *parent, const SettingsAlertMessage &alert,
                              std::function<void()> dismissed) = 0;
};
