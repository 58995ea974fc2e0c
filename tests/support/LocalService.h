#pragma once

#include <QByteArray>
#include <QDate>
#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QProcess>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QString>
#include <QTemporaryDir>
#include <QUrl>

#include <memory>

class QNetworkAccessManager;

namespace testsupport {

// A real orvel-service process for one test: a free port on 127.0.0.1, a certificate authority
// and server certificate made for this object alone, and the service's control API wrapped in
// synchronous calls. Nothing outlives the object: the destructor stops the process and removes
// the certificates. Clients trust the service through caCertificates() or sslConfiguration(),
// never by switching verification off.
class LocalService {
public:
    // One switched-on misbehaviour for the next request(s) to a path:
    //   status        answers `status` with `body` (byte for byte) and `contentType` (empty: no
    //                 Content-Type header) instead of the real answer
    //   delay         the real answer, `delayMs` late
    //   malformedJson 200 with a JSON content type and a body that is not JSON
    //   wrongType     200 with the real answer but one field of the wrong JSON type: the first
    //                 item's code (a number) in the list, counts.open (a string) in the stats,
    //                 latestBuild (a string) in the update answer; elsewhere a bare array
    //   oversized     200 with the real answer padded to exactly `bytes` bytes, still valid JSON
    //   drop          the connection breaks after the head of an answer, before its body. (A
    //                 connection closed before any answer byte would be retried by Qt's network
    //                 access manager without telling its caller, so the failure would not show.)
    // Every kind waits `delayMs` first, and answers `count` consecutive requests to the path.
    struct Fault {
        enum class Kind { status, delay, malformedJson, wrongType, oversized, drop };
        Kind kind = Kind::status;
        int status = 500;
        QByteArray body;
        QByteArray contentType = "application/json";
        int delayMs = 0;
        qint64 bytes = 0;
        int count = 1;

        static Fault withStatus(int status, const QByteArray &body = {},
                                const QByteArray &contentType = "application/json");
        static Fault delay(int ms);
        static Fault malformedJson();
        static Fault wrongType();
        static Fault oversized(qint64 bytes);
        static Fault drop();

    private:
        static Fault of(Kind kind) {
            Fault fault;
            fault.kind = kind;
            return fault;
        }
    };

    // The outcome of one synchronous HTTP exchange.
    struct Response {
        QNetworkReply::NetworkError error = QNetworkReply::NoError;
        QString errorString;
        int status = 0; // 0 when no HTTP answer arrived
        QByteArray contentType;
        QByteArray body;
        bool finished = false; // false when the time limit ran out first

        QJsonObject json() const; // the body as a JSON object, empty when it is not one
    };

    LocalService();
    ~LocalService();
    LocalService(const LocalService &) = delete;
    LocalService &operator=(const LocalService &) = delete;

    // Makes the certificates (once per object: a restart keeps the same CA) and starts the
    // process with demo data (empty path) or the data file. False with errorString() when
    // anything fails; no process is left behind then.
    bool start(const QString &dataFile = {});
    // The day demo data is made around; the service's own today when not set.
    void setDemoDate(const QDate &today) { m_demoDate = today; }
    // SIGTERM, then waits. True when the process exited on its own with status 0.
    bool stop();
    bool isRunning() const;
    qint64 processId() const;

    QString errorString() const;
    QUrl baseUrl() const; // https://127.0.0.1:PORT/v2
    // baseUrl with a relative path appended ("ipos", "ipos/stats"), or an absolute path on its
    // host ("/privacy"); `query` is set verbatim as the encoded query.
    QUrl url(const QString &path, const QString &query = {}) const;
    // A GET-ready request for url(path, query) that trusts this run's CA.
    QNetworkRequest request(const QString &path, const QString &query = {}) const;
    QString caFile() const;
    QList<QSslCertificate> caCertificates() const;
    // A client configuration that trusts this run's CA and nothing else, verification on.
    QSslConfiguration sslConfiguration() const;

    // Faults for requests to a path under the base ("ipos", "ipos/stats", "app/update",
    // "analytics/client") or an absolute path ("/privacy").
    bool addFault(const QString &relativePath, const Fault &fault);
    bool failNext(const QString &relativePath, int status, const QByteArray &body,
                  const QByteArray &contentType = "application/json");
    bool delayNext(const QString &relativePath, int ms);
    bool clearFaults();
    QList<QJsonObject> pendingFaults();

    // Replaces what the service answers: {"items": [...], "stats": {...}, "update": {...}}.
    bool setData(const QJsonObject &data);
    // Every non-control request in arrival order: method, path, query (raw, without "?"),
    // headers (lower-case names), body (when there was one).
    QList<QJsonObject> requests();
    bool clearRequests();
    // Usage events the service accepted, in arrival order.
    QList<QJsonObject> analyticsReceived();
    bool clearAnalytics();

    // Sends one request and waits for its end (or `timeoutMs`, then aborts it). Uses `request`
    // as given: set its SSL configuration to trust the service.
    static Response exchange(QNetworkAccessManager &network, const QNetworkRequest &request,
                             const QByteArray &verb = "GET", const QByteArray &body = {},
                             int timeoutMs = 15000);

private:
    // Everything the process wrote to standard error so far.
    QByteArray log();
    Response control(const QByteArray &verb, const QString &path, const QByteArray &body = {});
    bool makeCertificates();
    QList<QJsonObject> controlList(const QString &path, const QString &key);
    bool controlOk(const Response &response, const QString &what);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QProcess> m_process;
    std::unique_ptr<QNetworkAccessManager> m_network;
    QList<QSslCertificate> m_ca;
    QUrl m_baseUrl;
    QDate m_demoDate;
    QString m_error;
    QByteArray m_log;
};

// One service record in the list endpoint's form. Dates are "yyyy-MM-dd" or empty for null.
QJsonObject remoteIPOJson(const QString &code, const QString &name, const QString &status,
                          const QString &subStart = {}, const QString &subEnd = {},
                          const QString &listDate = {},
                          const QString &lotAmount = QStringLiteral("3,030"),
                          const QString &priceRange = QStringLiteral("2.80-3.03"),
                          const QString &prospectusUrl = {},
                          const QString &board = QStringLiteral("主板"));

// The service's data-file form; an empty stats or update object is left out.
QJsonObject serviceDataJson(const QJsonArray &items, const QJsonObject &stats = {},
                            const QJsonObject &update = {});

// Writes `data` as a JSON file; false when it cannot be written.
bool writeDataFile(const QString &path, const QJsonObject &data);

} // namespace testsupport
