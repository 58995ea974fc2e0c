#include "JsonObjectReader.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonParseError>

JsonObjectReader::JsonObjectReader(QJsonObject object, QString path, std::shared_ptr<QString> error)
    : m_object(std::move(object))
    , m_path(std::move(path))
    , m_error(std::move(error)) {}

std::optional<QJsonObject> JsonObjectReader::parseObject(const QByteArray &body, QString *error) {
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(body, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        *error = QCoreApplication::translate("JsonObjectReader",
                                             "数据格式错误：不是有效的 JSON（位置 %1：%2）")
                     .arg(parseError.offset)
                     .arg(parseError.errorString());
        return std::nullopt;
    }
    if (!document.isObject()) {
        *error =
            QCoreApplication::translate("JsonObjectReader", "数据格式错误：应答不是 JSON 对象");
        return std::nullopt;
    }
    return document.object();
}

QString JsonObjectReader::pathOf(QLatin1StringView key) const {
    return m_path.isEmpty() ? QString(key) : m_path + u'.' + key;
}

void JsonObjectReader::failAt(const QString &path, const QString &reason) {
    if (m_error->isEmpty())
        *m_error = QCoreApplication::translate("JsonObjectReader", "数据格式错误：%1 %2")
                       .arg(path, reason);
}

void JsonObjectReader::fail(QLatin1StringView key, const QString &reason) {
    failAt(pathOf(key), reason);
}

QJsonValue JsonObjectReader::required(QLatin1StringView key) {
    const QJsonValue value = m_object.value(key);
    if (value.isUndefined())
        fail(key, QCoreApplication::translate("JsonObjectReader", "缺少必填字段"));
    else if (value.isNull())
        fail(key, QCoreApplication::translate("JsonObjectReader", "不能为 null"));
    return value;
}

QString JsonObjectReader::string(QLatin1StringView key) {
    const QJsonValue value = required(key);
    if (hasFailed())
        return {};
    if (!value.isString()) {
        fail(key, QCoreApplication::translate("JsonObjectReader", "应为字符串"));
        return {};
    }
    return value.toString();
}

std::optional<QString> JsonObjectReader::optionalString(QLatin1StringView key) {
    const QJsonValue value = m_object.value(key);
    if (value.isUndefined() || value.isNull())
        return std::nullopt;
    if (!value.isString()) {
        fail(key, QCoreApplication::translate("JsonObjectReader", "应为字符串"));
        return std::nullopt;
    }
    return value.toString();
}

qint64 JsonObjectReader::integer(QLatin1StringView key) {
    const QJsonValue value = required(key);
    if (hasFailed())
        return 0;
    // toInteger falls back to its argument for anything that is not a whole number in range;
    // two different fallbacks tell a real integer from a fraction or an overflow.
    if (!value.isDouble() || value.toInteger(0) != value.toInteger(1)) {
        fail(key, QCoreApplication::translate("JsonObjectReader", "应为整数"));
        return 0;
    }
    return value.toInteger();
}

bool JsonObjectReader::boolean(QLatin1StringView key) {
    const QJsonValue value = required(key);
    if (hasFailed())
        return false;
    if (!value.isBool()) {
        fail(key, QCoreApplication::translate("JsonObjectReader", "应为布尔值"));
        return false;
    }
    return value.toBool();
}

JsonObjectReader JsonObjectReader::object(QLatin1StringView key) {
    const QJsonValue value = required(key);
    if (!hasFailed() && !value.isObject())
        fail(key, QCoreApplication::translate("JsonObjectReader", "应为对象"));
    return JsonObjectReader(value.toObject(), pathOf(key), m_error);
}

std::optional<JsonObjectReader> JsonObjectReader::optionalObject(QLatin1StringView key) {
    const QJsonValue value = m_object.value(key);
    if (value.isUndefined() || value.isNull())
        return std::nullopt;
    if (!value.isObject()) {
        fail(key, QCoreApplication::translate("JsonObjectReader", "应为对象"));
        return std::nullopt;
    }
    return JsonObjectReader(value.toObject(), pathOf(key), m_error);
}
