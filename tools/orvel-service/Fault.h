#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>

#include <optional>

namespace orvelservice {

// One switched-on misbehaviour of the service for requests to one path. Every kind may carry a
// delay that runs before its answer (or before the drop).
struct Fault {
    enum class Kind {
        status,        // answer `status` with `body` and `contentType` instead of the real answer
        delay,         // the real answer, late
        malformedJson, // 200 with a body that is not JSON
        wrongType,     // 200 with the real answer in which one field has the wrong JSON type
        oversized,     // 200 with a valid JSON object padded to `bytes` bytes
        drop,          // the connection breaks after the head of an answer, before its body
    };

    Kind kind = Kind::status;
    int status = 500;
    QByteArray body;
    QByteArray contentType;
    int delayMs = 0;
    qint64 bytes = 0;
    int count = 1;

    // Reads the control API's JSON form; `path` is not part of the fault and is read by the caller.
    static std::optional<Fault> fromJson(const QJsonObject &object, QString *error);
    QJsonObject toJson() const;

    static QString kindName(Kind kind);
};

} // namespace orvelservice
