#pragma once

// Whoever owns the main window's frame presents the settings sheet; the window content only asks.
class SettingsSheetPresenting {
public:
    virtual ~SettingsSheetPresenting() = default;
    virtual void presentSettingsSheet() = 0;
};
