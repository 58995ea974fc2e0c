#pragma once

#include <QDate>
#include <QJsonArray>
#include <QJsonObject>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QProcess>
#include <QSslCertificate>
#include <QTemporaryDir>
#include <QUrl>

#include <memory>

namespace testsupport {

// A real orvel-service process on a free loopback port with a CA of its own, which clients trust
// through caCertificates(), never by switching verification off. Nothing outlives the object.
class LocalService {
public:
    // A misbehaviour for the next `count` requests to a path, each after `delayMs`. `drop` breaks
    // the connection after the answer's head: one broken earlier Qt would retry unseen.
    struct Fault {
        enum class Kind { status, delay, malformedJson, oversized, drop };
        Kind kind = Kind::status;
        int status = 500;
        QByteArray body = {};
        QByteArray contentType = "application/json";
        int delayMs = 0;
        qint64 bytes = 0;
        int count = 1;

        static Fault withStatus(int status, const QByteArray &body = {},
                                const QByteArray &contentType = "application/json") {
            return {Kind::status, status, body, contentType};
        }
        static Fault delay(int ms) { return {.kind = Kind::delay, .delayMs = ms}; }
        static Fault malformedJson() { return {.kind = Kind::malformedJson}; }
        static Fault oversized(qint64 bytes) { return {.kind = Kind::oversized, .bytes = bytes}; }
        static Fault drop() { return {.kind = Kind::drop}; }
    };

    struct Response {
        QNetworkReply::NetworkError error = QNetworkReply::NoError;
        int status = 0; // 0 when no HTTP answer arrived
        QByteArray body = {};
    };

    LocalService() = default;
    ~LocalService();
    LocalService(const LocalService &) = delete;
    LocalService &operator=(const LocalService &) = delete;

    // Starts on demo data (around setDemoDate's day when set) or on the data file; a restart
    // keeps the CA. False with errorString() when it fails, and no process is left then.
    bool start(const QString &dataFile = {});
    void setDemoDate(const QDate &today) { m_demoDate = today; }
    // SIGTERM, then waits; true when the process ended on its own with status 0.
    bool stop();
    bool isRunning() const { return m_process && m_process->state() != QProcess::NotRunning; }
    qint64 processId() const { return m_process ? m_process->processId() : 0; }
    QString errorString() const { return m_error; }
    QUrl baseUrl() const { return m_baseUrl; } // https://127.0.0.1:PORT/v2
    // A path under the base ("ipos") or on the host ("/privacy"); `query` is set as encoded.
    QUrl url(const QString &path, const QString &query = {}) const;
    // A GET-ready request for url(path, query) that trusts this run's CA.
    QNetworkRequest request(const QString &path, const QString &query = {}) const;
    QString caFile() const { return m_dir ? m_dir->filePath(QStringLiteral("ca.pem")) : QString(); }
    QList<QSslCertificate> caCertificates() const { return m_ca; }

    bool addFault(const QString &path, const Fault &fault);
    bool failNext(const QString &path, int status, const QByteArray &body,
                  const QByteArray &contentType = "application/json") {
        return addFault(path, Fault::withStatus(status, body, contentType));
    }
    bool delayNext(const QString &path, int ms) { return addFault(path, Fault::delay(ms)); }
    bool clearFaults() { return control("DELETE", "faults"); }
    // Replaces what the service answers: {"items": [...], "stats": {...}, "update": {...}}.
    bool setData(const QJsonObject &data);
    // Every non-control request in arrival order: method, path, query (raw), headers (lower-case
    // names), body.
    QList<QJsonObject> requests() { return controlList("requests"); }
    bool clearRequests() { return control("DELETE", "requests"); }
    // Usage events the service accepted, in arrival order.
    QList<QJsonObject> analyticsReceived() { return controlList("analytics", "events"); }
    bool clearAnalytics() { return control("DELETE", "analytics"); }

    // Sends one request and waits for its end, or aborts it after `timeoutMs`.
    static Response exchange(QNetworkAccessManager &network, const QNetworkRequest &request,
                             const QByteArray &verb = "GET", const QByteArray &body = {},
                             int timeoutMs = 15000);

private:
    bool control(const QByteArray &verb, const char *what, const QByteArray &body = {},
                 Response *response = nullptr);
    QList<QJsonObject> controlList(const char *what, const char *key = nullptr);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QProcess> m_process;
    std::unique_ptr<QNetworkAccessManager> m_network;
    QList<QSslCertificate> m_ca;
    QUrl m_baseUrl;
    QDate m_demoDate;
    QString m_error;
};

// One service record in the list endpoint's form; subStart is "yyyy-MM-dd" or empty for null.
QJsonObject remoteIPOJson(const QString &code, const QString &name, const QString &status,
                          const QString &subStart = {});

// The service's data-file form.
QJsonObject serviceDataJson(const QJsonArray &items);

} // namespace testsupport
