#include "HttpReply.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace orvelservice {

namespace {

QByteArray reasonPhrase(int status) {
    switch (status) {
    case 100:
        return "Continue";
    case 200:
        return "OK";
    case 201:
        return "Created";
    case 202:
        return "Accepted";
    case 204:
        return "No Content";
    case 300:
        return "Multiple Choices";
    case 301:
        return "Moved Permanently";
    case 302:
        return "Found";
    case 304:
        return "Not Modified";
    case 400:
        return "Bad Request";
    case 401:
        return "Unauthorized";
    case 403:
        return "Forbidden";
    case 404:
        return "Not Found";
    case 405:
        return "Method Not Allowed";
    case 408:
        return "Request Timeout";
    case 409:
        return "Conflict";
    case 413:
        return "Payload Too Large";
    case 415:
        return "Unsupported Media Type";
    case 422:
        return "Unprocessable Entity";
    case 429:
        return "Too Many Requests";
    case 500:
        return "Internal Server Error";
    case 501:
        return "Not Implemented";
    case 502:
        return "Bad Gateway";
    case 503:
        return "Service Unavailable";
    case 504:
        return "Gateway Timeout";
    default:
        return "Status";
    }
}

// Answers that by definition carry no body; a Content-Length on them confuses some clients.
bool forbidsBody(int status) {
    return (status >= 100 && status < 200) || status == 204 || status == 304;
}

} // namespace

HttpReply HttpReply::json(const QJsonObject &object, int status) {
    return json(QJsonDocument(object), status);
}

HttpReply HttpReply::json(const QJsonDocument &document, int status) {
    return rawJson(document.toJson(QJsonDocument::Compact), status);
}

HttpReply HttpReply::rawJson(QByteArray body, int status) {
    HttpReply reply;
    reply.status = status;
    reply.contentType = jsonContentType;
    reply.body = std::move(body);
    return reply;
}

HttpReply HttpReply::error(int status, const QString &message) {
    return json(QJsonObject{{QStringLiteral("error"), message}}, status);
}

HttpReply HttpReply::empty(int status) {
    HttpReply reply;
    reply.status = status;
    return reply;
}

QByteArray HttpReply::serialize() const {
    const bool noBody = forbidsBody(status);
    QByteArray out;
    out.reserve(256 + (noBody ? 0 : body.size()));
    out += "HTTP/1.1 " + QByteArray::number(status) + ' ' + reasonPhrase(status) + "\r\n";
    out += "Server: orvel-service\r\n";
    out += "Cache-Control: no-store\r\n";
    if (!contentType.isEmpty())
        out += "Content-Type: " + contentType + "\r\n";
    if (!noBody)
        out += "Content-Length: " + QByteArray::number(body.size()) + "\r\n";
    for (const auto &[name, value] : headers)
        out += name + ": " + value + "\r\n";
    if (closeAfter || (status >= 100 && status < 200))
        out += "Connection: close\r\n";
    out += "\r\n";
    if (!noBody)
        out += body;
    return out;
}

} // namespace orvelservice
