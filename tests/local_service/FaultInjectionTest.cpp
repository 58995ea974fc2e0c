#include "LocalService.h"
#include "TestFolder.h"
#include "TestRegistry.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTest>

#include <memory>

using testsupport::LocalService;

namespace {

const QString listQuery = QStringLiteral("status=all&limit=500&offset=0");
const QString updateQuery =
    QStringLiteral("platform=macos&channel=direct&currentVersion=1.4.0&currentBuild=42");

} // namespace

// Every fault switch of the service, seen by a plain QNetworkAccessManager client.
class FaultInjectionTest : public QObject {
    Q_OBJECT

private:
    testsupport::TestFolder m_folder;
    LocalService m_service;
    QNetworkAccessManager m_network;

    LocalService::Response get(const QString &path, const QString &query = {}) {
        return LocalService::exchange(m_network, m_service.request(path, query));
    }

private slots:
    void initTestCase() {
        const QJsonArray items{
            testsupport::remoteIPOJson(QStringLiteral("02590"), QStringLiteral("星河智能科技"),
                                       QStringLiteral("open"), QStringLiteral("2025-01-06"),
                                       QStringLiteral("2025-01-09"), QStringLiteral("2025-01-14")),
            testsupport::remoteIPOJson(QStringLiteral("06618"), QStringLiteral("云启医疗集团"),
                                       QStringLiteral("listed"), QStringLiteral("2024-12-02"),
                                       QStringLiteral("2024-12-05"), QStringLiteral("2024-12-10")),
        };
        const QString file = m_folder.filePath(QStringLiteral("data.json"));
        QVERIFY(testsupport::writeDataFile(file, testsupport::serviceDataJson(items)));
        QVERIFY2(m_service.start(file), qPrintable(m_service.errorString()));
    }

    void init() { QVERIFY2(m_service.clearFaults(), qPrintable(m_service.errorString())); }

