#include "IPOAPIClient.h"

#include "APIErrorResponse.h"
#include "BuildConfig.h"
#include "HTTPFailure.h"
#include "RequestCancellation.h"
#include "URLBuilding.h"

#include <QCoreApplication>
#include <QCoroNetworkReply>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSslConfiguration>

#include <memory>

namespace {

const char *const tooLargeProperty = "orvelBodyTooLarge";
const char *const cancelledProperty = "orvelCancelled";

QString transportDescription(const QNetworkReply &reply) {
    switch (reply.error()) {
    case QNetworkReply::OperationCanceledError:
    case QNetworkReply::TimeoutError:
        // The only aborts are the client's own time-out, the size cap and the caller's
        // cancellation; the last two are reported apart.
        return QCoreApplication::translate("IPOAPIClient", "请求超时，请检查网络后重试");
    case QNetworkReply::ConnectionRefusedError:
        return QCoreApplication::translate("IPOAPIClient", "无法连接到服务器，请稍后重试");
    case QNetworkReply::HostNotFoundError:
        return QCoreApplication::translate("IPOAPIClient", "找不到服务器，请检查网络连接");
    case QNetworkReply::RemoteHostClosedError:
        return QCoreApplication::translate("IPOAPIClient", "服务器意外断开了连接");
    case QNetworkReply::SslHandshakeFailedError:
        return QCoreApplication::translate("IPOAPIClient", "无法建立安全连接（%1）")
            .arg(reply.errorString());
    case QNetworkReply::InsecureRedirectError:
        return QCoreApplication::translate("IPOAPIClient",
                                           "服务器试图重定向到不安全的地址，已拒绝");
    case QNetworkReply::TooManyRedirectsError:
        return QCoreApplication::translate("IPOAPIClient", "服务器重定向次数过多");
    default:
        return QCoreApplication::translate("IPOAPIClient", "网络错误：%1").arg(reply.errorString());
    }
}

IPOAPIClientError tooLarge(qint64 cap) {
    return IPOAPIClientError::transport(
        QCoreApplication::translate("IPOAPIClient", "服务器返回的数据过大（超过 %1 MiB），已拒绝")
            .arg(cap / (1024 * 1024)));
}

IPOAPIClientError cancelled() {
    return IPOAPIClientError::transport(QCoreApplication::translate("IPOAPIClient", "请求已取消"));
}

struct ReplyDeleter {
    void operator()(QNetworkReply *reply) const { reply->deleteLater(); }
};

} // namespace

IPOAPIClient::IPOAPIClient(QUrl baseURL, Options options, QObject *parent)
    : QObject(parent)
    , m_baseURL(std::move(baseURL))
    , m_options(std::move(options)) {
    // Nothing is cached locally and no cookie ever matters to the service.
    m_network.setCache(nullptr);
    m_network.setRedirectPolicy(QNetworkRequest::NoLessSafeRedirectPolicy);
}

namespace {

std::optional<std::pair<QUrl, IPOAPIClientOptions>> &sharedReplacement() {
    static std::optional<std::pair<QUrl, IPOAPIClientOptions>> replacement;
    return replacement;
}

} // namespace

void IPOAPIClient::replaceSharedConfiguration(QUrl baseURL, Options options) {
    sharedReplacement() = std::make_pair(std::move(baseURL), std::move(options));
}

IPOAPIClient &IPOAPIClient::shared() {
    // Lives until the application object goes, after the event loop: no request can outlive it,
    // and its network thread is joined before the process exits. Left running, that thread can
    // be setting up TLS while OpenSSL's exit handlers tear the library down, and a quit during
    // a refresh would end in a crash.
    static IPOAPIClient *const instance = [] {
        IPOAPIClient *client = nullptr;
        if (const auto &replacement = sharedReplacement()) {
            client = new IPOAPIClient(replacement->first, replacement->second);
        } else {
            Options options;
            options.extraCACertificatesPem = QByteArray(buildconfig::serviceCAPem).trimmed();
            client = new IPOAPIClient(QUrl(QString::fromUtf8(buildconfig::serviceBaseURL)),
                                      std::move(options));
        }
        qAddPostRoutine([] { delete instance; });
        return client;
    }();
    return *instance;
}

