#pragma once

#include "SettingsSection.h"
#include "settings/AppSettings.h"

#include <QHash>

class QLineEdit;
class SegmentedControl;
class SettingsLabel;

// "费用": the broker's charges every result is worked out with, and the colour gains are drawn
// in. A charge is stored when the field is left or Return is pressed; text that is no usable
// amount is refused with the reason under the card, and the field shows the old value again.
class SettingsFeesCard : public SettingsSection {
    Q_OBJECT
public:
    explicit SettingsFeesCard(AppSettings &settings, QWidget *parent = nullptr);

    void reload();
    // Stores what the field of `setting` holds; the refusal's reason, if any, shows.
    void commit(BrokerSetting setting);
    // The message under the card; empty while none shows.
    QString message() const;

private:
    AppSettings &m_settings;
    QHash<BrokerSetting, QLineEdit *> m_fields;
    QHash<BrokerSetting, QString> m_labels;
    SegmentedControl *m_gainColour;
    SettingsLabel *m_message;
};
