#pragma once

#include "settings/ActivationPolicyApplying.h"

#include <QPointer>
#include <QWidget>

// Whether the main window has a taskbar entry. Hidden means tray only: on X11 the window carries
// _NET_WM_STATE_SKIP_TASKBAR (set before it maps, and changed live through the window manager
// afterwards; Qt::Tool alone does not do it). Where no such protocol exists, or no tray exists
// to reach the application by, the entry stays so the user is never stranded.
class TaskbarPresence : public ActivationPolicyApplying {
public:
    explicit TaskbarPresence(bool trayAvailable);

    void setWindow(QWidget *window);
    void applyActivationPolicy(bool accessory) override;
    // Writes the last choice onto the window; called in its show event, before every mapping
    // (the window manager forgets the state whenever the window is withdrawn).
    void applyBeforeMapping();
    bool skipsTaskbar() const { return m_skip; }

private:
    void applyToWindow();

    bool m_trayAvailable;
    bool m_skip = false;
    QPointer<QWidget> m_window;
};
