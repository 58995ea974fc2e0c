#include "AnalyticsPayload.h"

#include <QDateTime>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QRegularExpression>
#include <QStringList>

namespace orvelservice {

namespace {

bool isUtcMillisTimestamp(const QString &text) {
    static const QRegularExpression shape(
        QStringLiteral("^\\d{4}-\\d{2}-\\d{2}T\\d{2}:\\d{2}:\\d{2}\\.\\d{3}Z$"));
    if (!shape.match(text).hasMatch())
        return false;
    // The shape alone lets 2025-02-30 or 25:00 through.
    return QDateTime::fromString(text, Qt::ISODateWithMs).isValid();
}

} // namespace

QJsonObject validateAnalyticsPayload(const QByteArray &body, QString *error) {
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(body, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        *error = QStringLiteral("请求体不是有效的 JSON：%1").arg(parseError.errorString());
        return {};
    }
    if (!document.isObject()) {
        *error = QStringLiteral("请求体必须是 JSON 对象");
        return {};
    }
    const QJsonObject payload = document.object();

    static const QStringList required{QStringLiteral("event"), QStringLiteral("installId"),
                                      QStringLiteral("occurredAt"), QStringLiteral("appVersion"),
                                      QStringLiteral("platform")};
    for (auto it = payload.begin(); it != payload.end(); ++it) {
        if (!required.contains(it.key()) && it.key() != QLatin1String("code")) {
            *error = QStringLiteral("未知字段 %1").arg(it.key());
            return {};
        }
    }
    for (const QString &key : required) {
        const QJsonValue value = payload.value(key);
        if (!value.isString() || value.toString().isEmpty()) {
            *error = QStringLiteral("字段 %1 必须是非空字符串").arg(key);
            return {};
        }
    }

    const QString event = payload.value(QStringLiteral("event")).toString();
    if (event != QLatin1String("app_active") && event != QLatin1String("user_data_saved")) {
        *error = QStringLiteral("未知事件 %1").arg(event);
        return {};
    }
    if (!isUtcMillisTimestamp(payload.value(QStringLiteral("occurredAt")).toString())) {
        *error =
            QStringLiteral("occurredAt 必须是带毫秒的 UTC 时间，例如 2025-01-06T02:00:00.000Z");
        return {};
    }

    const QJsonValue code = payload.value(QStringLiteral("code"));
    if (event == QLatin1String("user_data_saved")) {
        if (!code.isString() || code.toString().isEmpty()) {
            *error = QStringLiteral("user_data_saved 事件必须带有字符串 code");
            return {};
        }
    } else if (!code.isUndefined()) {
        *error = QStringLiteral("app_active 事件不应带有 code");
        return {};
    }
    return payload;
}

} // namespace orvelservice
