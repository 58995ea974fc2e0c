#include "AnalyticsHTTPSender.h"

#include "service/HTTPFailure.h"
#include "service/IPOAPIClient.h"
#include "service/URLBuilding.h"

#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSslConfiguration>

namespace {

void logOutcome(const QNetworkReply &reply) {
    const QVariant status = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute);
    // A status that arrived is reported as a status, also one Qt files as a network error.
    if (HTTPFailure::isTransportFailure(reply)) {
        qWarning().noquote() << QStringLiteral("[Analytics] Failed sending analytics event: ") +
                                    reply.errorString();
        return;
    }
    if (!status.isValid())
        return;
    const int code = status.toInt();
    if (code < 200 || code > 299)
        qWarning().noquote() << QStringLiteral("[Analytics] Request failed with status: ") +
                                    QString::number(code);
}

} // namespace

AnalyticsHTTPSender::AnalyticsHTTPSender(IPOAPIClient &client, Options options, QObject *parent)
    : QObject(parent)
    , m_client(client)
    , m_options(options) {}

AnalyticsHTTPSender &AnalyticsHTTPSender::shared() {
    static AnalyticsHTTPSender *const instance = new AnalyticsHTTPSender(IPOAPIClient::shared());
    return *instance;
}

QUrl AnalyticsHTTPSender::endpointURL() const {
    return appendingPath(m_client.baseURL(), u"analytics/client");
}

void AnalyticsHTTPSender::sendEvent(const AnalyticsEventPayload &payload) {
    QNetworkRequest request(endpointURL());
    request.setTransferTimeout(static_cast<int>(m_options.timeout.count()));
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("application/json"));
    request.setSslConfiguration(m_client.sslConfiguration());

    QNetworkReply *reply = m_client.network().post(request, payload.encoded());
    // The reply belongs to the client's network access, not to this sender, so its outcome is
    // still logged if the sender goes first; the body is never read.
    connect(reply, &QNetworkReply::finished, reply, [reply] {
        logOutcome(*reply);
        reply->deleteLater();
    });
    connect(reply, &QNetworkReply::finished, this, &AnalyticsHTTPSender::sendFinished);
}
