#include "LocalService.h"
#include "TestRegistry.h"

#include "service/ApplicationInformation.h"
#include "service/IPOAPIClient.h"

#include <QCoroTask>
#include <QJsonArray>
#include <QJsonObject>
#include <QTest>

using testsupport::LocalService;
Q_DECLARE_METATYPE(LocalService::Fault)

// The client against the real local service over loopback TLS.
class IPOAPIClientTest : public QObject {
    Q_OBJECT

private:
    LocalService m_service;

    std::unique_ptr<IPOAPIClient> makeClient(IPOAPIClient::Options options = {}) {
        if (options.extraCACertificates.isEmpty())
            options.extraCACertificates = m_service.caCertificates();
        return std::make_unique<IPOAPIClient>(m_service.baseUrl(), std::move(options));
    }

    ServiceResult<RemoteIPOListResponse> fetchList(IPOAPIClient &client,
                                                   const QString &status = QStringLiteral("all")) {
        return QCoro::waitFor(client.fetchIPOs(status, 500, 0));
    }

private slots:
    void initTestCase() {
        QVERIFY2(m_service.start(), qPrintable(m_service.errorString()));
        const QJsonArray items{testsupport::remoteIPOJson("09999", "公司", "upcoming"),
                               testsupport::remoteIPOJson("00700", "公司", "open"),
                               testsupport::remoteIPOJson("02590", "公司", "listed"),
                               testsupport::remoteIPOJson("00005", "公司", "open")};
        QVERIFY(m_service.setData(testsupport::serviceDataJson(items)));
    }

    void init() { QVERIFY(m_service.clearFaults()); }

    void listKeepsServiceOrder() {
        auto client = makeClient();
        const auto list = fetchList(*client);
        QVERIFY2(list.hasValue(),
                 qPrintable(list.hasValue() ? QString() : list.error().description()));
        QStringList codes;
        for (const RemoteIPO &ipo : list->items)
            codes << ipo.code;
        QCOMPARE(codes, (QStringList{"09999", "00700", "02590", "00005"}));
        QCOMPARE(list->items[2].status, IPOStatus::listed);
    }

    void queryCarriesArguments_data() {
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("expectedQuery");
        QTest::newRow("all") << "all"
                             << "status=all&limit=500&offset=0";
        QTest::newRow("ampersand cannot split the query") << "a&b=c"
                                                          << "status=a%26b%3Dc&limit=500&offset=0";
    }
    void queryCarriesArguments() {
        QFETCH(QString, status);
        QFETCH(QString, expectedQuery);
        auto client = makeClient();
        fetchList(*client, status);
        const QList<QJsonObject> requests = m_service.requests();
        QVERIFY(!requests.isEmpty());
        QCOMPARE(requests.last().value("path").toString(), QStringLiteral("/v2/ipos"));
        QCOMPARE(requests.last().value("query").toString(), expectedQuery);
    }

    void stats() {
        auto client = makeClient();
        const auto stats = QCoro::waitFor(client->fetchStats());
        QVERIFY(stats.hasValue());
        QCOMPARE(stats->counts.open, 2); // counted from the list: no stats in the data
        QCOMPARE(m_service.requests().last().value("path").toString(),
                 QStringLiteral("/v2/ipos/stats"));
    }

    void errorStatuses_data() {
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QByteArray>("contentType");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("description");
        using Kind = IPOAPIClientError::Kind;
        QTest::newRow("404 with error body")
            << 404 << QByteArray(R"({"error":"没有这个接口"})") << QByteArray("application/json")
            << int(Kind::serverError) << "没有这个接口";
        // Qt files this one under a network-layer error of its own; it is an answer all the same.
        QTest::newRow("407 with error body")
            << 407 << QByteArray(R"({"error":"需要代理认证"})") << QByteArray("application/json")
            << int(Kind::serverError) << "需要代理认证";
    }
    void errorStatuses() {
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        QFETCH(QByteArray, contentType);
        QFETCH(int, kind);
        QFETCH(QString, description);
        QVERIFY(m_service.failNext(QStringLiteral("ipos"), status, body, contentType));
        auto client = makeClient();
        const auto list = fetchList(*client);
        QVERIFY(!list.hasValue());
        QCOMPARE(int(list.error().kind()), kind);
        if (!description.isEmpty())
            QCOMPARE(list.error().description(), description);
        QVERIFY(!list.error().description().isEmpty());
    }

    void untrustedCertificateIsATransportError() {
        // Only the system store: the throwaway CA of this run is not in it.
        IPOAPIClient client(m_service.baseUrl());
        const auto list = fetchList(client);
        QVERIFY(!list.hasValue());
        QCOMPARE(list.error().kind(), IPOAPIClientError::Kind::transport);
        QVERIFY2(list.error().description().contains(QStringLiteral("安全连接")),
                 qPrintable(list.error().description()));
    }

