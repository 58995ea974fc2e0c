#include "LocalService.h"
#include "TestFolder.h"
#include "TestRegistry.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QTest>
#include <QUrlQuery>

using testsupport::LocalService;

namespace {

// Deliberately not in any date or code order: the service must keep its own order.
QJsonArray sampleItems() {
    using testsupport::remoteIPOJson;
    return QJsonArray{
        remoteIPOJson("09999", "远图地理信息", "upcoming"),
        remoteIPOJson("00700", "星河智能科技", "open", "2025-01-06", "2025-01-09", "2025-01-14"),
        remoteIPOJson("02590", "云启医疗集团", "listed", "2024-12-02", "2024-12-05", "2024-12-10",
                      "5,050", "10.10", "https://example.org/p.pdf"),
        remoteIPOJson("06666", "华澜新能源", "open", "2025-01-07", "2025-01-10", "2025-01-15"),
        remoteIPOJson("01234", "顺安智慧物流", "listed", "2024-11-04", "2024-11-07", "2024-11-12"),
        remoteIPOJson("08001", "瑞丰生物-B", "listed", "2024-10-07", "2024-10-10", "2024-10-15",
                      "3,030.25", "5.60-6.10", {}, "创业板"),
    };
}

QStringList codesOf(const QJsonArray &items) {
    QStringList codes;
    for (const QJsonValue &item : items)
        codes << item.toObject().value(QStringLiteral("code")).toString();
    return codes;
}

} // namespace

// The list, statistics and update endpoints and the routing around them, over loopback TLS.
class ServiceEndpointsTest : public QObject {
    Q_OBJECT

private:
    testsupport::TestFolder m_folder;
    LocalService m_service;
    QNetworkAccessManager m_network;

    LocalService::Response get(const QString &path, const QString &query = {}) {
        return LocalService::exchange(m_network, m_service.request(path, query));
    }

    static void verifyErrorBody(const LocalService::Response &response) {
        QCOMPARE(response.contentType, QByteArray("application/json; charset=utf-8"));
        const QJsonValue error = response.json().value(QStringLiteral("error"));
        QVERIFY2(error.isString() && !error.toString().isEmpty(), response.body.constData());
    }

private slots:
    void initTestCase() {
        const QString file = m_folder.filePath(QStringLiteral("data.json"));
        QVERIFY(testsupport::writeDataFile(file, testsupport::serviceDataJson(sampleItems())));
        QVERIFY2(m_service.start(file), qPrintable(m_service.errorString()));
    }

    void init() {
        QVERIFY(m_service.clearFaults());
        QVERIFY(m_service.setData(testsupport::serviceDataJson(sampleItems())));
    }

    void listPages_data() {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QStringList>("codes");
        QTest::addColumn<int>("count");
        const QStringList all = codesOf(sampleItems());
        QTest::newRow("everything") << "status=all&limit=500&offset=0" << all << 6;
        QTest::newRow("open only")
            << "status=open&limit=500&offset=0" << QStringList{"00700", "06666"} << 2;
        QTest::newRow("second listed, page of one")
            << "status=listed&limit=1&offset=1" << QStringList{"01234"} << 3;
        QTest::newRow("last two") << "status=all&limit=2&offset=4" << all.mid(4) << 6;
        QTest::newRow("page cut at the end") << "status=all&limit=5&offset=3" << all.mid(3) << 6;
        QTest::newRow("offset past the end")
            << "status=all&limit=10&offset=6" << QStringList{} << 6;
        QTest::newRow("status is case-sensitive")
            << "status=OPEN&limit=500&offset=0" << QStringList{} << 0;
        QTest::newRow("unknown status")
            << "status=delisted&limit=500&offset=0" << QStringList{} << 0;
        QTest::newRow("no status lists all") << "limit=500&offset=0" << all << 6;
    }
    void listPages() {
        QFETCH(QString, query);
        QFETCH(QStringList, codes);
        QFETCH(int, count);
        const auto response = get(QStringLiteral("ipos"), query);
        QCOMPARE(response.status, 200);
        QCOMPARE(response.contentType, QByteArray("application/json; charset=utf-8"));
        const QJsonObject page = response.json();
        QVERIFY(page.value(QStringLiteral("count")).isDouble());
        QCOMPARE(page.value(QStringLiteral("count")).toInt(), count);
        const QJsonArray items = page.value(QStringLiteral("items")).toArray();
        QCOMPARE(codesOf(items), codes);
        // Items go out exactly as the data holds them.
        const QJsonArray source = sampleItems();
        for (const QJsonValue &item : items) {
            const auto same =
                std::find_if(source.begin(), source.end(), [&item](const QJsonValue &s) {
                    return s.toObject().value(QStringLiteral("code")) ==
                           item.toObject().value(QStringLiteral("code"));
                });
            QCOMPARE(item.toObject(), same->toObject());
        }
    }

