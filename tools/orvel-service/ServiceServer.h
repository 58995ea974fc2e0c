#pragma once

#include "FaultQueue.h"
#include "HttpReply.h"
#include "ServiceData.h"

#include <QAbstractHttpServer>
#include <QJsonArray>
#include <QSslConfiguration>

class QTcpSocket;

namespace orvelservice {

// The local stand-in for the IPO service, HTTPS on 127.0.0.1 only.
//
// Service endpoints (JSON bodies are application/json; charset=utf-8, errors are {"error": text}):
//   GET  /v2/ipos?status=S&limit=L&offset=O   page of items; status "all" or an exact status
//                                              string; 1 <= L <= 500, O >= 0, both required
//   GET  /v2/ipos/stats                       {"counts": {...}, "latestSync": {...}}
//   GET  /v2/app/update?platform=&channel=&currentVersion=&currentBuild=
//   POST /v2/analytics/client                 a usage event; 204 when valid, kept in memory
//   GET  /privacy                             the privacy page (HTML)
// Unknown paths answer 404, a known path with another method 405.
//
// Control API for tests, under /_control/ (never logged, never faulted):
//   GET    /_control/requests   {"requests": [{method, path, query, headers, body?}, ...]}: every
//                               other request in arrival order; path and query byte-for-byte
//                               as the client sent them (query without the "?")
//   DELETE /_control/requests   forgets them
//   GET    /_control/analytics  {"events": [payload, ...]}: accepted usage events in order
//   DELETE /_control/analytics  forgets them
//   POST   /_control/faults     {"path": "/v2/ipos" (or "ipos", taken as under /v2), "kind":
//                               status|delay|malformedJson|wrongType|oversized|drop (the
//                               connection breaks after the answer's head, see answer()),
//                               "status", "body" or "bodyBase64", "contentType", "delayMs",
//                               "bytes", "count"}; queued per path, one consumed per request
//   GET    /_control/faults     {"faults": [...]}: what is still queued
//   DELETE /_control/faults     drops every queued fault
//   POST   /_control/data       replaces the data, same form as the --data file
class ServiceServer : public QAbstractHttpServer {
    Q_OBJECT
public:
    explicit ServiceServer(ServiceData data, QObject *parent = nullptr);

    // Listens on 127.0.0.1:port (0 picks a free port). Returns the port, or 0 with `error` set.
    quint16 listenLocal(quint16 port, const QSslConfiguration &tls, QString *error);

protected:
    bool handleRequest(const QHttpServerRequest &request, QTcpSocket *socket) override;
    void missingHandler(const QHttpServerRequest &request, QTcpSocket *socket) override;

private:
    HttpReply serviceReply(const QHttpServerRequest &request, const QString &path);
    HttpReply listReply(const QHttpServerRequest &request) const;
    HttpReply updateReply(const QHttpServerRequest &request) const;
    HttpReply analyticsReply(const QHttpServerRequest &request);
    HttpReply controlReply(const QHttpServerRequest &request, const QString &path);
    HttpReply addFaultReply(const QHttpServerRequest &request);
    HttpReply setDataReply(const QHttpServerRequest &request);
    HttpReply applyFault(const Fault &fault, const QHttpServerRequest &request,
                         const QString &path);

    void answer(QTcpSocket *socket, const HttpReply &reply, int delayMs, bool drop);

    ServiceData m_data;
    FaultQueue m_faults;
    QJsonArray m_requests;
    QJsonArray m_analytics;
};

} // namespace orvelservice
