#pragma once

#include "SettingsSection.h"

class AppSettings;
class SegmentedControl;

// "语言": follow the desktop's languages or always speak one of ORVEL's three. The choice is
// stored at once and applies from the next start, which the card says.
class SettingsLanguageCard : public SettingsSection {
    Q_OBJECT
public:
    explicit SettingsLanguageCard(AppSettings &settings, QWidget *parent = nullptr);

    void reload();

private:
    AppSettings &m_settings;
    SegmentedControl *m_choice;
};
