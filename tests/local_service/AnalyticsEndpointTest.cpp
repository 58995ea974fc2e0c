#include "LocalService.h"
#include "TestRegistry.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QTest>

using testsupport::LocalService;

namespace {

QJsonObject appActive() {
    return QJsonObject{{"event", "app_active"},
                       {"installId", "3f0c6d3e-9a51-4c55-8a2f-0e6c1f4b7d21"},
                       {"occurredAt", "2025-01-06T02:03:04.567Z"},
                       {"appVersion", "1.4.0 (42)"},
                       {"platform", "macos"}};
}

QJsonObject userDataSaved(const QString &code) {
    QJsonObject payload = appActive();
    payload.insert("event", "user_data_saved");
    payload.insert("code", code);
    return payload;
}

QByteArray encode(const QJsonObject &object) {
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

QJsonObject with(QJsonObject object, const QString &key, const QJsonValue &value) {
    if (value.isUndefined())
        object.remove(key);
    else
        object.insert(key, value);
    return object;
}

} // namespace

// The usage-event endpoint: which payloads it takes and keeps, and which it turns away.
class AnalyticsEndpointTest : public QObject {
    Q_OBJECT

private:
    LocalService m_service;
    QNetworkAccessManager m_network;

    LocalService::Response post(const QByteArray &body,
                                const QByteArray &contentType = "application/json") {
        QNetworkRequest request = m_service.request(QStringLiteral("analytics/client"));
        request.setHeader(QNetworkRequest::ContentTypeHeader, contentType);
        return LocalService::exchange(m_network, request, "POST", body);
    }

private slots:
    void initTestCase() { QVERIFY2(m_service.start(), qPrintable(m_service.errorString())); }

    void init() {
        QVERIFY(m_service.clearAnalytics());
        QVERIFY(m_service.clearFaults());
    }

    void validEventsAreKeptInArrivalOrder() {
        const QList<QJsonObject> sent{appActive(), userDataSaved("02590"), userDataSaved("06618"),
                                      with(appActive(), "occurredAt", "2025-01-07T00:00:00.000Z")};
        for (const QJsonObject &payload : sent) {
            const auto response = post(encode(payload));
            QCOMPARE(response.status, 204);
            QVERIFY(response.body.isEmpty());
        }
        QCOMPARE(m_service.analyticsReceived(), sent);
    }

    void jsonContentTypeWithCharsetIsAccepted() {
        QCOMPARE(post(encode(appActive()), "application/json; charset=utf-8").status, 204);
        QCOMPARE(m_service.analyticsReceived().size(), 1);
    }

    void invalidPayloadsAreRefused_data() {
        QTest::addColumn<QByteArray>("body");
        const QJsonObject active = appActive();
        const QJsonObject saved = userDataSaved("02590");
        QTest::newRow("not JSON") << QByteArray("event=app_active");
        QTest::newRow("empty body") << QByteArray();
        QTest::newRow("array") << QByteArray("[]");
        QTest::newRow("unknown event") << encode(with(active, "event", "app_opened"));
        QTest::newRow("event in capitals") << encode(with(active, "event", "APP_ACTIVE"));
        QTest::newRow("no event") << encode(with(active, "event", QJsonValue::Undefined));
        QTest::newRow("no installId") << encode(with(active, "installId", QJsonValue::Undefined));
        QTest::newRow("installId a number") << encode(with(active, "installId", 42));
        QTest::newRow("empty installId") << encode(with(active, "installId", ""));
        QTest::newRow("no appVersion") << encode(with(active, "appVersion", QJsonValue::Undefined));
        QTest::newRow("platform null") << encode(with(active, "platform", QJsonValue::Null));
        QTest::newRow("time without milliseconds")
            << encode(with(active, "occurredAt", "2025-01-06T02:03:04Z"));
        QTest::newRow("time with microseconds")
            << encode(with(active, "occurredAt", "2025-01-06T02:03:04.567123Z"));
        QTest::newRow("time with an offset")
            << encode(with(active, "occurredAt", "2025-01-06T10:03:04.567+08:00"));
        QTest::newRow("time without zone")
            << encode(with(active, "occurredAt", "2025-01-06T02:03:04.567"));
        QTest::newRow("impossible day")
            << encode(with(active, "occurredAt", "2025-02-30T02:03:04.567Z"));
        QTest::newRow("time as a number") << encode(with(active, "occurredAt", 1736128984567.0));
        QTest::newRow("saved without code") << encode(with(saved, "code", QJsonValue::Undefined));
        QTest::newRow("saved with null code") << encode(with(saved, "code", QJsonValue::Null));
        QTest::newRow("saved with numeric code") << encode(with(saved, "code", 2590));
        QTest::newRow("active with a code") << encode(with(active, "code", "02590"));
        QTest::newRow("misspelt key")
            << encode(with(with(active, "installId", QJsonValue::Undefined), "installID", "x"));
    }
    void invalidPayloadsAreRefused() {
        QFETCH(QByteArray, body);
        QVERIFY(m_service.clearRequests());
        const auto response = post(body);
        QCOMPARE(response.status, 400);
        QCOMPARE(response.contentType, QByteArray("application/json; charset=utf-8"));
        QVERIFY(!response.json().value("error").toString().isEmpty());
        QVERIFY(m_service.analyticsReceived().isEmpty());
        // The refused body is still there to look at.
        const QList<QJsonObject> requests = m_service.requests();
        QCOMPARE(requests.size(), 1);
        QCOMPARE(requests[0].value("body").toString().toUtf8(), body);
    }

    void nonJsonContentTypeIsRefused() {
        QCOMPARE(post(encode(appActive()), "text/plain").status, 415);
        QVERIFY(m_service.analyticsReceived().isEmpty());
    }

    void failedAnswerKeepsNothing() {
        QVERIFY(m_service.failNext(QStringLiteral("analytics/client"), 500, R"({"error":"down"})"));
        QCOMPARE(post(encode(appActive())).status, 500);
        QVERIFY(m_service.analyticsReceived().isEmpty());
        QCOMPARE(post(encode(appActive())).status, 204);
        QCOMPARE(m_service.analyticsReceived().size(), 1);
    }
};

ORVEL_TEST_CLASS(AnalyticsEndpointTest);

#include "AnalyticsEndpointTest.moc"
