#include "LocalService.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QFile>
#include <QJsonDocument>
#include <QNetworkAccessManager>
#include <QNetworkRequest>
#include <QSaveFile>
#include <QTimer>

namespace testsupport {

namespace {

constexpr int certificateTimeoutMs = 60000;
constexpr int startTimeoutMs = 20000;
constexpr int stopTimeoutMs = 10000;
constexpr int controlTimeoutMs = 10000;

QString kindName(LocalService::Fault::Kind kind) {
    static const char *const names[] = {"status",    "delay",     "malformedJson",
                                        "wrongType", "oversized", "drop"};
    return QString::fromLatin1(names[static_cast<int>(kind)]);
}

} // namespace

LocalService::Fault LocalService::Fault::withStatus(int status, const QByteArray &body,
                                                    const QByteArray &contentType) {
    Fault fault;
    fault.status = status;
    fault.body = body;
    fault.contentType = contentType;
    return fault;
}
LocalService::Fault LocalService::Fault::delay(int ms) {
    Fault fault = of(Kind::delay);
    fault.delayMs = ms;
    return fault;
}
LocalService::Fault LocalService::Fault::malformedJson() {
    return of(Kind::malformedJson);
}
LocalService::Fault LocalService::Fault::wrongType() {
    return of(Kind::wrongType);
}
LocalService::Fault LocalService::Fault::oversized(qint64 bytes) {
    Fault fault = of(Kind::oversized);
    fault.bytes = bytes;
    return fault;
}
LocalService::Fault LocalService::Fault::drop() {
    return of(Kind::drop);
}

QJsonObject LocalService::Response::json() const {
    return QJsonDocument::fromJson(body).object();
}

LocalService::LocalService() = default;

LocalService::~LocalService() {
    if (m_process && m_process->state() != QProcess::NotRunning) {
        m_process->terminate();
        if (!m_process->waitForFinished(stopTimeoutMs)) {
            m_process->kill();
            m_process->waitForFinished(stopTimeoutMs);
        }
    }
}

bool LocalService::makeCertificates() {
    m_dir =
        std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/orvel-service-XXXXXX"));
    if (!m_dir->isValid()) {
        m_error = QStringLiteral("cannot make a temporary folder: %1").arg(m_dir->errorString());
        return false;
    }
    QProcess script;
    script.setProgram(QStringLiteral(ORVEL_SOURCE_DIR "/scripts/dev-cert"));
    script.setArguments({m_dir->path()});
    script.start();
    if (!script.waitForFinished(certificateTimeoutMs) ||
        script.exitStatus() != QProcess::NormalExit || script.exitCode() != 0) {
        m_error =
            QStringLiteral("scripts/dev-cert failed: %1 %2")
                .arg(script.errorString(), QString::fromLocal8Bit(script.readAllStandardError()));
        script.kill();
        script.waitForFinished();
        return false;
    }
    m_ca = QSslCertificate::fromPath(caFile(), QSsl::Pem);
    if (m_ca.isEmpty()) {
        m_error = QStringLiteral("no CA certificate in %1").arg(caFile());
        return false;
    }
    return true;
}

bool LocalService::start(const QString &dataFile) {
    if (isRunning()) {
        m_error = QStringLiteral("already running");
        return false;
    }
    m_error.clear();
    m_log.clear();
    m_baseUrl = QUrl();
    if (m_ca.isEmpty() && !makeCertificates())
        return false;

    m_process = std::make_unique<QProcess>();
    m_process->setProgram(QStringLiteral(ORVEL_SERVICE_EXECUTABLE));
    QStringList arguments{QStringLiteral("--port"), QStringLiteral("0"),
                          QStringLiteral("--cert"), m_dir->filePath(QStringLiteral("server.pem")),
                          QStringLiteral("--key"),  m_dir->filePath(QStringLiteral("server.key"))};
    if (!dataFile.isEmpty())
        arguments << QStringLiteral("--data") << dataFile;
    else if (m_demoDate.isValid())
        arguments << QStringLiteral("--demo") << QStringLiteral("--today")
                  << m_demoDate.toString(Qt::ISODate);
    else
        arguments << QStringLiteral("--demo");
    m_process->setArguments(arguments);
    m_process->start();

    // The first line on standard output is the base URL, written once the service listens.
    const QDeadlineTimer deadline(startTimeoutMs);
    bool started = m_process->waitForStarted(startTimeoutMs);
    while (started && !m_process->canReadLine() && !deadline.hasExpired()) {
        if (!m_process->waitForReadyRead(
                static_cast<int>(std::max<qint64>(1, deadline.remainingTime()))) &&
            m_process->state() == QProcess::NotRunning)
            break;
    }
    const QUrl url =
        m_process->canReadLine()
            ? QUrl(QString::fromUtf8(m_process->readLine()).trimmed(), QUrl::StrictMode)
            : QUrl();
    if (!url.isValid() || url.scheme() != QLatin1String("https") || url.port() <= 0) {
        m_process->kill();
        m_process->waitForFinished(stopTimeoutMs);
        m_error = QStringLiteral("orvel-service did not start (%1): %2")
                      .arg(m_process->errorString(), QString::fromUtf8(log()));
        m_process.reset();
        return false;
    }
    m_baseUrl = url;
    m_network = std::make_unique<QNetworkAccessManager>();
    return true;
}

bool LocalService::stop() {
    if (!isRunning()) {
        m_error = QStringLiteral("not running");
        return false;
    }
    m_process->terminate();
    if (!m_process->waitForFinished(stopTimeoutMs)) {
        m_error = QStringLiteral("orvel-service ignored SIGTERM");
        m_process->kill();
        m_process->waitForFinished(stopTimeoutMs);
        return false;
    }
    log();
    if (m_process->exitStatus() != QProcess::NormalExit || m_process->exitCode() != 0) {
        m_error = QStringLiteral("orvel-service ended with status %1").arg(m_process->exitCode());
        return false;
    }
    return true;
}

bool LocalService::isRunning() const {
    return m_process && m_process->state() != QProcess::NotRunning;
}

qint64 LocalService::processId() const {
    return m_process ? m_process->processId() : 0;
}

QString LocalService::errorString() const {
    return m_error;
}

QUrl LocalService::baseUrl() const {
    return m_baseUrl;
}

QUrl LocalService::url(const QString &path, const QString &query) const {
    QUrl result = m_baseUrl;
    result.setPath(path.startsWith(QLatin1Char('/')) ? path
                                                     : m_baseUrl.path() + QLatin1Char('/') + path);
    if (!query.isNull())
        result.setQuery(query, QUrl::StrictMode);
    return result;
}

QNetworkRequest LocalService::request(const QString &path, const QString &query) const {
    QNetworkRequest request(url(path, query));
    request.setSslConfiguration(sslConfiguration());
    return request;
}

QString LocalService::caFile() const {
    return m_dir ? m_dir->filePath(QStringLiteral("ca.pem")) : QString();
}

QList<QSslCertificate> LocalService::caCertificates() const {
    return m_ca;
}

QSslConfiguration LocalService::sslConfiguration() const {
    QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
    configuration.setCaCertificates(m_ca);
    configuration.setPeerVerifyMode(QSslSocket::VerifyPeer);
    return configuration;
}

QByteArray LocalService::log() {
    if (m_process)
        m_log += m_process->readAllStandardError();
    return m_log;
}

LocalService::Response LocalService::control(const QByteArray &verb, const QString &path,
                                             const QByteArray &body) {
    if (!m_network) {
        Response response;
        response.error = QNetworkReply::ProtocolFailure;
        response.errorString = QStringLiteral("the service is not started");
        return response;
    }
    QNetworkRequest request = this->request(path);
    if (!body.isEmpty())
        request.setHeader(QNetworkRequest::ContentTypeHeader,
                          QByteArrayLiteral("application/json"));
    return exchange(*m_network, request, verb, body, controlTimeoutMs);
}

bool LocalService::controlOk(const Response &response, const QString &what) {
    if (response.status >= 200 && response.status < 300)
        return true;
    m_error = QStringLiteral("%1 failed: %2 %3 %4")
                  .arg(what)
                  .arg(response.status)
                  .arg(response.errorString, QString::fromUtf8(response.body));
    return false;
}

bool LocalService::addFault(const QString &relativePath, const Fault &fault) {
    const QString path = relativePath.startsWith(QLatin1Char('/'))
                             ? relativePath
                             : m_baseUrl.path() + QLatin1Char('/') + relativePath;
    QJsonObject object{{QStringLiteral("path"), path},
                       {QStringLiteral("kind"), kindName(fault.kind)},
                       {QStringLiteral("count"), fault.count}};
    if (fault.delayMs > 0)
        object.insert(QStringLiteral("delayMs"), fault.delayMs);
    if (fault.kind == Fault::Kind::status) {
        object.insert(QStringLiteral("status"), fault.status);
        object.insert(QStringLiteral("bodyBase64"), QString::fromLatin1(fault.body.toBase64()));
        object.insert(QStringLiteral("contentType"), QString::fromLatin1(fault.contentType));
    }
    if (fault.kind == Fault::Kind::oversized)
        object.insert(QStringLiteral("bytes"), fault.bytes);
    return controlOk(control("POST", QStringLiteral("/_control/faults"),
                             QJsonDocument(object).toJson(QJsonDocument::Compact)),
                     QStringLiteral("addFault"));
}

bool LocalService::failNext(const QString &relativePath, int status, const QByteArray &body,
                            const QByteArray &contentType) {
    return addFault(relativePath, Fault::withStatus(status, body, contentType));
}

bool LocalService::delayNext(const QString &relativePath, int ms) {
    return addFault(relativePath, Fault::delay(ms));
}

bool LocalService::clearFaults() {
    return controlOk(control("DELETE", QStringLiteral("/_control/faults")),
                     QStringLiteral("clearFaults"));
}

QList<QJsonObject> LocalService::pendingFaults() {
    return controlList(QStringLiteral("/_control/faults"), QStringLiteral("faults"));
}

bool LocalService::setData(const QJsonObject &data) {
    return controlOk(control("POST", QStringLiteral("/_control/data"),
                             QJsonDocument(data).toJson(QJsonDocument::Compact)),
                     QStringLiteral("setData"));
}

QList<QJsonObject> LocalService::requests() {
    return controlList(QStringLiteral("/_control/requests"), QStringLiteral("requests"));
}

bool LocalService::clearRequests() {
    return controlOk(control("DELETE", QStringLiteral("/_control/requests")),
                     QStringLiteral("clearRequests"));
}

QList<QJsonObject> LocalService::analyticsReceived() {
    return controlList(QStringLiteral("/_control/analytics"), QStringLiteral("events"));
}

bool LocalService::clearAnalytics() {
    return controlOk(control("DELETE", QStringLiteral("/_control/analytics")),
                     QStringLiteral("clearAnalytics"));
}

QList<QJsonObject> LocalService::controlList(const QString &path, const QString &key) {
    const Response response = control("GET", path);
    QList<QJsonObject> list;
    if (!controlOk(response, path))
        return list;
    for (const QJsonValue &value : response.json().value(key).toArray())
        list.append(value.toObject());
    return list;
}

LocalService::Response LocalService::exchange(QNetworkAccessManager &network,
                                              const QNetworkRequest &request,
                                              const QByteArray &verb, const QByteArray &body,
                                              int timeoutMs) {
    QNetworkReply *reply = nullptr;
    if (verb == "GET")
        reply = network.get(request);
    else if (verb == "POST")
        reply = network.post(request, body);
    else
        reply = network.sendCustomRequest(request, verb, body);

    Response response;
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
    limit.start(timeoutMs);
    if (!reply->isFinished())
        loop.exec();

    response.finished = reply->isFinished();
    if (!response.finished)
        reply->abort();
    response.error = reply->error();
    response.errorString = reply->errorString();
    response.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    response.contentType = reply->rawHeader("Content-Type");
    response.body = reply->readAll();
    reply->disconnect();
    reply->deleteLater();
    return response;
}

QJsonObject remoteIPOJson(const QString &code, const QString &name, const QString &status,
                          const QString &subStart, const QString &subEnd, const QString &listDate,
                          const QString &lotAmount, const QString &priceRange,
                          const QString &prospectusUrl, const QString &board) {
    const auto date = [](const QString &text) {
        return text.isEmpty() ? QJsonValue(QJsonValue::Null) : QJsonValue(text);
    };
    return QJsonObject{
        {QStringLiteral("code"), code},
        {QStringLiteral("name"), name},
        {QStringLiteral("subStart"), date(subStart)},
        {QStringLiteral("subEnd"), date(subEnd)},
        {QStringLiteral("listDate"), date(listDate)},
        {QStringLiteral("lotAmount"), lotAmount},
        {QStringLiteral("priceRange"), priceRange},
        {QStringLiteral("prospectusUrl"), prospectusUrl},
        {QStringLiteral("status"), status},
        {QStringLiteral("board"), board},
    };
}

QJsonObject serviceDataJson(const QJsonArray &items, const QJsonObject &stats,
                            const QJsonObject &update) {
    QJsonObject data{{QStringLiteral("items"), items}};
    if (!stats.isEmpty())
        data.insert(QStringLiteral("stats"), stats);
    if (!update.isEmpty())
        data.insert(QStringLiteral("update"), update);
    return data;
}

bool writeDataFile(const QString &path, const QJsonObject &data) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(QJsonDocument(data).toJson());
    return file.commit();
}

} // namespace testsupport
