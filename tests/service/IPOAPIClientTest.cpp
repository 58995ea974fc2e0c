#include "LocalService.h"
#include "TestRegistry.h"

#include "service/ApplicationInformation.h"
#include "service/IPOAPIClient.h"

#include <QCoroTask>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

using testsupport::LocalService;
Q_DECLARE_METATYPE(LocalService::Fault)

class IPOAPIClientTest : public QObject {
    Q_OBJECT

private:
    LocalService m_service;

    std::unique_ptr<IPOAPIClient> makeClient(IPOAPIClient::Options options = {}) {
        if (options.extraCACertificates.isEmpty())
            options.extraCACertificates = m_service.caCertificates();
        return std::make_unique<IPOAPIClient>(m_service.baseUrl(), std::move(options));
    }

    static ServiceResult<RemoteIPOListResponse> fetchList(IPOAPIClient &client) {
        return QCoro::waitFor(client.fetchIPOs(QStringLiteral("all"), 500, 0));
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

    // The list in the service's order, asked for with the arguments in the query; the
    // statistics (counted by the service from the list: its data has none). Then a 407: the
    // service's answer too, though Qt files it under a network-layer error of its own.
    void listStatsAndAnErrorStatus() {
        auto client = makeClient();
        const auto list = fetchList(*client);
        QVERIFY2(list, qPrintable(list ? QString() : list.error().description()));
        QStringList codes;
        for (const RemoteIPO &ipo : list->items)
            codes << ipo.code;
        QCOMPARE(codes, (QStringList{"09999", "00700", "02590", "00005"}));
        QCOMPARE(list->items[2].status, IPOStatus::listed);
        QCOMPARE(m_service.requests().last().value("path").toString(), QStringLiteral("/v2/ipos"));
        QCOMPARE(m_service.requests().last().value("query").toString(),
                 QStringLiteral("status=all&limit=500&offset=0"));
        const auto stats = QCoro::waitFor(client->fetchStats());
        QVERIFY(stats.hasValue());
        QCOMPARE(stats->counts.open, 2);
        QCOMPARE(m_service.requests().last().value("path").toString(),
                 QStringLiteral("/v2/ipos/stats"));
        QVERIFY(m_service.failNext(QStringLiteral("ipos"), 407, R"({"error":"需要代理认证"})",
                                   "application/json"));
        const auto refused = fetchList(*client);
        QVERIFY(!refused.hasValue());
        QCOMPARE(refused.error().kind(), IPOAPIClientError::Kind::serverError);
        QCOMPARE(refused.error().description(), QStringLiteral("需要代理认证"));
    }

    // Only the given CA is trusted, not the system store: refused without it (a transport
    // error); the build's compiled-in CA arrives as PEM text and is decoded at the first request.
    void trustComesFromTheGivenCA() {
        IPOAPIClient untrusting(m_service.baseUrl());
        const auto refused = fetchList(untrusting);
        QVERIFY(!refused.hasValue());
        QCOMPARE(refused.error().kind(), IPOAPIClientError::Kind::transport);
        QVERIFY2(refused.error().description().contains(QStringLiteral("安全连接")),
                 qPrintable(refused.error().description()));
        IPOAPIClient::Options options;
        for (const QSslCertificate &certificate : m_service.caCertificates())
            options.extraCACertificatesPem += certificate.toPem();
        IPOAPIClient client(m_service.baseUrl(), options);
        const auto list = fetchList(client);
        QVERIFY2(list.hasValue(), qPrintable(list ? QString() : list.error().description()));
    }

    // Failures before a whole answer arrived: the client's own time-out, its size cap (on a
    // valid JSON body, so only the cap can refuse it) and a connection broken mid-answer.
    void transportFailures_data() {
        QTest::addColumn<LocalService::Fault>("fault");
        QTest::addColumn<QString>("description");
        QTest::newRow("time-out") << LocalService::Fault::delay(5000) << "超时";
        QTest::newRow("oversized") << LocalService::Fault::oversized(3 * 1024 * 1024) << "过大";
        QTest::newRow("dropped") << LocalService::Fault::drop() << "断开";
    }
    void transportFailures() {
        QFETCH(LocalService::Fault, fault);
        QFETCH(QString, description);
        QVERIFY(m_service.addFault(QStringLiteral("ipos"), fault));
        IPOAPIClient::Options options;
        options.timeout = std::chrono::milliseconds(500);
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
        QTest::newRow("appstore") << int(DistributionChannel::appstore) << "1.4.2" << QString()
                                  << "platform=linux&channel=appstore&currentVersion=1.4.2"
                                     "&currentBuild=57";
        QTest::newRow("separators in a value")
            << int(DistributionChannel::direct) << "1&currentBuild=9#x" << QString()
            << "platform=linux&channel=direct&currentVersion=1%26currentBuild%3D9%23x"
               "&currentBuild=57";
        QTest::newRow("endpoint's own query")
            << int(DistributionChannel::direct) << "1.0"
            << "channel=appstore&token=abc"
            << "platform=linux&channel=direct&currentVersion=1.0&currentBuild=57";
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
            QStringLiteral("linux"), DistributionChannel(channel), version, QStringLiteral("57")));
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
                ? fetchList(client).error()
                : QCoro::waitFor(client.fetchAppUpdate(QStringLiteral("linux"),
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