    void badListQueriesAreRefused_data() {
        QTest::addColumn<QString>("query");
        QTest::newRow("no limit") << "status=all&offset=0";
        QTest::newRow("no offset") << "status=all&limit=500";
        QTest::newRow("nothing") << QString();
        QTest::newRow("limit not a number") << "status=all&limit=abc&offset=0";
        QTest::newRow("negative limit") << "status=all&limit=-1&offset=0";
        QTest::newRow("limit of zero") << "status=all&limit=0&offset=0";
        QTest::newRow("limit above 500") << "status=all&limit=501&offset=0";
        QTest::newRow("negative offset") << "status=all&limit=500&offset=-1";
        QTest::newRow("fractional offset") << "status=all&limit=500&offset=1.5";
        QTest::newRow("empty offset") << "status=all&limit=500&offset=";
    }
    void badListQueriesAreRefused() {
        QFETCH(QString, query);
        const auto response = get(QStringLiteral("ipos"), query);
        QCOMPARE(response.status, 400);
        verifyErrorBody(response);
    }

    void statsCountTheItemsWhenTheDataHasNone() {
        const auto response = get(QStringLiteral("ipos/stats"));
        QCOMPARE(response.status, 200);
        const QJsonObject stats = response.json();
        QVERIFY(!stats.contains(QStringLiteral("latestSync")));
        const QJsonObject counts = stats.value(QStringLiteral("counts")).toObject();
        for (const QString &status :
             {QStringLiteral("upcoming"), QStringLiteral("open"), QStringLiteral("listed")}) {
            const auto list = get(QStringLiteral("ipos"),
                                  QStringLiteral("status=%1&limit=500&offset=0").arg(status));
            QVERIFY(counts.value(status).isDouble());
            QCOMPARE(counts.value(status).toInt(),
                     list.json().value(QStringLiteral("count")).toInt());
        }
    }

    void statsAndUpdateFromTheDataGoOutUnchanged() {
        const QJsonObject stats{
            {"counts", QJsonObject{{"upcoming", 7}, {"open", 0}, {"listed", 120}}},
            {"latestSync", QJsonObject{{"id", "run-9"},
                                       {"startedAt", "2025-01-06T01:00:00Z"},
                                       {"status", "failed"},
                                       {"insertedCount", 0},
                                       {"updatedCount", 0},
                                       {"totalCount", 0},
                                       {"errorMessage", "交易所网站超时"}}}};
        const QJsonObject update{{"updateAvailable", true},
                                 {"latestVersion", "2.0.0"},
                                 {"latestBuild", 200},
                                 {"downloadUrl", "/download/2.0.0"},
                                 {"releaseNotesUrl", "https://orvel.example/notes/2.0.0"},
                                 {"publishedAt", "2025-02-01"},
                                 {"notes", "全新日历视图"}};
        QVERIFY(m_service.setData(testsupport::serviceDataJson(sampleItems(), stats, update)));
        QCOMPARE(get(QStringLiteral("ipos/stats")).json(), stats);
        QCOMPARE(
            get(QStringLiteral("app/update"),
                QStringLiteral("platform=macos&channel=direct&currentVersion=1.0&currentBuild=10"))
                .json(),
            update);
    }

    void setDataReplacesTheList() {
        const QJsonArray replacement{testsupport::remoteIPOJson("03333", "新公司", "upcoming")};
        QVERIFY(m_service.setData(testsupport::serviceDataJson(replacement)));
        const QJsonObject page =
            get(QStringLiteral("ipos"), QStringLiteral("status=all&limit=500&offset=0")).json();
        QCOMPARE(page.value(QStringLiteral("items")).toArray(), replacement);
        QCOMPARE(page.value(QStringLiteral("count")).toInt(), 1);
    }

    void setDataRefusesBadData_data() {
        QTest::addColumn<QByteArray>("body");
        QTest::newRow("not JSON") << QByteArray("items");
        QTest::newRow("items not a list") << QByteArray(R"({"items":{}})");
        QTest::newRow("stats not an object") << QByteArray(R"({"items":[],"stats":[]})");
        QTest::newRow("misspelt key") << QByteArray(R"({"item":[]})");
    }
    void setDataRefusesBadData() {
        QFETCH(QByteArray, body);
        QCOMPARE(m_service.control("POST", QStringLiteral("/_control/data"), body).status, 400);
        // The old data stays.
        QCOMPARE(get(QStringLiteral("ipos"), QStringLiteral("status=all&limit=500&offset=0"))
                     .json()
                     .value(QStringLiteral("count"))
                     .toInt(),
                 6);
    }

