#include "AnalyticsEventPayload.h"

#include <QJsonDocument>

QString AnalyticsEventPayload::timestamp(const QDateTime &instant) {
    return instant.toUTC().toString(Qt::ISODateWithMs);
}

QJsonObject AnalyticsEventPayload::toJson() const {
    QJsonObject object{{QStringLiteral("event"), event},
                       {QStringLiteral("installId"), installId},
                       {QStringLiteral("occurredAt"), timestamp(occurredAt)},
                       {QStringLiteral("appVersion"), appVersion},
                       {QStringLiteral("platform"), platform}};
    if (code)
        object.insert(QStringLiteral("code"), *code);
    return object;
}

QByteArray AnalyticsEventPayload::encoded() const {
    return QJsonDocument(toJson()).toJson(QJsonDocument::Compact);
}
