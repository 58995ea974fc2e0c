#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QJsonObject>
#include <QString>

#include <optional>

// One usage event as the service receives it: a JSON object whose keys are the field names.
struct AnalyticsEventPayload {
    static inline const QString appActiveEvent = QStringLiteral("app_active");
    static inline const QString userDataSavedEvent = QStringLiteral("user_data_saved");
    static inline const QString platformName = QStringLiteral("linux");

    QString event;
    QString installId;
    QDateTime occurredAt;
    // Short version, a space and the build in parentheses: "1.2.0 (42)".
    QString appVersion;
    QString platform = platformName;
    // Only "user_data_saved" carries a code; without one the key is left out, not null.
    std::optional<QString> code;

    // "2025-01-06T02:00:00.000Z": UTC, milliseconds, "Z", whatever zone `instant` is in.
    static QString timestamp(const QDateTime &instant);

    QJsonObject toJson() const;
    // Compact JSON; key order is whatever the encoder produces and means nothing.
    QByteArray encoded() const;

    friend bool operator==(const AnalyticsEventPayload &, const AnalyticsEventPayload &) = default;
};
