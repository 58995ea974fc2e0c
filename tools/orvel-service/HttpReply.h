#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

class QJsonDocument;
class QJsonObject;

namespace orvelservice {

// One HTTP answer, written to the socket by hand rather than through QHttpServerResponder: the
// responder of Qt 6.4 only knows the status codes of its own table, and the fault switches must
// be able to send any code (199, 300, ...) with any body and content type, or none.
struct HttpReply {
    int status = 200;
    QByteArray contentType;
    QByteArray body;
    QList<QPair<QByteArray, QByteArray>> headers;
    // Close the connection once the answer is out (1xx answers, clients that ask for it).
    bool closeAfter = false;

    static HttpReply json(const QJsonObject &object, int status = 200);
    static HttpReply json(const QJsonDocument &document, int status = 200);
    static HttpReply rawJson(QByteArray body, int status = 200);
    static HttpReply error(int status, const QString &message);
    static HttpReply empty(int status);

    // The whole answer as it goes on the wire: status line, headers, blank line, body.
    QByteArray serialize() const;
};

// Content type of every JSON body this service writes.
inline constexpr char jsonContentType[] = "application/json; charset=utf-8";

} // namespace orvelservice
