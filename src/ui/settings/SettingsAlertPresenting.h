#pragma once

#include "SettingsAlertMessage.h"

class QWidget;

// Shows the settings sheet's alerts. The sheet only decides what to say; tests stand in here so
// that no real message box ever opens.
class SettingsAlertPresenting {
public:
    virtual ~SettingsAlertPresenting() = default;

    // Shows `alert` over `parent` with the single button "知道了", without blocking.
    virtual void presentAlert(QWidget *parent, const SettingsAlertMessage &alert) = 0;
};