QSslConfiguration IPOAPIClient::sslConfiguration() const {
    QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
    if (!m_options.extraCACertificates.isEmpty())
        configuration.addCaCertificates(m_options.extraCACertificates);
    if (!m_options.extraCACertificatesPem.isEmpty()) {
        if (!m_decodedPemCertificates)
            m_decodedPemCertificates =
                QSslCertificate::fromData(m_options.extraCACertificatesPem, QSsl::Pem);
        configuration.addCaCertificates(*m_decodedPemCertificates);
    }
    return configuration;
}

QCoro::Task<ServiceResult<RemoteIPOListResponse>>
IPOAPIClient::fetchIPOs(QString status, qint64 limit, qint64 offset) {
    const std::optional<QUrl> url = withQuery(
        appendingPath(m_baseURL, u"ipos"), {{QStringLiteral("status"), status},
                                            {QStringLiteral("limit"), QString::number(limit)},
                                            {QStringLiteral("offset"), QString::number(offset)}});
    if (!url)
        co_return IPOAPIClientError::invalidURL();
    co_return co_await performRequest<RemoteIPOListResponse>(*url);
}

QCoro::Task<ServiceResult<RemoteIPOStatsResponse>>
IPOAPIClient::fetchStats(const RequestCancellation *cancellation) {
    co_return co_await performRequest<RemoteIPOStatsResponse>(
        appendingPath(m_baseURL, u"ipos/stats"), cancellation);
}

QCoro::Task<ServiceResult<AppUpdateResponse>>
IPOAPIClient::fetchAppUpdate(QString platform, DistributionChannel channel, QString currentVersion,
                             QString currentBuild) {
    // The endpoint's own query, if it has one, is replaced rather than merged.
    const std::optional<QUrl> url =
        withQuery(m_options.updateEndpoint, {{QStringLiteral("platform"), platform},
                                             {QStringLiteral("channel"), rawValue(channel)},
                                             {QStringLiteral("currentVersion"), currentVersion},
                                             {QStringLiteral("currentBuild"), currentBuild}});
    if (!url)
        co_return IPOAPIClientError::invalidURL();
    co_return co_await performRequest<AppUpdateResponse>(*url);
}

IPOAPIClientError IPOAPIClient::errorForStatus(const HTTPAnswer &answer) {
    Expected<APIErrorResponse, QString> body =
        JsonObjectReader::decode<APIErrorResponse>(answer.body, &APIErrorResponse::decode);
    if (body)
        return IPOAPIClientError::serverError(body->error);
    return IPOAPIClientError::serverError(
        QCoreApplication::translate("IPOAPIClient", "API 请求失败 (%1)").arg(answer.status));
}

QCoro::Task<Expected<IPOAPIClient::HTTPAnswer, IPOAPIClientError>>
IPOAPIClient::get(QUrl url, const RequestCancellation *cancellation) {
    if (!url.isValid() || url.isRelative())
        co_return IPOAPIClientError::invalidURL();
    if (cancellation && cancellation->isCancelled())
        co_return cancelled();

    QNetworkRequest request(url);
    request.setTransferTimeout(static_cast<int>(m_options.timeout.count()));
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setSslConfiguration(sslConfiguration());

    std::unique_ptr<QNetworkReply, ReplyDeleter> reply(m_network.get(request));
    QNetworkReply *raw = reply.get();
    const qint64 cap = m_options.maxBodyBytes;
    // Refuse an oversized answer as soon as its size is known or exceeded, before it is all in
    // memory; nothing past the cap is ever decoded.
    connect(raw, &QNetworkReply::downloadProgress, raw, [raw, cap](qint64 received, qint64 total) {
        if (received > cap || total > cap) {
            raw->setProperty(tooLargeProperty, true);
            raw->abort();
        }
    });

    if (cancellation) {
        connect(cancellation, &RequestCancellation::cancelled, raw, [raw] {
            raw->setProperty(cancelledProperty, true);
            raw->abort();
        });
    }

    co_await raw;

    if (raw->property(tooLargeProperty).toBool())
        co_return tooLarge(cap);
    if (raw->property(cancelledProperty).toBool())
        co_return cancelled();

    const QVariant status = raw->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (HTTPFailure::isTransportFailure(*raw))
        co_return IPOAPIClientError::transport(transportDescription(*raw));
    if (!status.isValid())
        co_return IPOAPIClientError::invalidResponse();

    HTTPAnswer answer{status.toInt(), raw->readAll()};
    if (answer.body.size() > cap)
        co_return tooLarge(cap);
    co_return answer;
}
