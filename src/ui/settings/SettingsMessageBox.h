#pragma once

#include "SettingsAlertPresenting.h"

// The desktop's message box: window-modal over the sheet, plain text, one button.
class SettingsMessageBox : public SettingsAlertPresenting {
public:
    void presentAlert(QWidget *parent, const SettingsAlertMessage &alert) override;
};
