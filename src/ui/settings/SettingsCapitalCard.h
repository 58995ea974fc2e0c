#pragma once

#include "SettingsSection.h"

class AppSettings;
class QLineEdit;

// The capital the user sets aside for IPOs, in HK$; only Return stores what was typed.
class SettingsCapitalCard : public SettingsSection {
    Q_OBJECT
public:
    explicit SettingsCapitalCard(AppSettings &settings, QWidget *parent = nullptr);

    QString text() const;
    void reload();
    // Stores what the text stands for (0 when it is no number).
    void commit();

private:
    AppSettings &m_settings;
    QLineEdit *m_field;
};
