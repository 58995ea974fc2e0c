#include "LocalService.h"
#include "ManualClock.h"
#include "TestFolder.h"
#include "TestRegistry.h"

#include "analytics/AnalyticsHTTPSender.h"
#include "analytics/AnalyticsTracker.h"
#include "analytics/ApplicationActivation.h"
#include "service/IPOAPIClient.h"

#include <QJsonObject>
#include <QSignalSpy>
#include <QTest>

using testsupport::LocalService;

namespace {

constexpr int waitLimitMs = 20000;
const QString failedPrefix = QStringLiteral("[Analytics] Failed sending analytics event: ");

AnalyticsEventPayload samplePayload(const std::optional<QString> &code) {
    AnalyticsEventPayload payload;
    payload.event =
        code ? AnalyticsEventPayload::userDataSavedEvent : AnalyticsEventPayload::appActiveEvent;
    payload.installId = QStringLiteral("0b1c2d3e-4f50-4617-8829-3a4b5c6d7e8f");
    payload.occurredAt = QDateTime(QDate(2025, 1, 6), QTime(2, 0, 0, 125), Qt::UTC);
    payload.appVersion = QStringLiteral("1.4.2 (57)");
    payload.code = code;
    return payload;
}

// Collects the "[Analytics]" lines logged while it exists; other messages go on as before.
class AnalyticsLogCapture {
public:
    AnalyticsLogCapture() {
        current = this;
        m_previous = qInstallMessageHandler(&handle);
    }
    ~AnalyticsLogCapture() {
        qInstallMessageHandler(m_previous);
        current = nullptr;
    }
    QStringList lines() const { return m_lines; }

private:
    static void handle(QtMsgType type, const QMessageLogContext &context, const QString &message) {
        if (message.startsWith(QLatin1String("[Analytics]")))
            current->m_lines.append(message);
        else if (current->m_previous)
            current->m_previous(type, context, message);
    }
    static inline AnalyticsLogCapture *current = nullptr;
    QtMessageHandler m_previous = nullptr;
    QStringList m_lines;
};

} // namespace

// The sender (and the tracker over it) against the real local service over loopback TLS.
class AnalyticsDeliveryTest : public QObject {
    Q_OBJECT

private:
    LocalService m_service;

    std::unique_ptr<IPOAPIClient> makeClient(const QUrl &base, bool trustService = true) {
        IPOAPIClient::Options options;
        if (trustService)
            options.extraCACertificates = m_service.caCertificates();
        return std::make_unique<IPOAPIClient>(base, std::move(options));
    }

    // Sends one payload and waits until the sender is done with it.
    static bool sendAndWait(AnalyticsHTTPSender &sender, const AnalyticsEventPayload &payload) {
        QSignalSpy finished(&sender, &AnalyticsHTTPSender::sendFinished);
        sender.sendEvent(payload);
        return finished.count() == 1 || finished.wait(waitLimitMs);
    }

private slots:
    void initTestCase() { QVERIFY2(m_service.start(), qPrintable(m_service.errorString())); }

    void init() {
        QVERIFY(m_service.clearFaults());
        QVERIFY(m_service.clearRequests());
        QVERIFY(m_service.clearAnalytics());
    }

    void errorStatusIsLoggedOnly_data() {
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body");
        QTest::newRow("500 empty") << 500 << QByteArray();
        QTest::newRow("302 is not success") << 302 << QByteArray();
        // Filed by Qt as a proxy error, but it is the service's answer.
        QTest::newRow("407 is a status too") << 407 << QByteArray(R"({"error":"需要代理认证"})");
    }
    void errorStatusIsLoggedOnly() {
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        QVERIFY(m_service.failNext(QStringLiteral("analytics/client"), status, body));
        auto client = makeClient(m_service.baseUrl());
        AnalyticsHTTPSender sender(*client);
        AnalyticsLogCapture log;
        QVERIFY(sendAndWait(sender, samplePayload(std::nullopt)));

        QCOMPARE(
            log.lines(),
            QStringList{QStringLiteral("[Analytics] Request failed with status: %1").arg(status)});
        QCOMPARE(m_service.analyticsReceived().size(), 0);
        QCOMPARE(m_service.requests().size(), 1);
    }

    void transportFailureIsLoggedOnly_data() {
        QTest::addColumn<QString>("failure");
        QTest::newRow("service slower than the time-out") << "slow";
        QTest::newRow("certificate not trusted") << "untrusted";
    }
    void transportFailureIsLoggedOnly() {
        QFETCH(QString, failure);
        QUrl base = m_service.baseUrl();
        AnalyticsHTTPSender::Options options;
        if (failure == QLatin1String("slow")) {
            QVERIFY(m_service.delayNext(QStringLiteral("analytics/client"), 5000));
            options.timeout = std::chrono::milliseconds(300);
        }
        auto client = makeClient(base, failure != QLatin1String("untrusted"));
        AnalyticsHTTPSender sender(*client, options);
        AnalyticsLogCapture log;
        QVERIFY(sendAndWait(sender, samplePayload(QStringLiteral("00700"))));

        QCOMPARE(log.lines().size(), 1);
        const QString line = log.lines().first();
        QVERIFY2(line.startsWith(failedPrefix), qPrintable(line));
        QVERIFY2(line.size() > failedPrefix.size(), "the error's description is missing");
    }

    void trackerEventsReachTheService() {
        testsupport::TestFolder folder;
        const auto settings = folder.makeSettings();
        testsupport::ManualClock clock(QDateTime(QDate(2025, 1, 6), QTime(16, 30, 0, 5), Qt::UTC));
        auto client = makeClient(m_service.baseUrl());
        AnalyticsHTTPSender sender(*client);
        ApplicationActivation activation;
        AnalyticsTracker tracker(sender, *settings, activation, clock.clock(),
                                 [] { return QStringLiteral("1.4.2 (57)"); });
        QSignalSpy finished(&sender, &AnalyticsHTTPSender::sendFinished);
        AnalyticsLogCapture log;

        tracker.start();
        tracker.trackUserDataSaved(QStringLiteral("02590"));
        activation.notifyBecameActive();
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 2, waitLimitMs);

        QCOMPARE(log.lines(), QStringList());
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
        const QString installId = settings->value(AnalyticsTracker::installIdKey).toString();
        const QJsonObject expectedActive{{"event", "app_active"},
                                         {"installId", installId},
                                         {"occurredAt", "2025-01-06T16:30:00.005Z"},
                                         {"appVersion", "1.4.2 (57)"},
                                         {"platform", "macos"}};
        QJsonObject expectedSaved = expectedActive;
        expectedSaved.insert("event", "user_data_saved");
        expectedSaved.insert("code", "02590");
        QCOMPARE(received[0], expectedActive);
        QCOMPARE(received[1], expectedSaved);
        QCOMPARE(settings->value(AnalyticsTracker::lastActiveDateKey).toString(),
                 QStringLiteral("2025-01-07"));
    }
};

ORVEL_TEST_CLASS(AnalyticsDeliveryTest);
#include "AnalyticsDeliveryTest.moc"
