#include "LocalService.h"
#include "TestRegistry.h"

#include "service/ApplicationInformation.h"
#include "service/IPOAPIClient.h"

#include <QCoroTask>
#include <QJsonObject>
#include <QTest>

using testsupport::LocalService;

// The update request against the real local service over loopback TLS.
class AppUpdateRequestTest : public QObject {
    Q_OBJECT

private:
    LocalService m_service;

    std::unique_ptr<IPOAPIClient> makeClient(const QUrl &updateEndpoint) {
        IPOAPIClient::Options options;
        options.extraCACertificates = m_service.caCertificates();
        options.updateEndpoint = updateEndpoint;
        return std::make_unique<IPOAPIClient>(m_service.baseUrl(), std::move(options));
    }

    QUrl serviceEndpoint() const { return m_service.url(QStringLiteral("app/update")); }

    static QString describe(const ServiceResult<AppUpdateResponse> &result) {
        return result ? QStringLiteral("success") : result.error().description();
    }

private slots:
    void initTestCase() { QVERIFY2(m_service.start(), qPrintable(m_service.errorString())); }

    void init() {
        QVERIFY(m_service.clearFaults());
        QVERIFY(m_service.clearRequests());
        QVERIFY(m_service.setData(testsupport::serviceDataJson({})));
    }

    void clientDefaultsToTheBuildsEndpoint() {
        QCOMPARE(IPOAPIClient::Options().updateEndpoint, updateEndpointURL());
    }

    void queryOrderAndValues_data() {
        QTest::addColumn<int>("channel");
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("build");
        QTest::addColumn<QString>("query");
        const int direct = int(DistributionChannel::direct);
        const int appstore = int(DistributionChannel::appstore);
        QTest::newRow("direct") << direct << "1.4.2"
                                << "57"
                                << "platform=macos&channel=direct&currentVersion=1.4.2"
                                   "&currentBuild=57";
        QTest::newRow("appstore") << appstore << "1.4.2"
                                  << "57"
                                  << "platform=macos&channel=appstore&currentVersion=1.4.2"
                                     "&currentBuild=57";
        QTest::newRow("separators cannot split the query")
            << direct << "1&currentBuild=999"
            << "5#x"
            << "platform=macos&channel=direct&currentVersion=1%26currentBuild%3D999"
               "&currentBuild=5%23x";
    }
    void queryOrderAndValues() {
        QFETCH(int, channel);
        QFETCH(QString, version);
        QFETCH(QString, build);
        QFETCH(QString, query);
        auto client = makeClient(serviceEndpoint());
        const auto result = QCoro::waitFor(client->fetchAppUpdate(
            QStringLiteral("macos"), DistributionChannel(channel), version, build));
        QVERIFY2(result.hasValue(), qPrintable(describe(result)));

        const QList<QJsonObject> requests = m_service.requests();
        QCOMPARE(requests.size(), 1);
        QCOMPARE(requests[0].value("method").toString(), QStringLiteral("GET"));
        QCOMPARE(requests[0].value("path").toString(), QStringLiteral("/v2/app/update"));
        QCOMPARE(requests[0].value("query").toString(), query);
        // The service's demo answer echoes the version it was asked about.
        QCOMPARE(result->latestVersion, version);
    }

    void endpointQueryIsReplaced() {
        // A configured endpoint that already carries a query goes through the table like the
        // application's own; its query must not survive next to the four keys.
        const QString configured =
            serviceEndpoint().toString() + QStringLiteral("?channel=appstore&token=abc");
        const QUrl endpoint =
            updateEndpointURL(QVariantMap{{appinfo::updateEndpointKey, configured}});
        QCOMPARE(endpoint.host(), QStringLiteral("127.0.0.1"));
        auto client = makeClient(endpoint);
        const auto result = QCoro::waitFor(
            client->fetchAppUpdate(QStringLiteral("macos"), DistributionChannel::direct,
                                   QStringLiteral("1.0"), QStringLiteral("3")));
        QVERIFY2(result.hasValue(), qPrintable(describe(result)));
        const QList<QJsonObject> requests = m_service.requests();
        QCOMPARE(requests.size(), 1);
        QCOMPARE(requests[0].value("query").toString(),
                 QStringLiteral("platform=macos&channel=direct&currentVersion=1.0&currentBuild=3"));
    }

    void unusableEndpointSendsNothing_data() {
        QTest::addColumn<QUrl>("endpoint");
        QTest::newRow("relative") << QUrl(QStringLiteral("app/update"));
        QTest::newRow("no host") << QUrl(QStringLiteral("file:///tmp/update"));
    }
    void unusableEndpointSendsNothing() {
        QFETCH(QUrl, endpoint);
        auto client = makeClient(endpoint);
        const auto result = QCoro::waitFor(
            client->fetchAppUpdate(QStringLiteral("macos"), DistributionChannel::direct,
                                   QStringLiteral("1.0"), QStringLiteral("1")));
        QVERIFY(!result.hasValue());
        QCOMPARE(result.error().kind(), IPOAPIClientError::Kind::invalidURL);
        QCOMPARE(result.error().description(), QStringLiteral("API 地址无效"));
        QVERIFY(m_service.requests().isEmpty());
    }
};

ORVEL_TEST_CLASS(AppUpdateRequestTest);
#include "AppUpdateRequestTest.moc"
