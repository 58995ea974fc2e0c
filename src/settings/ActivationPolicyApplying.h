#pragma once

// Whatever decides the application's taskbar presence. The application shell implements it
// (a taskbar entry for the main window, or tray only); the settings only say which one is wanted.
class ActivationPolicyApplying {
public:
    virtual ~ActivationPolicyApplying() = default;

    // accessory: run from the tray alone, without a taskbar entry; otherwise a regular window.
    virtual void applyActivationPolicy(bool accessory) = 0;
};
