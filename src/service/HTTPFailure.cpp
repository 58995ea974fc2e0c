#include "HTTPFailure.h"

bool HTTPFailure::isTransportFailure(const QNetworkReply &reply) {
    const QNetworkReply::NetworkError error = reply.error();
    if (error == QNetworkReply::NoError)
        return false;
    if (!reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid())
        return true;
    // Below the proxy range: the connection's own failures, which leave the answer incomplete.
    return error < QNetworkReply::ProxyConnectionRefusedError;
}