    // Failures before a whole answer arrived: the client's own time-out, its size cap (with a
    // valid JSON body, so only the cap can refuse it) and a connection broken mid-answer.
    void transportFailures_data() {
        QTest::addColumn<LocalService::Fault>("fault");
        QTest::addColumn<int>("timeoutMs"); // 0: the client's default
        QTest::addColumn<QString>("description");
        QTest::newRow("time-out") << LocalService::Fault::delay(5000) << 500 << "超时";
        QTest::newRow("oversized")
            << LocalService::Fault::oversized(3 * 1024 * 1024) << 0 << "过大";
        QTest::newRow("dropped") << LocalService::Fault::drop() << 0 << "断开";
    }
    void transportFailures() {
        QFETCH(LocalService::Fault, fault);
        QFETCH(int, timeoutMs);
        QFETCH(QString, description);
        QVERIFY(m_service.addFault(QStringLiteral("ipos"), fault));
        IPOAPIClient::Options options;
        if (timeoutMs > 0)
            options.timeout = std::chrono::milliseconds(timeoutMs);
        options.maxBodyBytes = 1024 * 1024;
        auto client = makeClient(options);
        const auto list = fetchList(*client);
        QVERIFY(!list.hasValue());
        QCOMPARE(list.error().kind(), IPOAPIClientError::Kind::transport);
        QVERIFY2(list.error().description().contains(description),
                 qPrintable(list.error().description()));
    }

    // The four keys in a fixed order, each value encoded so it cannot split the query; a query
    // the configured endpoint already has is replaced, not merged.
    void updateQuery_data() {
        QTest::addColumn<int>("channel");
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("endpointQuery");
        QTest::addColumn<QString>("query");
        QTest::newRow("direct") << int(DistributionChannel::direct) << "1.4.2" << QString()
                                << "platform=macos&channel=direct&currentVersion=1.4.2"
                                   "&currentBuild=57";
        QTest::newRow("appstore") << int(DistributionChannel::appstore) << "1.4.2" << QString()
                                  << "platform=macos&channel=appstore&currentVersion=1.4.2"
                                     "&currentBuild=57";
        QTest::newRow("separators in a value")
            << int(DistributionChannel::direct) << "1&currentBuild=9#x" << QString()
            << "platform=macos&channel=direct&currentVersion=1%26currentBuild%3D9%23x"
               "&currentBuild=57";
        QTest::newRow("endpoint's own query")
            << int(DistributionChannel::direct) << "1.0"
            << "channel=appstore&token=abc"
            << "platform=macos&channel=direct&currentVersion=1.0&currentBuild=57";
    }
    void updateQuery() {
        QFETCH(int, channel);
        QFETCH(QString, version);
        QFETCH(QString, endpointQuery);
        QFETCH(QString, query);
        QCOMPARE(IPOAPIClient::Options().updateEndpoint, updateEndpointURL());
        QVERIFY(m_service.clearRequests());
        IPOAPIClient::Options options;
        options.updateEndpoint = m_service.url(QStringLiteral("app/update"), endpointQuery);
        auto client = makeClient(options);
        const auto result = QCoro::waitFor(client->fetchAppUpdate(
            QStringLiteral("macos"), DistributionChannel(channel), version, QStringLiteral("57")));
        QVERIFY(result.hasValue());
        // The service's demo answer echoes the version it was asked about.
        QCOMPARE(result->latestVersion, version);
        const QList<QJsonObject> requests = m_service.requests();
        QCOMPARE(requests.size(), 1);
        QCOMPARE(requests[0].value("path").toString(), QStringLiteral("/v2/app/update"));
        QCOMPARE(requests[0].value("query").toString(), query);
    }

    void unusableURLSendsNothing_data() {
        QTest::addColumn<QUrl>("base");
        QTest::addColumn<QUrl>("updateEndpoint");
        const QUrl none;
        QTest::newRow("no base") << none << QUrl(QStringLiteral("https://127.0.0.1/u"));
        QTest::newRow("relative endpoint")
            << QUrl(QStringLiteral("https://127.0.0.1/v2")) << QUrl(QStringLiteral("app/update"));
        QTest::newRow("endpoint without host") << QUrl(QStringLiteral("https://127.0.0.1/v2"))
                                               << QUrl(QStringLiteral("file:///tmp/update"));
    }
    void unusableURLSendsNothing() {
        QFETCH(QUrl, base);
        QFETCH(QUrl, updateEndpoint);
        QVERIFY(m_service.clearRequests());
        IPOAPIClient::Options options;
        options.updateEndpoint = updateEndpoint;
        IPOAPIClient client(base, options);
        const auto result =
            base.isEmpty()
                ? QCoro::waitFor(client.fetchIPOs(QStringLiteral("all"), 500, 0)).error()
                : QCoro::waitFor(client.fetchAppUpdate(QStringLiteral("macos"),
                                                       DistributionChannel::direct,
                                                       QStringLiteral("1.0"), QStringLiteral("1")))
                      .error();
        QCOMPARE(result.kind(), IPOAPIClientError::Kind::invalidURL);
        QCOMPARE(result.description(), QStringLiteral("API 地址无效"));
        QVERIFY(m_service.requests().isEmpty());
    }
};

ORVEL_TEST_CLASS(IPOAPIClientTest);

#include "IPOAPIClientTest.moc"
