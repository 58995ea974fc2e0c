#include "LocalService.h"
#include "TestRegistry.h"

#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QSslSocket>
#include <QStringDecoder>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

using testsupport::LocalService;

// TLS, the listening address, the privacy page and the raw request line, seen from outside.
class TransportTest : public QObject {
    Q_OBJECT

private:
    LocalService m_service;
    QNetworkAccessManager m_network;

    // Sends `requests` as written on one TLS connection and returns what the service answered
    // once `answers` complete answers have arrived. QUrl would normalise the request target
    // ("%7e" to "~"), so the bytes are written by hand.
    QByteArray sendRaw(const QList<QByteArray> &requests, int answers) {
        QSslSocket socket;
        socket.setSslConfiguration(m_service.sslConfiguration());
        socket.connectToHostEncrypted(QStringLiteral("127.0.0.1"),
                                      static_cast<quint16>(m_service.baseUrl().port()));
        if (!socket.waitForEncrypted(10000))
            return "TLS failed: " + socket.errorString().toUtf8();
        for (const QByteArray &request : requests)
            socket.write(request);
        QByteArray received;
        const QDeadlineTimer deadline(10000);
        while (completeAnswers(received) < answers && !deadline.hasExpired()) {
            if (socket.waitForReadyRead(
                    static_cast<int>(std::max<qint64>(1, deadline.remainingTime()))))
                received += socket.readAll();
            else if (socket.state() != QAbstractSocket::ConnectedState)
                break;
        }
        return received;
    }

    static int completeAnswers(const QByteArray &data) {
        int count = 0;
        qsizetype pos = 0;
        for (;;) {
            const qsizetype headEnd = data.indexOf("\r\n\r\n", pos);
            if (headEnd < 0)
                return count;
            qint64 length = 0;
            for (const QByteArray &line : data.mid(pos, headEnd - pos).split('\n')) {
                if (line.toLower().startsWith("content-length:"))
                    length = line.mid(15).trimmed().toLongLong();
            }
            if (data.size() < headEnd + 4 + length)
                return count;
            ++count;
            pos = headEnd + 4 + length;
        }
    }

private slots:
    void initTestCase() { QVERIFY2(m_service.start(), qPrintable(m_service.errorString())); }

    void baseUrlIsLoopbackHttps() {
        const QUrl base = m_service.baseUrl();
        QCOMPARE(base.scheme(), QStringLiteral("https"));
        QCOMPARE(base.host(), QStringLiteral("127.0.0.1"));
        QCOMPARE(base.path(), QStringLiteral("/v2"));
        QVERIFY(base.port() > 0);
    }

    void clientWithoutTheCaFailsTls() {
        // The system store only: this run's throwaway CA is not in it. A manager of its own,
        // because Qt keeps the TLS settings of a host's first connection for later requests.
        QNetworkAccessManager plain;
        const auto untrusted = LocalService::exchange(
            plain, QNetworkRequest(m_service.url(QStringLiteral("ipos/stats"))));
        QCOMPARE(untrusted.error, QNetworkReply::SslHandshakeFailedError);
        QCOMPARE(untrusted.status, 0);
        QVERIFY(!untrusted.sslErrors.isEmpty());
        // The failed handshake leaves the service answering trusted clients.
        const auto trusted =
            LocalService::exchange(m_network, m_service.request(QStringLiteral("ipos/stats")));
        QCOMPARE(trusted.status, 200);
    }

    void wrongHostNameFailsTls() {
        // Same CA, but the certificate names 127.0.0.1 and localhost, not this name.
        QSslSocket socket;
        socket.setSslConfiguration(m_service.sslConfiguration());
        socket.connectToHostEncrypted(QStringLiteral("127.0.0.1"),
                                      static_cast<quint16>(m_service.baseUrl().port()),
                                      QStringLiteral("api.orvel.example"));
        QVERIFY(!socket.waitForEncrypted(10000));
        bool hostNameMismatch = false;
        for (const QSslError &error : socket.sslHandshakeErrors())
            hostNameMismatch |= error.error() == QSslError::HostNameMismatch;
        QVERIFY(hostNameMismatch);
    }

