#include "LocalService.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QJsonDocument>
#include <QNetworkAccessManager>
#include <QTimer>

namespace testsupport {

namespace {

constexpr int waitMs = 20000;

QByteArray compact(const QJsonObject &object) {
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

} // namespace

LocalService::~LocalService() {
    if (isRunning())
        stop();
}

bool LocalService::start(const QString &dataFile) {
    m_error.clear();
    if (m_ca.isEmpty()) {
        m_dir = std::make_unique<QTemporaryDir>(QDir::tempPath() + "/orvel-service-XXXXXX");
        QProcess script;
        script.start(QStringLiteral(ORVEL_SOURCE_DIR "/scripts/dev-cert"), {m_dir->path()});
        script.waitForFinished(60000);
        m_ca = QSslCertificate::fromPath(caFile(), QSsl::Pem);
        if (m_ca.isEmpty()) {
            m_error =
                "scripts/dev-cert failed: " + QString::fromLocal8Bit(script.readAllStandardError());
            return false;
        }
    }
    QStringList arguments{"--port", "0",
                          "--cert", m_dir->filePath("server.pem"),
                          "--key",  m_dir->filePath("server.key")};
    arguments << (dataFile.isEmpty() ? QStringList{"--demo"} : QStringList{"--data", dataFile});
    if (dataFile.isEmpty() && m_demoDate.isValid())
        arguments << "--today" << m_demoDate.toString(Qt::ISODate);
    m_process = std::make_unique<QProcess>();
    m_process->start(QStringLiteral(ORVEL_SERVICE_EXECUTABLE), arguments);

    // The first line on standard output is the base URL, written once the service listens.
    const QDeadlineTimer deadline(waitMs);
    while (m_process->waitForStarted(waitMs) && !m_process->canReadLine() &&
           m_process->state() == QProcess::Running && !deadline.hasExpired())
        m_process->waitForReadyRead(int(std::max<qint64>(1, deadline.remainingTime())));
    m_baseUrl = m_process->canReadLine()
                    ? QUrl(QString::fromUtf8(m_process->readLine()).trimmed(), QUrl::StrictMode)
                    : QUrl();
    if (m_baseUrl.scheme() != QLatin1String("https") || m_baseUrl.port() <= 0) {
        m_process->kill();
        m_process->waitForFinished(waitMs);
        m_error =
            "orvel-service did not start: " + QString::fromUtf8(m_process->readAllStandardError());
        m_process.reset();
        return false;
    }
    m_network = std::make_unique<QNetworkAccessManager>();
    return true;
}

bool LocalService::stop() {
    if (!isRunning())
        return false;
    m_process->terminate();
    if (!m_process->waitForFinished(waitMs)) {
        m_error = QStringLiteral("orvel-service ignored SIGTERM");
        m_process->kill();
        m_process->waitForFinished(waitMs);
        return false;
    }
    return m_process->exitStatus() == QProcess::NormalExit && m_process->exitCode() == 0;
}

QUrl LocalService::url(const QString &path, const QString &query) const {
    QUrl result = m_baseUrl;
    result.setPath(path.startsWith(u'/') ? path : m_baseUrl.path() + u'/' + path);
    if (!query.isNull())
        result.setQuery(query, QUrl::StrictMode);
    return result;
}

QNetworkRequest LocalService::request(const QString &path, const QString &query) const {
    QNetworkRequest request(url(path, query));
    QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
    configuration.setCaCertificates(m_ca);
    configuration.setPeerVerifyMode(QSslSocket::VerifyPeer);
    request.setSslConfiguration(configuration);
    return request;
}

bool LocalService::control(const QByteArray &verb, const char *what, const QByteArray &body,
                           Response *answer) {
    if (!m_network) {
        m_error = QStringLiteral("the service is not started");
        return false;
    }
    QNetworkRequest request = this->request("/_control/" + QLatin1String(what));
    request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("application/json"));
    const Response response = exchange(*m_network, request, verb, body, waitMs);
    if (answer)
        *answer = response;
    if (response.status >= 200 && response.status < 300)
        return true;
    m_error =
        QString::fromUtf8(verb + ' ' + what + " failed: " + QByteArray::number(response.status) +
                          ' ' + response.body);
    return false;
}

bool LocalService::addFault(const QString &path, const Fault &fault) {
    static const char *const kinds[] = {"status", "delay", "malformedJson", "oversized", "drop"};
    QJsonObject object{{"path", path.startsWith(u'/') ? path : m_baseUrl.path() + u'/' + path},
                       {"kind", kinds[int(fault.kind)]},
                       {"count", fault.count},
                       {"delayMs", fault.delayMs}};
    if (fault.kind == Fault::Kind::status) {
        object.insert("status", fault.status);
        object.insert("bodyBase64", QString::fromLatin1(fault.body.toBase64()));
        object.insert("contentType", QString::fromLatin1(fault.contentType));
    }
    if (fault.kind == Fault::Kind::oversized)
        object.insert("bytes", fault.bytes);
    return control("POST", "faults", compact(object));
}

bool LocalService::setData(const QJsonObject &data) {
    return control("POST", "data", compact(data));
}

QList<QJsonObject> LocalService::controlList(const char *what, const char *key) {
    Response response;
    QList<QJsonObject> list;
    if (control("GET", what, {}, &response))
        for (const QJsonValue &value :
             QJsonDocument::fromJson(response.body)[key ? key : what].toArray())
            list.append(value.toObject());
    return list;
}

LocalService::Response LocalService::exchange(QNetworkAccessManager &network,
                                              const QNetworkRequest &request,
                                              const QByteArray &verb, const QByteArray &body,
                                              int timeoutMs) {
    std::unique_ptr<QNetworkReply> reply(
        verb == "GET" ? network.get(request) : network.sendCustomRequest(request, verb, body));
    QEventLoop loop;
    QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    if (!reply->isFinished())
        loop.exec();
    if (!reply->isFinished())
        reply->abort();
    return {reply->error(), reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(),
            reply->readAll()};
}

QJsonObject remoteIPOJson(const QString &code, const QString &name, const QString &status,
                          const QString &subStart) {
    return {{"code", code},
            {"name", name},
            {"subStart", subStart.isEmpty() ? QJsonValue(QJsonValue::Null) : QJsonValue(subStart)},
            {"subEnd", QJsonValue::Null},
            {"listDate", QJsonValue::Null},
            {"lotAmount", "3,030"},
            {"priceRange", "2.80-3.03"},
            {"prospectusUrl", ""},
            {"status", status},
            {"board", "主板"}};
}

QJsonObject serviceDataJson(const QJsonArray &items) {
    return {{"items", items}};
}

} // namespace testsupport
