#pragma once

#include <QSslServer>

namespace orvelservice {

// A QSslServer that puts a RequestTargetTap on each connection before handing it out, so the
// tap's readyRead slot runs ahead of the HTTP server's.
class TappingSslServer : public QSslServer {
    Q_OBJECT
public:
    using QSslServer::QSslServer;
    QTcpSocket *nextPendingConnection() override;
};

} // namespace orvelservice