    void statusFaultAnswersAsAsked_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QByteArray>("contentType");
        QTest::newRow("404 with a JSON error")
            << "ipos" << 404 << QByteArray(R"({"error":"没有这个接口"})")
            << QByteArray("application/json");
        QTest::newRow("502 empty, no content type")
            << "ipos" << 502 << QByteArray() << QByteArray();
        QTest::newRow("500 HTML page")
            << "ipos/stats" << 500 << QByteArray("<html><body>维护中</body></html>")
            << QByteArray("text/html; charset=utf-8");
        QTest::newRow("300 with a list body")
            << "ipos" << 300 << QByteArray(R"({"items":[],"count":0})")
            << QByteArray("application/json");
        QTest::newRow("199 informational")
            << "ipos" << 199 << QByteArray() << QByteArray("application/json");
        QTest::newRow("204 on the list")
            << "ipos" << 204 << QByteArray() << QByteArray("application/json");
        QTest::newRow("500 on analytics")
            << "analytics/client" << 500 << QByteArray(R"({"error":"x"})")
            << QByteArray("application/json");
        QTest::newRow("503 on the privacy page") << "/privacy" << 503 << QByteArray("稍后再试")
                                                 << QByteArray("text/plain; charset=utf-8");
    }
    void statusFaultAnswersAsAsked() {
        QFETCH(QString, path);
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        QFETCH(QByteArray, contentType);
        QVERIFY2(m_service.failNext(path, status, body, contentType),
                 qPrintable(m_service.errorString()));
        const bool post = path == QLatin1String("analytics/client");
        QNetworkRequest request = m_service.request(path, post ? QString() : listQuery);
        request.setHeader(QNetworkRequest::ContentTypeHeader,
                          QByteArrayLiteral("application/json"));
        const auto response =
            LocalService::exchange(m_network, request, post ? "POST" : "GET", "{}");
        QVERIFY2(response.finished, qPrintable(response.errorString));
        QCOMPARE(response.status, status);
        QCOMPARE(response.body, body);
        QCOMPARE(response.contentType, contentType);
    }

    void faultAnswersCountRequestsThenStops_data() {
        QTest::addColumn<int>("count");
        QTest::newRow("once") << 1;
        QTest::newRow("three times") << 3;
    }
    void faultAnswersCountRequestsThenStops() {
        QFETCH(int, count);
        LocalService::Fault fault = LocalService::Fault::withStatus(503, R"({"error":"维护中"})");
        fault.count = count;
        QVERIFY(m_service.addFault(QStringLiteral("ipos"), fault));
        for (int i = 0; i < count; ++i)
            QCOMPARE(get(QStringLiteral("ipos"), listQuery).status, 503);
        const auto after = get(QStringLiteral("ipos"), listQuery);
        QCOMPARE(after.status, 200);
        QCOMPARE(after.json().value(QStringLiteral("count")).toInt(), 2);
    }

    void faultsOfOnePathQueueInOrder() {
        QVERIFY(m_service.failNext(QStringLiteral("ipos"), 503, {}));
        QVERIFY(m_service.failNext(QStringLiteral("ipos"), 404, R"({"error":"无"})"));
        QCOMPARE(m_service.pendingFaults().size(), 2);
        QCOMPARE(get(QStringLiteral("ipos"), listQuery).status, 503);
        QCOMPARE(get(QStringLiteral("ipos"), listQuery).status, 404);
        QCOMPARE(get(QStringLiteral("ipos"), listQuery).status, 200);
        QVERIFY(m_service.pendingFaults().isEmpty());
    }

    void faultStaysWithItsPath() {
        QVERIFY(m_service.failNext(QStringLiteral("ipos/stats"), 500, {}));
        QCOMPARE(get(QStringLiteral("ipos"), listQuery).status, 200);
        QCOMPARE(get(QStringLiteral("ipos"), listQuery).status, 200);
        QCOMPARE(get(QStringLiteral("ipos/stats")).status, 500);
        QCOMPARE(get(QStringLiteral("ipos/stats")).status, 200);
    }

    void clearingFaultsRestoresNormalAnswers() {
        QVERIFY(m_service.failNext(QStringLiteral("ipos"), 500, {}));
        QVERIFY(m_service.addFault(QStringLiteral("ipos/stats"), LocalService::Fault::drop()));
        QVERIFY(m_service.clearFaults());
        QVERIFY(m_service.pendingFaults().isEmpty());
        QCOMPARE(get(QStringLiteral("ipos"), listQuery).status, 200);
        QCOMPARE(get(QStringLiteral("ipos/stats")).status, 200);
    }

    void delayHoldsTheAnswerBack() {
        const auto normal = get(QStringLiteral("ipos"), listQuery);
        QVERIFY(m_service.delayNext(QStringLiteral("ipos"), 3000));
        std::unique_ptr<QNetworkReply> slow(
            m_network.get(m_service.request(QStringLiteral("ipos"), listQuery)));
        // A request sent after the delayed one overtakes it.
        const auto quick = get(QStringLiteral("ipos/stats"));
        QCOMPARE(quick.status, 200);
        QVERIFY(!slow->isFinished());
        QTRY_VERIFY_WITH_TIMEOUT(slow->isFinished(), 15000);
        QCOMPARE(slow->error(), QNetworkReply::NoError);
        QCOMPARE(slow->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(), 200);
        QCOMPARE(slow->readAll(), normal.body);
    }

    void delayAlsoHoldsBackAFaultyAnswer() {
        LocalService::Fault fault = LocalService::Fault::withStatus(502, {});
        fault.delayMs = 2000;
        QVERIFY(m_service.addFault(QStringLiteral("ipos"), fault));
        std::unique_ptr<QNetworkReply> slow(
            m_network.get(m_service.request(QStringLiteral("ipos"), listQuery)));
        QCOMPARE(get(QStringLiteral("ipos"), listQuery).status, 200);
        QVERIFY(!slow->isFinished());
        QTRY_VERIFY_WITH_TIMEOUT(slow->isFinished(), 15000);
        QCOMPARE(slow->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(), 502);
    }

    void malformedJsonIsNotJson_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("query");
        QTest::newRow("list") << "ipos" << listQuery;
        QTest::newRow("stats") << "ipos/stats" << QString();
        QTest::newRow("update") << "app/update" << updateQuery;
    }
    void malformedJsonIsNotJson() {
        QFETCH(QString, path);
        QFETCH(QString, query);
        QVERIFY(m_service.addFault(path, LocalService::Fault::malformedJson()));
        const auto response = get(path, query);
        QCOMPARE(response.status, 200);
        QCOMPARE(response.contentType, QByteArray("application/json; charset=utf-8"));
        QVERIFY(!response.body.isEmpty());
        QJsonParseError error;
        QJsonDocument::fromJson(response.body, &error);
        QVERIFY(error.error != QJsonParseError::NoError);
    }

    void wrongTypeChangesExactlyOneField_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("query");
        QTest::addColumn<QStringList>("field"); // key path to the changed value
        QTest::addColumn<int>("wrongType");     // QJsonValue::Type it has instead
        QTest::newRow("list: first code is a number")
            << "ipos" << listQuery << QStringList{"items", "0", "code"} << int(QJsonValue::Double);
        QTest::newRow("stats: open count is a string")
            << "ipos/stats" << QString() << QStringList{"counts", "open"}
            << int(QJsonValue::String);
        QTest::newRow("update: build is a string")
            << "app/update" << updateQuery << QStringList{"latestBuild"} << int(QJsonValue::String);
    }
    void wrongTypeChangesExactlyOneField() {
        QFETCH(QString, path);
        QFETCH(QString, query);
        QFETCH(QStringList, field);
        QFETCH(int, wrongType);
        const QJsonValue normal = get(path, query).json();
        QVERIFY(m_service.addFault(path, LocalService::Fault::wrongType()));
        const auto response = get(path, query);
        QCOMPARE(response.status, 200);
        const QJsonValue faulty = response.json();

        // Walk both answers down to the field; everything else must be the same.
        const auto at = [&field](QJsonValue value, qsizetype depth) {
            for (qsizetype i = 0; i < depth; ++i)
                value = value.isArray() ? value.toArray().at(field.at(i).toInt())
                                        : value.toObject().value(field.at(i));
            return value;
        };
        const QJsonValue before = at(normal, field.size());
        const QJsonValue after = at(faulty, field.size());
        QVERIFY(before.type() != QJsonValue::Type(wrongType));
        QCOMPARE(int(after.type()), wrongType);
        // Same value, other type ("02590" becomes 2590, 1 becomes "1").
        QCOMPARE(after.toVariant().toDouble(), before.toVariant().toDouble());
        for (qsizetype depth = field.size() - 1; depth >= 0; --depth) {
            QJsonValue expected = at(normal, depth);
            QJsonValue actual = at(faulty, depth);
            const QString key = field.at(depth);
            if (expected.isArray()) {
                QJsonArray a = expected.toArray(), b = actual.toArray();
                a.removeAt(key.toInt());
                b.removeAt(key.toInt());
                QCOMPARE(b, a);
            } else {
                QJsonObject a = expected.toObject(), b = actual.toObject();
                a.remove(key);
                b.remove(key);
                QCOMPARE(b, a);
            }
        }
    }

    void oversizedBodyHasTheAskedSize_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("query");
        QTest::addColumn<qint64>("bytes");
        QTest::newRow("list, 64 KiB") << "ipos" << listQuery << qint64(64 * 1024);
        QTest::newRow("list, 3 MiB") << "ipos" << listQuery << qint64(3 * 1024 * 1024);
        QTest::newRow("stats, 1 MiB + 1") << "ipos/stats" << QString() << qint64(1024 * 1024 + 1);
    }
    void oversizedBodyHasTheAskedSize() {
        QFETCH(QString, path);
        QFETCH(QString, query);
        QFETCH(qint64, bytes);
        const QJsonObject normal = get(path, query).json();
        QVERIFY(m_service.addFault(path, LocalService::Fault::oversized(bytes)));
        const auto response = get(path, query);
        QCOMPARE(response.status, 200);
        QCOMPARE(qint64(response.body.size()), bytes);
        // Still the real answer, only padded: a client that refuses it does so for its size.
        QJsonObject padded = response.json();
        QVERIFY(padded.contains(QStringLiteral("padding")));
        padded.remove(QStringLiteral("padding"));
        QCOMPARE(padded, normal);
    }

    void droppedConnectionIsATransportError_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QByteArray>("verb");
        QTest::addColumn<int>("delayMs");
        QTest::newRow("list") << "ipos" << QByteArray("GET") << 0;
        QTest::newRow("list, after a delay") << "ipos" << QByteArray("GET") << 500;
        QTest::newRow("analytics") << "analytics/client" << QByteArray("POST") << 0;
    }
    void droppedConnectionIsATransportError() {
        QFETCH(QString, path);
        QFETCH(QByteArray, verb);
        QFETCH(int, delayMs);
        QVERIFY(m_service.clearRequests());
        LocalService::Fault fault = LocalService::Fault::drop();
        fault.delayMs = delayMs;
        QVERIFY(m_service.addFault(path, fault));
        QNetworkRequest request = m_service.request(path, verb == "GET" ? listQuery : QString());
        request.setHeader(QNetworkRequest::ContentTypeHeader,
                          QByteArrayLiteral("application/json"));
        const auto response = LocalService::exchange(m_network, request, verb, "{}");
        QVERIFY(response.finished);
        QCOMPARE(response.error, QNetworkReply::RemoteHostClosedError);
        // One drop is one failed request: the client does not quietly get a second try through.
        QCOMPARE(m_service.requests().size(), 1);
        QCOMPARE(get(QStringLiteral("ipos"), listQuery).status, 200);
    }

    void controlRefusesBadFaults_data() {
        QTest::addColumn<QByteArray>("body");
        QTest::newRow("not JSON") << QByteArray("kind=drop");
        QTest::newRow("no path") << QByteArray(R"({"kind":"drop"})");
        QTest::newRow("unknown kind") << QByteArray(R"({"path":"ipos","kind":"explode"})");
        QTest::newRow("status out of range")
            << QByteArray(R"({"path":"ipos","kind":"status","status":42})");
        QTest::newRow("count of zero") << QByteArray(R"({"path":"ipos","kind":"drop","count":0})");
        QTest::newRow("oversized without size")
            << QByteArray(R"({"path":"ipos","kind":"oversized"})");
        QTest::newRow("misspelt key") << QByteArray(R"({"path":"ipos","kind":"delay","delay":5})");
        QTest::newRow("fault on the control API")
            << QByteArray(R"({"path":"/_control/faults","kind":"drop"})");
    }
    void controlRefusesBadFaults() {
        QFETCH(QByteArray, body);
        const auto response = m_service.control("POST", QStringLiteral("/_control/faults"), body);
        QCOMPARE(response.status, 400);
        QVERIFY(!response.json().value(QStringLiteral("error")).toString().isEmpty());
        QVERIFY(m_service.pendingFaults().isEmpty());
    }
};

ORVEL_TEST_CLASS(FaultInjectionTest);

#include "FaultInjectionTest.moc"
