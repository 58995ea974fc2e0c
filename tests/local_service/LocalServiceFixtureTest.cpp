#include "LocalService.h"
#include "TestFolder.h"
#include "TestRegistry.h"

#include <QFile>
#include <QNetworkAccessManager>
#include <QTest>

#include <cerrno>
#include <csignal>

using testsupport::LocalService;

namespace {

// True while a process with this id exists (zombies included: an unreaped child still counts).
bool processExists(qint64 pid) {
    return pid > 0 && (::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH);
}

} // namespace

// The test-side handle itself: it starts, restarts and stops the process, and cleans up.
class LocalServiceFixtureTest : public QObject {
    Q_OBJECT

private slots:
    void destructorLeavesNothingBehind() {
        qint64 pid = 0;
        QString certificateFolder;
        {
            LocalService service;
            QVERIFY2(service.start(), qPrintable(service.errorString()));
            pid = service.processId();
            certificateFolder = QFileInfo(service.caFile()).absolutePath();
            QVERIFY(processExists(pid));
            QVERIFY(QFile::exists(service.caFile()));
        }
        QVERIFY(!processExists(pid));
        QVERIFY(!QFile::exists(certificateFolder));
    }

    void sigtermEndsTheServiceCleanly() {
        LocalService service;
        QVERIFY2(service.start(), qPrintable(service.errorString()));
        QVERIFY2(service.stop(), qPrintable(service.errorString()));
        QVERIFY(!service.isRunning());
        QVERIFY(service.log().contains("[Service] signal 15"));
    }

    void restartKeepsTheCertificateAuthority() {
        LocalService service;
        QVERIFY2(service.start(), qPrintable(service.errorString()));
        const QList<QSslCertificate> ca = service.caCertificates();
        QVERIFY(!ca.isEmpty());
        QVERIFY(service.stop());
        QVERIFY2(service.start(), qPrintable(service.errorString()));
        QCOMPARE(service.caCertificates(), ca);
        QNetworkAccessManager network;
        QCOMPARE(
            LocalService::exchange(network, service.request(QStringLiteral("ipos/stats"))).status,
            200);
    }

    void eachServiceHasItsOwnCertificateAuthority() {
        LocalService first;
        LocalService second;
        QVERIFY2(first.start(), qPrintable(first.errorString()));
        QVERIFY2(second.start(), qPrintable(second.errorString()));
        QVERIFY(first.caCertificates() != second.caCertificates());
        QVERIFY(first.baseUrl().port() != second.baseUrl().port());
        // Trusting one run's CA does not get a client into another run's service.
        QNetworkAccessManager network;
        QNetworkRequest crossed(second.url(QStringLiteral("ipos/stats")));
        crossed.setSslConfiguration(first.sslConfiguration());
        QCOMPARE(LocalService::exchange(network, crossed).error,
                 QNetworkReply::SslHandshakeFailedError);
    }

    void startFailsOnBadDataFiles_data() {
        QTest::addColumn<QByteArray>("content"); // empty: the file does not exist
        QTest::newRow("missing file") << QByteArray();
        QTest::newRow("not JSON") << QByteArray("items: []");
        QTest::newRow("top level is an array") << QByteArray("[]");
        QTest::newRow("items is an object") << QByteArray(R"({"items":{}})");
        QTest::newRow("update is a string") << QByteArray(R"({"items":[],"update":"none"})");
    }
    void startFailsOnBadDataFiles() {
        QFETCH(QByteArray, content);
        testsupport::TestFolder folder;
        const QString path = folder.filePath(QStringLiteral("data.json"));
        if (!content.isEmpty()) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        LocalService service;
        QVERIFY(!service.start(path));
        QVERIFY(!service.isRunning());
        QVERIFY(service.errorString().contains(QStringLiteral("data.json")));
    }

    void controlCallsFailWithoutAService() {
        LocalService service;
        QVERIFY(!service.clearFaults());
        QVERIFY(service.requests().isEmpty());
        QVERIFY(!service.errorString().isEmpty());
    }
};

ORVEL_TEST_CLASS(LocalServiceFixtureTest);

#include "LocalServiceFixtureTest.moc"
