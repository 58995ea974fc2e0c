#pragma once

#include "SettingsURLOpening.h"

// The desktop's default browser, through QDesktopServices.
class SettingsDesktopServices : public SettingsURLOpening {
public:
    bool openURL(const QUrl &url) override;
};
