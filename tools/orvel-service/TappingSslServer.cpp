#include "TappingSslServer.h"

#include "RequestTargetTap.h"

namespace orvelservice {

QTcpSocket *TappingSslServer::nextPendingConnection() {
    QTcpSocket *socket = QSslServer::nextPendingConnection();
    if (socket)
        RequestTargetTap::install(socket);
    return socket;
}

} // namespace orvelservice
