#include "LocalService.h"
#include "ManualClock.h"
#include "TestFolder.h"
#include "TestRegistry.h"

#include "analytics/AnalyticsHTTPSender.h"
#include "analytics/AnalyticsTracker.h"
#include "analytics/ApplicationActivation.h"
#include "service/IPOAPIClient.h"

#include <QJsonObject>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

constexpr int waitLimitMs = 20000;

// The sender (and the tracker over it) against the real local service over loopback TLS. A
// failure is only logged: exactly the expected "[Analytics]" line, and no other.
class AnalyticsDeliveryTest : public QObject {
    Q_OBJECT

private:
    testsupport::LocalService m_service;

    std::unique_ptr<IPOAPIClient> makeClient() {
        IPOAPIClient::Options options;
        options.extraCACertificates = m_service.caCertificates();
        return std::make_unique<IPOAPIClient>(m_service.baseUrl(), std::move(options));
    }

    static bool sendAndWait(AnalyticsHTTPSender &sender, const QString &code) {
        QSignalSpy finished(&sender, &AnalyticsHTTPSender::sendFinished);
        AnalyticsEventPayload payload;
        payload.event = AnalyticsEventPayload::userDataSavedEvent;
        payload.installId = QStringLiteral("0b1c2d3e-4f50-4617-8829-3a4b5c6d7e8f");
        payload.occurredAt = QDateTime(QDate(2025, 1, 6), QTime(2, 0), Qt::UTC);
        payload.code = code;
        sender.sendEvent(payload);
        return finished.count() == 1 || finished.wait(waitLimitMs);
    }

private slots:
    void initTestCase() { QVERIFY2(m_service.start(), qPrintable(m_service.errorString())); }

    void init() {
        QVERIFY(m_service.clearFaults() && m_service.clearRequests() && m_service.clearAnalytics());
        QTest::failOnWarning(QRegularExpression(QStringLiteral("^\\[Analytics\\]")));
    }

    // 407, filed by Qt as a proxy error, is the service's answer like any status past 299.
    void errorStatusIsLoggedOnly() {
        QVERIFY(m_service.failNext(QStringLiteral("analytics/client"), 407,
                                   R"({"error":"需要代理认证"})"));
        auto client = makeClient();
        AnalyticsHTTPSender sender(*client);
        QTest::ignoreMessage(QtWarningMsg, "[Analytics] Request failed with status: 407");
        QVERIFY(sendAndWait(sender, QStringLiteral("00700")));
        QCOMPARE(m_service.analyticsReceived().size(), 0);
        QCOMPARE(m_service.requests().size(), 1);
    }

    // With the error's description after the prefix. (Every transport failure takes this path.)
    void transportFailureIsLoggedOnly() {
        QVERIFY(m_service.delayNext(QStringLiteral("analytics/client"), 5000));
        auto client = makeClient();
        AnalyticsHTTPSender sender(*client, {.timeout = std::chrono::milliseconds(300)});
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression(QStringLiteral(
                                 "^\\[Analytics\\] Failed sending analytics event: .")));
        QVERIFY(sendAndWait(sender, QStringLiteral("00700")));
    }

    void trackerEventsReachTheService() {
        testsupport::TestFolder folder;
        const auto settings = folder.makeSettings();
        testsupport::ManualClock clock(QDateTime(QDate(2025, 1, 6), QTime(16, 30, 0, 5), Qt::UTC));
        auto client = makeClient();
        AnalyticsHTTPSender sender(*client);
        ApplicationActivation activation;
        AnalyticsTracker tracker(sender, *settings, activation, clock.clock(),
                                 [] { return QStringLiteral("1.4.2 (57)"); });
        QSignalSpy finished(&sender, &AnalyticsHTTPSender::sendFinished);
        tracker.start();
        tracker.trackUserDataSaved(QStringLiteral("02590"));
        activation.notifyBecameActive();
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 2, waitLimitMs);

        for (const QJsonObject &request : m_service.requests()) {
            QCOMPARE(request.value("method").toString(), QStringLiteral("POST"));
            QCOMPARE(request.value("path").toString(), QStringLiteral("/v2/analytics/client"));
            QCOMPARE(request.value("headers").toObject().value("content-type").toString(),
                     QStringLiteral("application/json"));
        }
        QList<QJsonObject> received = m_service.analyticsReceived();
        QCOMPARE(received.size(), 2);
        // Independent sends may arrive in either order.
        if (received[0].value("event").toString() != QLatin1String("app_active"))
            std::swap(received[0], received[1]);
        QJsonObject expected{
            {"event", "app_active"},
            {"installId", settings->value(AnalyticsTracker::installIdKey).toString()},
            {"occurredAt", "2025-01-06T16:30:00.005Z"},
            {"appVersion", "1.4.2 (57)"},
            {"platform", "linux"}};
        QCOMPARE(received[0], expected);
        expected.insert("event", "user_data_saved");
        expected.insert("code", "02590");
        QCOMPARE(received[1], expected);
    }
};

ORVEL_TEST_CLASS(AnalyticsDeliveryTest);
#include "AnalyticsDeliveryTest.moc"
