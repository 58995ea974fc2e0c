#pragma once

#include "SettingsSection.h"

class AppSettings;
class SettingsSwitch;

// Whether ORVEL keeps a taskbar entry: the switch is bound to the setting both ways, and the
// setting applies itself.
class SettingsTaskbarCard : public SettingsSection {
    Q_OBJECT
public:
    explicit SettingsTaskbarCard(AppSettings &settings, QWidget *parent = nullptr);

    void reload();

private:
    AppSettings &m_settings;
    SettingsSwitch *m_switch;
};
