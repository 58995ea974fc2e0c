#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>

namespace orvelservice {

// Checks the body of a usage event as the application posts it: one JSON object with the string
// fields event, installId, occurredAt (UTC, milliseconds, "Z"), appVersion and platform, and a
// string `code` that a "user_data_saved" event must carry and an "app_active" event must leave
// out. Unknown keys are refused too, so a misspelt key shows up as an error instead of going
// unnoticed. Returns the payload, or an empty object and the reason in `error`.
QJsonObject validateAnalyticsPayload(const QByteArray &body, QString *error);

} // namespace orvelservice
