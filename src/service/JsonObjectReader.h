#pragma once

#include "model/Expected.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QString>

#include <memory>
#include <optional>

// Strict reading of the service's JSON records. Required keys must be present, non-null and of
// the stated JSON type; optional keys may be missing or null. The first fault is remembered
// with the path where it happened ("items[3].status") and makes the whole answer unreadable:
// no partial result is ever used.
class JsonObjectReader {
public:
    // Reads `body` as one JSON object and hands it to `decode`; any fault gives the description.
    template <typename T, typename Decode>
    static Expected<T, QString> decode(const QByteArray &body, Decode decode);

    QString string(QLatin1StringView key);
    std::optional<QString> optionalString(QLatin1StringView key);
    qint64 integer(QLatin1StringView key);
    bool boolean(QLatin1StringView key);
    JsonObjectReader object(QLatin1StringView key);
    std::optional<JsonObjectReader> optionalObject(QLatin1StringView key);
    template <typename T, typename Decode> QList<T> list(QLatin1StringView key, Decode decode);

    // Marks `key` as holding an unacceptable value (for example an unknown status string).
    void fail(QLatin1StringView key, const QString &reason);
    bool hasFailed() const { return !m_error->isEmpty(); }

private:
    JsonObjectReader(QJsonObject object, QString path, std::shared_ptr<QString> error);
    static std::optional<QJsonObject> parseObject(const QByteArray &body, QString *error);
    QJsonValue required(QLatin1StringView key);
    QString pathOf(QLatin1StringView key) const;
    void failAt(const QString &path, const QString &reason);

    QJsonObject m_object;
    QString m_path;
    std::shared_ptr<QString> m_error;
};

template <typename T, typename Decode>
Expected<T, QString> JsonObjectReader::decode(const QByteArray &body, Decode decode) {
    QString error;
    std::optional<QJsonObject> root = parseObject(body, &error);
    if (!root)
        return error;
    JsonObjectReader reader(std::move(*root), QString(), std::make_shared<QString>());
    T value = decode(reader);
    if (reader.hasFailed())
        return QString(*reader.m_error);
    return value;
}

template <typename T, typename Decode>
QList<T> JsonObjectReader::list(QLatin1StringView key, Decode decode) {
    const QJsonValue value = required(key);
    if (hasFailed())
        return {};
    if (!value.isArray()) {
        failAt(pathOf(key), QCoreApplication::translate("JsonObjectReader", "应为数组"));
        return {};
    }
    const QJsonArray array = value.toArray();
    QList<T> result;
    result.reserve(array.size());
    for (qsizetype i = 0; i < array.size() && !hasFailed(); ++i) {
        const QString elementPath = pathOf(key) + u'[' + QString::number(i) + u']';
        if (!array.at(i).isObject()) {
            failAt(elementPath, QCoreApplication::translate("JsonObjectReader", "应为对象"));
            break;
        }
        JsonObjectReader element(array.at(i).toObject(), elementPath, m_error);
        result.append(decode(element));
    }
    return result;
}
