#include "ServiceServer.h"

#include "AnalyticsPayload.h"
#include "PrivacyPage.h"
#include "RequestTargetTap.h"
#include "TappingSslServer.h"

#include <QHttpServerRequest>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QPointer>
#include <QRegularExpression>
#include <QTcpSocket>
#include <QTimer>
#include <QUrlQuery>

#include <limits>

namespace orvelservice {

namespace {

const QString listPath = QStringLiteral("/v2/ipos");
const QString statsPath = QStringLiteral("/v2/ipos/stats");
const QString updatePath = QStringLiteral("/v2/app/update");
const QString analyticsPath = QStringLiteral("/v2/analytics/client");
const QString privacyPath = QStringLiteral("/privacy");
const QString controlPrefix = QStringLiteral("/_control/");

// What a dropped answer gets out before the connection breaks: a head promising a body that
// never comes (a 204-style answer would let the close pass as a normal end).
const QByteArray droppedHead = QByteArrayLiteral("HTTP/1.1 200 OK\r\n"
                                                 "Content-Type: application/json; charset=utf-8\r\n"
                                                 "Content-Length: 4096\r\n\r\n"
                                                 "{\"items\": [");

// The largest page a client may ask for; the application asks for exactly this many.
constexpr qint64 maxLimit = 500;

QByteArray methodName(QHttpServerRequest::Method method) {
    switch (method) {
    case QHttpServerRequest::Method::Get:
        return "GET";
    case QHttpServerRequest::Method::Put:
        return "PUT";
    case QHttpServerRequest::Method::Delete:
        return "DELETE";
    case QHttpServerRequest::Method::Post:
        return "POST";
    case QHttpServerRequest::Method::Head:
        return "HEAD";
    case QHttpServerRequest::Method::Options:
        return "OPTIONS";
    case QHttpServerRequest::Method::Patch:
        return "PATCH";
    case QHttpServerRequest::Method::Connect:
        return "CONNECT";
    case QHttpServerRequest::Method::Trace:
        return "TRACE";
    default:
        return "UNKNOWN";
    }
}

QByteArray headerValue(const QHttpServerRequest &request, const QByteArray &name) {
    for (const auto &[key, value] : request.headers()) {
        if (key.compare(name, Qt::CaseInsensitive) == 0)
            return value;
    }
    return {};
}

HttpReply methodNotAllowed(const QByteArray &allowed) {
    HttpReply reply = HttpReply::error(405, QStringLiteral("不支持的请求方法"));
    reply.headers.append({QByteArrayLiteral("Allow"), allowed});
    return reply;
}

HttpReply notFound() {
    return HttpReply::error(404, QStringLiteral("接口不存在"));
}

// A non-negative decimal integer in [min, max], written plainly (no sign, no spaces).
std::optional<qint64> strictInteger(const QString &text, qint64 min, qint64 max) {
    static const QRegularExpression digits(QStringLiteral("^\\d{1,12}$"));
    if (!digits.match(text).hasMatch())
        return std::nullopt;
    const qint64 value = text.toLongLong();
    if (value < min || value > max)
        return std::nullopt;
    return value;
}

std::optional<QJsonObject> parseObject(const QByteArray &body, QString *error) {
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(body, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        *error = QStringLiteral("body is not JSON: %1").arg(parseError.errorString());
        return std::nullopt;
    }
    if (!document.isObject()) {
        *error = QStringLiteral("body must be a JSON object");
        return std::nullopt;
    }
    return document.object();
}

QString absolutePath(const QString &path) {
    return path.startsWith(QLatin1Char('/')) ? path : QStringLiteral("/v2/") + path;
}

// The real answer with one field turned into the wrong JSON type; answers that are not JSON
// objects become an array, which no client expecting an object can take.
QByteArray wrongTypeBody(const HttpReply &normal, const QString &path) {
    const QJsonDocument document = QJsonDocument::fromJson(normal.body);
    if (!document.isObject())
        return QByteArrayLiteral("[]");
    QJsonObject object = document.object();
    if (path == listPath) {
        QJsonArray items = object.value(QStringLiteral("items")).toArray();
        if (!items.isEmpty()) {
            QJsonObject first = items.at(0).toObject();
            first.insert(QStringLiteral("code"),
                         first.value(QStringLiteral("code")).toString().toLongLong());
            items.replace(0, first);
            object.insert(QStringLiteral("items"), items);
        } else {
            object.insert(QStringLiteral("count"),
                          QString::number(object.value(QStringLiteral("count")).toInteger()));
        }
    } else if (path == statsPath) {
        QJsonObject counts = object.value(QStringLiteral("counts")).toObject();
        counts.insert(QStringLiteral("open"),
                      QString::number(counts.value(QStringLiteral("open")).toInteger()));
        object.insert(QStringLiteral("counts"), counts);
    } else if (path == updatePath) {
        object.insert(QStringLiteral("latestBuild"),
                      QString::number(object.value(QStringLiteral("latestBuild")).toInteger()));
    } else {
        return QByteArrayLiteral("[]");
    }
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

// The real answer (or "{}") with a "padding" string that brings it to `bytes` bytes; still valid
// JSON, so only a size cap can refuse it. Answers already longer stay as they are.
QByteArray oversizedBody(const HttpReply &normal, qint64 bytes) {
    QByteArray base =
        QJsonDocument::fromJson(normal.body).isObject() ? normal.body : QByteArrayLiteral("{}");
    base.chop(1); // the closing brace
    const QByteArray head = base + (base.size() > 1 ? "," : "") + "\"padding\":\"";
    const QByteArray tail = "\"}";
    const qint64 fill = std::max<qint64>(0, bytes - head.size() - tail.size());
    QByteArray body;
    body.reserve(head.size() + fill + tail.size());
    body += head;
    body += QByteArray(fill, 'x');
    body += tail;
    return body;
}

} // namespace

ServiceServer::ServiceServer(ServiceData data, QObject *parent)
    : QAbstractHttpServer(parent)
    , m_data(std::move(data)) {}

quint16 ServiceServer::listenLocal(quint16 port, const QSslConfiguration &tls, QString *error) {
    auto *server = new TappingSslServer(this);
    server->setSslConfiguration(tls);
    connect(server, &QSslServer::errorOccurred, this,
            [](QSslSocket *socket, QAbstractSocket::SocketError) {
                qInfo("[Service] TLS connection failed: %s", qPrintable(socket->errorString()));
            });
    // Loopback only: the stand-in never answers anything but this machine.
    if (!server->listen(QHostAddress::LocalHost, port)) {
        *error = server->errorString();
        delete server;
        return 0;
    }
    bind(server);
    return server->serverPort();
}

bool ServiceServer::handleRequest(const QHttpServerRequest &request, QTcpSocket *socket) {
    const QString path = request.url().path();
    // The request target as sent; if the tap lost track, the normalised form has to do.
    const QByteArray target = RequestTargetTap::takeTarget(socket);
    const qsizetype question = target.indexOf('?');
    QByteArray rawPath = question < 0 ? target : target.left(question);
    QByteArray rawQuery = question < 0 ? QByteArray() : target.mid(question + 1);
    if (target.isEmpty() || QUrl::fromPercentEncoding(rawPath) != path) {
        rawPath = request.url().path(QUrl::FullyEncoded).toUtf8();
        rawQuery = request.url().query(QUrl::FullyEncoded).toUtf8();
    }
    const bool clientCloses = headerValue(request, "connection").toLower() == "close";

    if (path.startsWith(controlPrefix)) {
        HttpReply reply = controlReply(request, path);
        reply.closeAfter = reply.closeAfter || clientCloses;
        answer(socket, reply, 0, false);
        return true;
    }

    QJsonObject headers;
    for (const auto &[name, value] : request.headers()) {
        const QString key = QString::fromLatin1(name).toLower();
        const QString previous = headers.value(key).toString();
        const QString text = QString::fromUtf8(value);
        headers.insert(key, previous.isEmpty() ? text : previous + QStringLiteral(", ") + text);
    }
    QJsonObject logged{
        {QStringLiteral("method"), QString::fromLatin1(methodName(request.method()))},
        {QStringLiteral("path"), QString::fromUtf8(rawPath)},
        {QStringLiteral("query"), QString::fromUtf8(rawQuery)},
        {QStringLiteral("headers"), headers}};
    if (!request.body().isEmpty())
        logged.insert(QStringLiteral("body"), QString::fromUtf8(request.body()));
    m_requests.append(logged);

    HttpReply reply;
    int delayMs = 0;
    bool drop = false;
    if (const std::optional<Fault> fault = m_faults.take(path)) {
        delayMs = fault->delayMs;
        drop = fault->kind == Fault::Kind::drop;
        if (!drop)
            reply = applyFault(*fault, request, path);
        qInfo("[Service] %s %s?%s: fault %s", methodName(request.method()).constData(),
              rawPath.constData(), rawQuery.constData(), qPrintable(Fault::kindName(fault->kind)));
    } else {
        reply = serviceReply(request, path);
    }
    reply.closeAfter = reply.closeAfter || clientCloses;
    qInfo("[Service] %s %s%s%s -> %s", methodName(request.method()).constData(),
          rawPath.constData(), rawQuery.isEmpty() ? "" : "?", rawQuery.constData(),
          drop ? "dropped" : QByteArray::number(reply.status).constData());
    answer(socket, reply, delayMs, drop);
    return true;
}

void ServiceServer::missingHandler(const QHttpServerRequest &, QTcpSocket *socket) {
    // handleRequest answers everything; this only runs if that ever changes.
    answer(socket, notFound(), 0, false);
}

HttpReply ServiceServer::serviceReply(const QHttpServerRequest &request, const QString &path) {
    const auto method = request.method();
    if (path == listPath) {
        if (method != QHttpServerRequest::Method::Get)
            return methodNotAllowed("GET");
        return listReply(request);
    }
    if (path == statsPath) {
        if (method != QHttpServerRequest::Method::Get)
            return methodNotAllowed("GET");
        return HttpReply::json(m_data.stats());
    }
    if (path == updatePath) {
        if (method != QHttpServerRequest::Method::Get)
            return methodNotAllowed("GET");
        return updateReply(request);
    }
    if (path == analyticsPath) {
        if (method != QHttpServerRequest::Method::Post)
            return methodNotAllowed("POST");
        return analyticsReply(request);
    }
    if (path == privacyPath) {
        if (method != QHttpServerRequest::Method::Get)
            return methodNotAllowed("GET");
        HttpReply reply;
        reply.contentType = "text/html; charset=utf-8";
        reply.body = privacyPageHtml();
        return reply;
    }
    return notFound();
}

HttpReply ServiceServer::listReply(const QHttpServerRequest &request) const {
    const QUrlQuery query = request.query();
    const QString status = query.hasQueryItem(QStringLiteral("status"))
                               ? query.queryItemValue(QStringLiteral("status"), QUrl::FullyDecoded)
                               : QStringLiteral("all");
    if (!query.hasQueryItem(QStringLiteral("limit")))
        return HttpReply::error(400, QStringLiteral("缺少参数 limit"));
    if (!query.hasQueryItem(QStringLiteral("offset")))
        return HttpReply::error(400, QStringLiteral("缺少参数 offset"));
    const auto limit = strictInteger(query.queryItemValue(QStringLiteral("limit")), 1, maxLimit);
    if (!limit)
        return HttpReply::error(
            400, QStringLiteral("参数 limit 必须是 1 到 %1 之间的整数").arg(maxLimit));
    const auto offset = strictInteger(query.queryItemValue(QStringLiteral("offset")), 0,
                                      std::numeric_limits<qint32>::max());
    if (!offset)
        return HttpReply::error(400, QStringLiteral("参数 offset 必须是不小于 0 的整数"));
    return HttpReply::json(m_data.listPage(status, *limit, *offset));
}

HttpReply ServiceServer::updateReply(const QHttpServerRequest &request) const {
    const QUrlQuery query = request.query();
    for (const QString &key : {QStringLiteral("platform"), QStringLiteral("channel"),
                               QStringLiteral("currentVersion"), QStringLiteral("currentBuild")}) {
        if (query.queryItemValue(key, QUrl::FullyDecoded).isEmpty())
            return HttpReply::error(400, QStringLiteral("缺少参数 %1").arg(key));
    }
    const QString channel = query.queryItemValue(QStringLiteral("channel"), QUrl::FullyDecoded);
    if (channel != QLatin1String("direct") && channel != QLatin1String("appstore"))
        return HttpReply::error(400, QStringLiteral("未知发行渠道 %1").arg(channel));
    return HttpReply::json(
        m_data.update(query.queryItemValue(QStringLiteral("currentVersion"), QUrl::FullyDecoded),
                      query.queryItemValue(QStringLiteral("currentBuild"), QUrl::FullyDecoded)));
}

HttpReply ServiceServer::analyticsReply(const QHttpServerRequest &request) {
    if (!headerValue(request, "content-type").toLower().startsWith("application/json"))
        return HttpReply::error(415, QStringLiteral("Content-Type 必须是 application/json"));
    QString error;
    const QJsonObject payload = validateAnalyticsPayload(request.body(), &error);
    if (payload.isEmpty())
        return HttpReply::error(400, error);
    m_analytics.append(payload);
    return HttpReply::empty(204);
}

HttpReply ServiceServer::applyFault(const Fault &fault, const QHttpServerRequest &request,
                                    const QString &path) {
    switch (fault.kind) {
    case Fault::Kind::status: {
        HttpReply reply;
        reply.status = fault.status;
        reply.contentType = fault.contentType;
        reply.body = fault.body;
        return reply;
    }
    case Fault::Kind::delay:
        return serviceReply(request, path);
    case Fault::Kind::malformedJson:
        return HttpReply::rawJson(
            QByteArrayLiteral("{\"items\": [{\"code\": \"02590\", \"name\": "));
    case Fault::Kind::wrongType:
        return HttpReply::rawJson(wrongTypeBody(serviceReply(request, path), path));
    case Fault::Kind::oversized:
        return HttpReply::rawJson(oversizedBody(serviceReply(request, path), fault.bytes));
    case Fault::Kind::drop:
        break;
    }
    return HttpReply::empty(500);
}

HttpReply ServiceServer::controlReply(const QHttpServerRequest &request, const QString &path) {
    const auto method = request.method();
    using M = QHttpServerRequest::Method;
    if (path == QLatin1String("/_control/requests") ||
        path == QLatin1String("/_control/analytics")) {
        QJsonArray &list = path.endsWith(QLatin1String("requests")) ? m_requests : m_analytics;
        if (method == M::Get) {
            return HttpReply::json(
                QJsonObject{{path.endsWith(QLatin1String("requests")) ? QStringLiteral("requests")
                                                                      : QStringLiteral("events"),
                             list}});
        }
        if (method == M::Delete) {
            list = QJsonArray();
            return HttpReply::empty(204);
        }
        return methodNotAllowed("GET, DELETE");
    }
    if (path == QLatin1String("/_control/faults")) {
        if (method == M::Post)
            return addFaultReply(request);
        if (method == M::Get)
            return HttpReply::json(QJsonObject{{QStringLiteral("faults"), m_faults.toJson()}});
        if (method == M::Delete) {
            m_faults.clear();
            return HttpReply::empty(204);
        }
        return methodNotAllowed("GET, POST, DELETE");
    }
    if (path == QLatin1String("/_control/data")) {
        if (method != M::Post)
            return methodNotAllowed("POST");
        return setDataReply(request);
    }
    return notFound();
}

HttpReply ServiceServer::addFaultReply(const QHttpServerRequest &request) {
    QString error;
    const auto object = parseObject(request.body(), &error);
    if (!object)
        return HttpReply::error(400, error);
    const QJsonValue path = object->value(QStringLiteral("path"));
    if (!path.isString() || path.toString().isEmpty())
        return HttpReply::error(400, QStringLiteral("\"path\" must be a non-empty string"));
    const auto fault = Fault::fromJson(*object, &error);
    if (!fault)
        return HttpReply::error(400, error);
    const QString absolute = absolutePath(path.toString());
    if (absolute.startsWith(controlPrefix))
        return HttpReply::error(400, QStringLiteral("the control API takes no faults"));
    m_faults.add(absolute, *fault);
    qInfo("[Service] fault queued for %s: %s x%d", qPrintable(absolute),
          qPrintable(Fault::kindName(fault->kind)), fault->count);
    QJsonObject queued = fault->toJson();
    queued.insert(QStringLiteral("path"), absolute);
    return HttpReply::json(queued);
}

HttpReply ServiceServer::setDataReply(const QHttpServerRequest &request) {
    QString error;
    const auto object = parseObject(request.body(), &error);
    if (!object)
        return HttpReply::error(400, error);
    auto data = ServiceData::fromJson(*object, &error);
    if (!data)
        return HttpReply::error(400, error);
    m_data = std::move(*data);
    qInfo("[Service] data replaced: %lld items", static_cast<long long>(m_data.items().size()));
    return HttpReply::json(
        QJsonObject{{QStringLiteral("items"), static_cast<qint64>(m_data.items().size())}});
}

void ServiceServer::answer(QTcpSocket *socket, const HttpReply &reply, int delayMs, bool drop) {
    QPointer<QTcpSocket> guard(socket);
    auto send = [guard, reply, drop] {
        // The client may have given up while the answer was held back.
        if (!guard || guard->state() != QAbstractSocket::ConnectedState)
            return;
        if (drop) {
            // Break the connection in the middle of an answer. A connection closed before the
            // first byte of an answer is not a failure to Qt's network access manager: it sends
            // the request again on a new connection, so a silent drop would never reach the
            // client under test. Once the head is out, the close is an error it reports.
            guard->write(droppedHead);
            guard->flush();
            if (guard->bytesToWrite() > 0)
                guard->waitForBytesWritten(1000);
            guard->abort();
            return;
        }
        guard->write(reply.serialize());
        if (reply.closeAfter || reply.status < 200)
            guard->disconnectFromHost();
    };
    if (delayMs > 0)
        QTimer::singleShot(delayMs, this, send);
    else
        send();
}

} // namespace orvelservice
