#include "Fault.h"

#include <QJsonValue>

#include <array>
#include <utility>

namespace orvelservice {

namespace {

constexpr std::array<std::pair<Fault::Kind, const char *>, 6> kindNames{{
    {Fault::Kind::status, "status"},
    {Fault::Kind::delay, "delay"},
    {Fault::Kind::malformedJson, "malformedJson"},
    {Fault::Kind::wrongType, "wrongType"},
    {Fault::Kind::oversized, "oversized"},
    {Fault::Kind::drop, "drop"},
}};

// Large enough for any cap a client might test, small enough that a typo cannot eat the machine.
constexpr qint64 maxOversizedBytes = 256LL * 1024 * 1024;
constexpr int maxDelayMs = 10 * 60 * 1000;

bool readInt(const QJsonObject &object, const QString &key, qint64 min, qint64 max, qint64 *out,
             QString *error) {
    const QJsonValue value = object.value(key);
    if (value.isUndefined())
        return true;
    const double number = value.toDouble(-1.0);
    if (!value.isDouble() || number != static_cast<double>(static_cast<qint64>(number)) ||
        number < static_cast<double>(min) || number > static_cast<double>(max)) {
        *error =
            QStringLiteral("\"%1\" must be an integer from %2 to %3").arg(key).arg(min).arg(max);
        return false;
    }
    *out = static_cast<qint64>(number);
    return true;
}

} // namespace

QString Fault::kindName(Kind kind) {
    for (const auto &[k, name] : kindNames) {
        if (k == kind)
            return QString::fromLatin1(name);
    }
    return {};
}

std::optional<Fault> Fault::fromJson(const QJsonObject &object, QString *error) {
    static const QStringList known{
        QStringLiteral("path"),    QStringLiteral("kind"),       QStringLiteral("status"),
        QStringLiteral("body"),    QStringLiteral("bodyBase64"), QStringLiteral("contentType"),
        QStringLiteral("delayMs"), QStringLiteral("bytes"),      QStringLiteral("count")};
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (!known.contains(it.key())) {
            *error = QStringLiteral("unknown fault key \"%1\"").arg(it.key());
            return std::nullopt;
        }
    }

    Fault fault;
    const QJsonValue kind = object.value(QStringLiteral("kind"));
    bool kindFound = false;
    for (const auto &[k, name] : kindNames) {
        if (kind.toString() == QLatin1String(name)) {
            fault.kind = k;
            kindFound = true;
        }
    }
    if (!kind.isString() || !kindFound) {
        *error = QStringLiteral("\"kind\" must be one of status, delay, malformedJson, wrongType, "
                                "oversized, drop");
        return std::nullopt;
    }

    qint64 status = fault.status;
    qint64 delay = 0;
    qint64 bytes = 0;
    qint64 count = 1;
    if (!readInt(object, QStringLiteral("status"), 100, 599, &status, error) ||
        !readInt(object, QStringLiteral("delayMs"), 0, maxDelayMs, &delay, error) ||
        !readInt(object, QStringLiteral("bytes"), 0, maxOversizedBytes, &bytes, error) ||
        !readInt(object, QStringLiteral("count"), 1, 1000000, &count, error))
        return std::nullopt;
    fault.status = static_cast<int>(status);
    fault.delayMs = static_cast<int>(delay);
    fault.bytes = bytes;
    fault.count = static_cast<int>(count);

    const QJsonValue body = object.value(QStringLiteral("body"));
    const QJsonValue body64 = object.value(QStringLiteral("bodyBase64"));
    if (!body.isUndefined() && !body64.isUndefined()) {
        *error = QStringLiteral("give \"body\" or \"bodyBase64\", not both");
        return std::nullopt;
    }
    if (!body.isUndefined()) {
        if (!body.isString()) {
            *error = QStringLiteral("\"body\" must be a string");
            return std::nullopt;
        }
        fault.body = body.toString().toUtf8();
    }
    if (!body64.isUndefined()) {
        const auto decoded = QByteArray::fromBase64Encoding(
            body64.toString().toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
        if (!body64.isString() || !decoded) {
            *error = QStringLiteral("\"bodyBase64\" must be base64 text");
            return std::nullopt;
        }
        fault.body = *decoded;
    }

    const QJsonValue contentType = object.value(QStringLiteral("contentType"));
    if (!contentType.isUndefined() && !contentType.isString()) {
        *error = QStringLiteral("\"contentType\" must be a string");
        return std::nullopt;
    }
    // A status fault without a content type still says what it sends when it sends something;
    // an explicit empty string means no Content-Type header at all.
    fault.contentType =
        contentType.isString()
            ? contentType.toString().toLatin1()
            : (fault.body.isEmpty() ? QByteArray() : QByteArray("application/json"));

    if (fault.kind == Kind::oversized && bytes <= 0) {
        *error = QStringLiteral("an oversized fault needs \"bytes\"");
        return std::nullopt;
    }
    return fault;
}

QJsonObject Fault::toJson() const {
    QJsonObject object{{QStringLiteral("kind"), kindName(kind)}, {QStringLiteral("count"), count}};
    if (delayMs > 0)
        object.insert(QStringLiteral("delayMs"), delayMs);
    if (kind == Kind::status) {
        object.insert(QStringLiteral("status"), status);
        object.insert(QStringLiteral("bodyBase64"), QString::fromLatin1(body.toBase64()));
        object.insert(QStringLiteral("contentType"), QString::fromLatin1(contentType));
    }
    if (kind == Kind::oversized)
        object.insert(QStringLiteral("bytes"), bytes);
    return object;
}

} // namespace orvelservice