    void updateSaysUpToDateByDefault_data() {
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("build");
        QTest::addColumn<int>("latestBuild");
        QTest::newRow("numeric build") << "1.4.0"
                                       << "42" << 42;
        QTest::newRow("version with spaces") << "1.4.0 beta"
                                             << "7" << 7;
        QTest::newRow("build that is not a number") << "unknown"
                                                    << "x1" << 0;
    }
    void updateSaysUpToDateByDefault() {
        QFETCH(QString, version);
        QFETCH(QString, build);
        QFETCH(int, latestBuild);
        QUrlQuery query;
        query.addQueryItem(QStringLiteral("platform"), QStringLiteral("macos"));
        query.addQueryItem(QStringLiteral("channel"), QStringLiteral("direct"));
        query.addQueryItem(QStringLiteral("currentVersion"), version);
        query.addQueryItem(QStringLiteral("currentBuild"), build);
        const auto response = get(QStringLiteral("app/update"), query.toString(QUrl::FullyEncoded));
        QCOMPARE(response.status, 200);
        const QJsonObject update = response.json();
        QCOMPARE(update.size(), 7);
        QCOMPARE(update.value(QStringLiteral("updateAvailable")), QJsonValue(false));
        QCOMPARE(update.value(QStringLiteral("latestVersion")).toString(), version);
        QVERIFY(update.value(QStringLiteral("latestBuild")).isDouble());
        QCOMPARE(update.value(QStringLiteral("latestBuild")).toInt(), latestBuild);
        for (const char *key : {"downloadUrl", "releaseNotesUrl", "publishedAt", "notes"})
            QVERIFY2(update.value(QLatin1String(key)).isString(), key);
    }

    void incompleteUpdateQueriesAreRefused_data() {
        QTest::addColumn<QString>("query");
        QTest::newRow("no platform") << "channel=direct&currentVersion=1.0&currentBuild=1";
        QTest::newRow("no channel") << "platform=macos&currentVersion=1.0&currentBuild=1";
        QTest::newRow("no version") << "platform=macos&channel=direct&currentBuild=1";
        QTest::newRow("no build") << "platform=macos&channel=direct&currentVersion=1.0";
        QTest::newRow("empty build")
            << "platform=macos&channel=direct&currentVersion=1.0&currentBuild=";
        QTest::newRow("channel in the wrong case")
            << "platform=macos&channel=Direct&currentVersion=1.0&currentBuild=1";
    }
    void incompleteUpdateQueriesAreRefused() {
        QFETCH(QString, query);
        const auto response = get(QStringLiteral("app/update"), query);
        QCOMPARE(response.status, 400);
        verifyErrorBody(response);
    }

    void unknownPathsAndWrongMethods_data() {
        QTest::addColumn<QByteArray>("verb");
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("status");
        QTest::newRow("unknown path") << QByteArray("GET") << "/v2/nothing" << 404;
        QTest::newRow("root") << QByteArray("GET") << "/" << 404;
        QTest::newRow("old API version") << QByteArray("GET") << "/v1/ipos" << 404;
        QTest::newRow("unknown control path") << QByteArray("GET") << "/_control/nothing" << 404;
        QTest::newRow("POST to the list") << QByteArray("POST") << "/v2/ipos" << 405;
        QTest::newRow("DELETE on stats") << QByteArray("DELETE") << "/v2/ipos/stats" << 405;
        QTest::newRow("GET on analytics") << QByteArray("GET") << "/v2/analytics/client" << 405;
        QTest::newRow("PUT on update") << QByteArray("PUT") << "/v2/app/update" << 405;
        QTest::newRow("POST to the privacy page") << QByteArray("POST") << "/privacy" << 405;
    }
    void unknownPathsAndWrongMethods() {
        QFETCH(QByteArray, verb);
        QFETCH(QString, path);
        QFETCH(int, status);
        QNetworkRequest request = m_service.request(path);
        request.setHeader(QNetworkRequest::ContentTypeHeader,
                          QByteArrayLiteral("application/json"));
        const auto response = LocalService::exchange(m_network, request, verb, "{}");
        QCOMPARE(response.status, status);
        verifyErrorBody(response);
    }

    void requestLogKeepsMethodPathQueryAndBody() {
        QVERIFY(m_service.clearRequests());
        get(QStringLiteral("ipos"), QStringLiteral("status=open%20now&limit=500&offset=0"));
        get(QStringLiteral("ipos/stats"));
        QNetworkRequest post = m_service.request(QStringLiteral("analytics/client"));
        post.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("application/json"));
        LocalService::exchange(m_network, post, "POST", R"({"event":"x"})");
        m_service.control("GET", QStringLiteral("/_control/faults"));

        const QList<QJsonObject> requests = m_service.requests();
        QCOMPARE(requests.size(), 3); // control calls are not logged
        QCOMPARE(requests[0].value("method").toString(), QStringLiteral("GET"));
        QCOMPARE(requests[0].value("path").toString(), QStringLiteral("/v2/ipos"));
        QCOMPARE(requests[0].value("query").toString(),
                 QStringLiteral("status=open%20now&limit=500&offset=0"));
        QCOMPARE(requests[1].value("path").toString(), QStringLiteral("/v2/ipos/stats"));
        QCOMPARE(requests[1].value("query").toString(), QString());
        QCOMPARE(requests[2].value("method").toString(), QStringLiteral("POST"));
        QCOMPARE(requests[2].value("body").toString(), QStringLiteral(R"({"event":"x"})"));
        QCOMPARE(requests[2].value("headers").toObject().value("content-type").toString(),
                 QStringLiteral("application/json"));
    }
};

ORVEL_TEST_CLASS(ServiceEndpointsTest);

#include "ServiceEndpointsTest.moc"
