#include "LocalService.h"
#include "TestRegistry.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTest>

#include <memory>

using testsupport::LocalService;

namespace {

const QString listQuery = QStringLiteral("status=all&limit=500&offset=0");

} // namespace

// The service's fault switches, seen by a plain network client: every client and fault test
// relies on each doing what it says, for exactly its count of requests, and on normal answers
// coming back afterwards.
class FaultInjectionTest : public QObject {
    Q_OBJECT

private:
    LocalService m_service;
    QNetworkAccessManager m_network;
    QByteArray m_normal;

    LocalService::Response list() {
        return LocalService::exchange(m_network,
                                      m_service.request(QStringLiteral("ipos"), listQuery));
    }

private slots:
    void initTestCase() {
        QVERIFY2(m_service.start(), qPrintable(m_service.errorString()));
        const auto normal = list();
        QCOMPARE(normal.status, 200);
        QVERIFY(!normal.json().value(QStringLiteral("items")).toArray().isEmpty());
        m_normal = normal.body;
    }

    void faultsAnswerTheirCountThenStop() {
        LocalService::Fault status = LocalService::Fault::withStatus(404, R"({"error":"无"})");
        status.count = 2;
        QVERIFY(m_service.addFault(QStringLiteral("ipos"), status));
        QVERIFY(m_service.addFault(QStringLiteral("ipos"), LocalService::Fault::malformedJson()));
        QVERIFY(m_service.addFault(QStringLiteral("ipos"), LocalService::Fault::wrongType()));
        QVERIFY(m_service.addFault(QStringLiteral("ipos"), LocalService::Fault::oversized(65536)));
        QVERIFY(m_service.addFault(QStringLiteral("ipos"), LocalService::Fault::drop()));

        for (int i = 0; i < 2; ++i) {
            const auto answer = list();
            QCOMPARE(answer.status, 404);
            QCOMPARE(answer.body, QByteArray(R"({"error":"无"})"));
        }
        QJsonParseError error;
        QJsonDocument::fromJson(list().body, &error);
        QVERIFY(error.error != QJsonParseError::NoError);
        const QJsonArray items = list().json().value(QStringLiteral("items")).toArray();
        QVERIFY(items.first().toObject().value(QStringLiteral("code")).isDouble());
        const auto padded = list();
        QCOMPARE(padded.body.size(), 65536);
        QJsonObject unpadded = padded.json();
        QVERIFY(unpadded.contains(QStringLiteral("padding")));
        unpadded.remove(QStringLiteral("padding"));
        QCOMPARE(unpadded, QJsonDocument::fromJson(m_normal).object());
        QCOMPARE(list().error, QNetworkReply::RemoteHostClosedError);

        QVERIFY(m_service.pendingFaults().isEmpty());
        QCOMPARE(list().body, m_normal);
    }

    void delayedAnswerIsOvertaken() {
        QVERIFY(m_service.delayNext(QStringLiteral("ipos"), 3000));
        std::unique_ptr<QNetworkReply> slow(
            m_network.get(m_service.request(QStringLiteral("ipos"), listQuery)));
        QCOMPARE(list().body, m_normal);
        QVERIFY(!slow->isFinished());
        QTRY_VERIFY_WITH_TIMEOUT(slow->isFinished(), 15000);
        QCOMPARE(slow->readAll(), m_normal);
    }
};

ORVEL_TEST_CLASS(FaultInjectionTest);

#include "FaultInjectionTest.moc"
