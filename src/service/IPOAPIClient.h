#pragma once

#include "ApplicationInformation.h"
#include "IPOAPIClientProtocol.h"
#include "JsonObjectReader.h"

#include <QNetworkAccessManager>
#include <QObject>
#include <QSslCertificate>
#include <QUrl>

#include <chrono>
#include <optional>

struct IPOAPIClientOptions {
    std::chrono::milliseconds timeout{20000};
    // Trusted in addition to the system store (the local service's CA); never instead of it.
    QList<QSslCertificate> extraCACertificates;
    // The same, as PEM text decoded at the first request: decoding a certificate loads the TLS
    // backend, which the start of the application should not wait for.
    QByteArray extraCACertificatesPem = {};
    // Answers larger than this are refused before decoding.
    qint64 maxBodyBytes = 16 * 1024 * 1024;
    // Where fetchAppUpdate asks; the build's own endpoint unless a test points it elsewhere.
    QUrl updateEndpoint = updateEndpointURL();
};

// The application's only door to the IPO service: builds the request URLs, sends GETs with a
// fixed time-out and no local cache, checks the HTTP status and decodes the typed answers.
// Everything runs on the main thread's event loop; any number of requests may be in flight.
class IPOAPIClient : public QObject, public IPOAPIClientProtocol {
    Q_OBJECT
public:
    using Options = IPOAPIClientOptions;

    explicit IPOAPIClient(QUrl baseURL, Options options = {}, QObject *parent = nullptr);

    // The build's own service (ORVEL_SERVICE_BASE_URL, plus ORVEL_SERVICE_CA_FILE when set).
    static IPOAPIClient &shared();
    // Points the shared client elsewhere before its first use. Only the end-to-end test build of
    // the application calls this (to reach a local service with a throwaway CA); the shipped
    // application has no way to change its service at run time.
    static void replaceSharedConfiguration(QUrl baseURL, Options options);

    const QUrl &baseURL() const { return m_baseURL; }
    // The one HTTP client instance of the application, shared with the analytics sender.
    QNetworkAccessManager &network() { return m_network; }
    // The TLS settings every request of this client uses.
    QSslConfiguration sslConfiguration() const;

    QCoro::Task<ServiceResult<RemoteIPOListResponse>> fetchIPOs(QString status, qint64 limit,
                                                                qint64 offset) override;
    QCoro::Task<ServiceResult<RemoteIPOStatsResponse>>
    fetchStats(const RequestCancellation *cancellation = nullptr) override;
    QCoro::Task<ServiceResult<AppUpdateResponse>> fetchAppUpdate(QString platform,
                                                                 DistributionChannel channel,
                                                                 QString currentVersion,
                                                                 QString currentBuild) override;

    // The one request path: GET `url` and decode a T from a 2xx answer. A cancellation, when
    // given, aborts the request.
    template <typename T>
    QCoro::Task<ServiceResult<T>> performRequest(QUrl url,
                                                 const RequestCancellation *cancellation = nullptr);

    struct HTTPAnswer {
        int status = 0;
        QByteArray body;
    };
    // Status handling and decoding of an answer that arrived; pure, so tests can feed it.
    template <typename T> static ServiceResult<T> interpret(const HTTPAnswer &answer);
    static IPOAPIClientError errorForStatus(const HTTPAnswer &answer);

private:
    QCoro::Task<Expected<HTTPAnswer, IPOAPIClientError>>
    get(QUrl url, const RequestCancellation *cancellation);

    QUrl m_baseURL;
    Options m_options;
    // extraCACertificatesPem, decoded once it is needed.
    mutable std::optional<QList<QSslCertificate>> m_decodedPemCertificates;
    QNetworkAccessManager m_network;
};

template <typename T>
QCoro::Task<ServiceResult<T>>
IPOAPIClient::performRequest(QUrl url, const RequestCancellation *cancellation) {
    const Expected<HTTPAnswer, IPOAPIClientError> answer =
        co_await get(std::move(url), cancellation);
    if (!answer)
        co_return answer.error();
    co_return interpret<T>(*answer);
}

template <typename T> ServiceResult<T> IPOAPIClient::interpret(const HTTPAnswer &answer) {
    if (answer.status < 200 || answer.status > 299)
        return errorForStatus(answer);
    Expected<T, QString> decoded = JsonObjectReader::decode<T>(answer.body, &T::decode);
    if (!decoded)
        return IPOAPIClientError::decoding(decoded.error());
    return std::move(decoded).value();
}
