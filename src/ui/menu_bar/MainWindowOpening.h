#pragma once

// What the panel needs from the shell to show the main window: open the window "main" and bring
// the application in front of whatever is active. The shell implements it; the panel only calls.
class MainWindowOpening {
public:
    virtual ~MainWindowOpening() = default;

    virtual void openMainWindow() = 0;
};
