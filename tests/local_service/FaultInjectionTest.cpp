#include "LocalService.h"
#include "TestRegistry.h"

#include <QJsonDocument>
#include <QNetworkAccessManager>
#include <QTest>

using testsupport::LocalService;

// The service's fault switches, seen by a plain network client: the client and fault tests rely
// on each doing what it says for exactly its count of requests, and normal answers after (the
// delay shows in IPOAPIClientTest's time-out row).
class FaultInjectionTest : public QObject {
    Q_OBJECT

    LocalService m_service;
    QNetworkAccessManager m_network;

    LocalService::Response list() {
        return LocalService::exchange(m_network,
                                      m_service.request("ipos", "status=all&limit=500&offset=0"));
    }

private slots:
    void faultsAnswerTheirCountThenStop() {
        QVERIFY2(m_service.start(), qPrintable(m_service.errorString()));
        const QByteArray normal = list().body;
        QVERIFY(QJsonDocument::fromJson(normal)["items"].isArray());
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
        QVERIFY(QJsonDocument::fromJson(list().body).isNull());
        const auto padded = list();
        QCOMPARE(padded.body.size(), 65536);
        QCOMPARE(QJsonDocument::fromJson(padded.body)["items"],
                 QJsonDocument::fromJson(normal)["items"]);
        QCOMPARE(list().error, QNetworkReply::RemoteHostClosedError);
        QCOMPARE(list().body, normal);
    }
};

ORVEL_TEST_CLASS(FaultInjectionTest);

#include "FaultInjectionTest.moc"
