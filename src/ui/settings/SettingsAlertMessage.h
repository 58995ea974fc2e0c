#pragma once

#include <QString>
#include <QUuid>

// One alert of the settings sheet. Each value made has its own id, so two alerts with the same
// texts are still two alerts, and dismissing an older one never clears a newer one.
struct SettingsAlertMessage {
    QUuid id;
    QString title;
    QString message;

    // A new alert with a fresh random id.
    static SettingsAlertMessage make(QString title, QString message);

    friend bool operator==(const SettingsAlertMessage &, const SettingsAlertMessage &) = default;
};
