#include "SettingsAlertMessage.h"

SettingsAlertMessage SettingsAlertMessage::make(QString title, QString message) {
    return {QUuid::createUuid(), std::move(title), std::move(message)};
}