    void listensOnIPv4LoopbackOnly() {
        QTcpServer probe;
        if (!probe.listen(QHostAddress::LocalHostIPv6))
            QSKIP("no IPv6 loopback on this machine");
        probe.close();
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHostIPv6,
                             static_cast<quint16>(m_service.baseUrl().port()));
        QVERIFY(!socket.waitForConnected(5000));
        QCOMPARE(socket.error(), QAbstractSocket::ConnectionRefusedError);
    }

    void privacyPageIsChineseHtml() {
        const auto response =
            LocalService::exchange(m_network, m_service.request(QStringLiteral("/privacy")));
        QCOMPARE(response.status, 200);
        QCOMPARE(response.contentType, QByteArray("text/html; charset=utf-8"));
        QStringDecoder utf8(QStringDecoder::Utf8);
        const QString text = utf8(response.body);
        QVERIFY(!utf8.hasError());
        QVERIFY(text.startsWith(QStringLiteral("<!DOCTYPE html>")));
        QVERIFY(text.contains(QStringLiteral("<meta charset=\"utf-8\">")));
        QVERIFY(text.contains(QStringLiteral("隐私")));
        // It tells the user exactly which events leave the machine.
        QVERIFY(text.contains(QStringLiteral("app_active")));
        QVERIFY(text.contains(QStringLiteral("user_data_saved")));
    }

    void requestLogKeepsTheQueryAsSent_data() {
        QTest::addColumn<QByteArray>("query");
        QTest::newRow("plain") << QByteArray("status=all&limit=500&offset=0");
        QTest::newRow("encoded unreserved and lower-case hex")
            << QByteArray("status=%7e%e5%85%a8&limit=5&offset=0");
        QTest::newRow("encoded space") << QByteArray("status=open%20now&limit=500&offset=0");
        QTest::newRow("plus stays a plus") << QByteArray("status=a+b&limit=500&offset=0");
        QTest::newRow("encoded ampersand") << QByteArray("status=a%26b%3Dc&limit=500&offset=0");
        QTest::newRow("other key order") << QByteArray("offset=0&limit=500&status=all");
    }
    void requestLogKeepsTheQueryAsSent() {
        QFETCH(QByteArray, query);
        QVERIFY(m_service.clearRequests());
        const QByteArray answer =
            sendRaw({"GET /v2/ipos?" + query + " HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n"}, 1);
        QVERIFY2(answer.startsWith("HTTP/1.1 200 "), answer.constData());
        const QList<QJsonObject> requests = m_service.requests();
        QCOMPARE(requests.size(), 1);
        QCOMPARE(requests[0].value("path").toString(), QStringLiteral("/v2/ipos"));
        QCOMPARE(requests[0].value("query").toString().toUtf8(), query);
    }

    void requestLogFollowsBodiesOnOneConnection() {
        // A body that looks like a request line must not be taken for the next request.
        QVERIFY(m_service.clearRequests());
        const QByteArray body = "{\"x\":\"\r\n\r\nGET /v2/ipos?fake HTTP/1.1\r\n\r\n\"}";
        const QByteArray post =
            "POST /v2/analytics/client?from=%7etest HTTP/1.1\r\nHost: 127.0.0.1\r\n"
            "Content-Type: application/json\r\nContent-Length: " +
            QByteArray::number(body.size()) + "\r\n\r\n" + body;
        const QByteArray get =
            "GET /v2/ipos?status=%6fpen&limit=1&offset=0 HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n";
        const QByteArray answers = sendRaw({post, get}, 2);
        QVERIFY2(answers.startsWith("HTTP/1.1 400 "), answers.constData());
        QVERIFY2(answers.contains("HTTP/1.1 200 "), answers.constData());
        const QList<QJsonObject> requests = m_service.requests();
        QCOMPARE(requests.size(), 2);
        QCOMPARE(requests[0].value("query").toString(), QStringLiteral("from=%7etest"));
        QCOMPARE(requests[1].value("path").toString(), QStringLiteral("/v2/ipos"));
        QCOMPARE(requests[1].value("query").toString(),
                 QStringLiteral("status=%6fpen&limit=1&offset=0"));
        // The service itself reads the encoded status as "open".
        QVERIFY(answers.contains("\"status\":\"open\""));
    }
};

ORVEL_TEST_CLASS(TransportTest);

#include "TransportTest.moc"
