#include "LocalService.h"
#include "TestRegistry.h"

#include <QJsonDocument>
#include <QNetworkAccessManager>
#include <QTest>

using testsupport::LocalService;

// The service's fault switches, seen by a plain network client: the client and fault tests rely
// on each doing what it says for exactly its count of requests, and normal answers after.
class FaultInjectionTest : public QObject {
    Q_OBJECT

    LocalService m_service;
    QNetworkAccessManager m_network;
    QByteArray m_normal;

    QNetworkRequest listRequest() const {
        return m_service.request("ipos", "status=all&limit=500&offset=0");
    }
    LocalService::Response list() { return LocalService::exchange(m_network, listRequest()); }

private slots:
    void faultsAnswerTheirCountThenStop() {
        QVERIFY2(m_service.start(), qPrintable(m_service.errorString()));
        QVERIFY(QJsonDocument::fromJson(m_normal = list().body)["items"].isArray());
        LocalService::Fault status = LocalService::Fault::withStatus(404, R"({"error":"无"})");
        status.count = 2;
        for (const auto &fault :
             {status, LocalService::Fault::malformedJson(), LocalService::Fault::oversized(65536),
              LocalService::Fault::drop()})
            QVERIFY(m_service.addFault("ipos", fault));

        for (int i = 0; i < 2; ++i) {
            const auto answer = list();
            QCOMPARE(answer.status, 404);
            QCOMPARE(answer.body, QByteArray(R"({"error":"无"})"));
        }
        QJsonParseError error;
        QJsonDocument::fromJson(list().body, &error);
        QVERIFY(error.error != QJsonParseError::NoError);
        const auto padded = list();
        QCOMPARE(padded.body.size(), 65536);
        QCOMPARE(padded.json().value("items"), QJsonDocument::fromJson(m_normal)["items"]);
        QCOMPARE(list().error, QNetworkReply::RemoteHostClosedError);
        QCOMPARE(list().body, m_normal);
    }

    void delayedAnswerIsOvertaken() {
        QVERIFY(m_service.delayNext("ipos", 3000));
        std::unique_ptr<QNetworkReply> slow(m_network.get(listRequest()));
        QCOMPARE(list().body, m_normal);
        QVERIFY(!slow->isFinished());
        QTRY_VERIFY_WITH_TIMEOUT(slow->isFinished(), 15000);
        QCOMPARE(slow->readAll(), m_normal);
    }
};

ORVEL_TEST_CLASS(FaultInjectionTest);

#include "FaultInjectionTest.moc"
