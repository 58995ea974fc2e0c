#include "TestRegistry.h"

#include "service/AppUpdateResponse.h"
#include "service/IPOAPIClient.h"
#include "service/JsonObjectReader.h"
#include "service/RemoteIPOListResponse.h"
#include "service/RemoteIPOStatsResponse.h"

#include <QJsonDocument>
#include <QTest>

namespace {

QJsonObject validIPO() {
    return QJsonObject{{"code", "02590"},           {"name", "示例科技"},
                       {"subStart", "2025-01-09"},  {"subEnd", "2025-01-14"},
                       {"listDate", "2025-01-17"},  {"lotAmount", "3,030.25"},
                       {"priceRange", "2.80-3.03"}, {"prospectusUrl", "https://example.com/p.pdf"},
                       {"status", "open"},          {"board", "主板"}};
}

QByteArray listBody(const QJsonArray &items, const QJsonValue &count = 1) {
    return QJsonDocument(QJsonObject{{"items", items}, {"count", count}})
        .toJson(QJsonDocument::Compact);
}

QByteArray withField(const QString &key, const QJsonValue &value) {
    QJsonObject ipo = validIPO();
    if (value.isUndefined())
        ipo.remove(key);
    else
        ipo.insert(key, value);
    return listBody({validIPO(), ipo}, 2);
}

Expected<RemoteIPOListResponse, QString> decodeList(const QByteArray &body) {
    return JsonObjectReader::decode<RemoteIPOListResponse>(body, &RemoteIPOListResponse::decode);
}

QJsonObject validSync() {
    return QJsonObject{{"id", "run-7"},
                       {"startedAt", "2025-01-09T08:00:00Z"},
                       {"finishedAt", "2025-01-09T08:01:00Z"},
                       {"status", "success"},
                       {"insertedCount", 2},
                       {"updatedCount", 5},
                       {"totalCount", 120},
                       {"errorMessage", QJsonValue::Null}};
}

QJsonObject validUpdate() {
    return QJsonObject{{"updateAvailable", true},
                       {"latestVersion", "1.4.0"},
                       {"latestBuild", 140},
                       {"downloadUrl", "https://orvel.example/download"},
                       {"releaseNotesUrl", "https://orvel.example/notes"},
                       {"publishedAt", "2025-01-01T00:00:00Z"},
                       {"notes", "修复若干问题"}};
}

} // namespace

class WireFormatTest : public QObject {
    Q_OBJECT

private slots:
    void decodesValidList() {
        QJsonObject second = validIPO();
        second.insert("code", "00700");
        second.insert("subStart", QJsonValue::Null);
        second.insert("subEnd", QJsonValue::Null);
        second.insert("listDate", QJsonValue::Null);
        second.insert("unknownKey", QJsonArray{1, 2});
        const auto list = decodeList(listBody({validIPO(), second}, 42));
        QVERIFY2(list.hasValue(), qPrintable(list.hasValue() ? QString() : list.error()));
        QCOMPARE(list->count, 42);
        QCOMPARE(list->items.size(), 2);
        QCOMPARE(list->items[0].code, QStringLiteral("02590"));
        QCOMPARE(list->items[0].lotAmount, QStringLiteral("3,030.25"));
        QCOMPARE(list->items[0].subEnd, std::optional<QString>(QStringLiteral("2025-01-14")));
        QCOMPARE(list->items[0].status, IPOStatus::open);
        QCOMPARE(list->items[1].code, QStringLiteral("00700"));
        QVERIFY(!list->items[1].subStart && !list->items[1].subEnd && !list->items[1].listDate);
    }

    // One bad record anywhere fails the whole answer, and the message says where.
    void rejectsBadRecord_data() {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("where");
        QTest::newRow("missing code")
            << withField("code", QJsonValue::Undefined) << "items[1].code";
        QTest::newRow("null name") << withField("name", QJsonValue::Null) << "items[1].name";
        QTest::newRow("numeric code") << withField("code", 2590) << "items[1].code";
        QTest::newRow("missing prospectus")
            << withField("prospectusUrl", QJsonValue::Undefined) << "items[1].prospectusUrl";
        QTest::newRow("date as number") << withField("subStart", 20250109) << "items[1].subStart";
        QTest::newRow("upper-case status") << withField("status", "OPEN") << "items[1].status";
        QTest::newRow("missing board")
            << withField("board", QJsonValue::Undefined) << "items[1].board";
        QTest::newRow("item not object") << listBody({validIPO(), "02590"}) << "items[1]";
        QTest::newRow("items missing") << QByteArray(R"({"count":0})") << "items";
        QTest::newRow("items object") << QByteArray(R"({"items":{},"count":0})") << "items";
        QTest::newRow("count fraction") << listBody({}, 1.5) << "count";
        QTest::newRow("count too large") << QByteArray(R"({"items":[],"count":1e30})") << "count";
        QTest::newRow("not JSON") << QByteArray("<html>oops</html>") << "JSON";
        QTest::newRow("array root") << QByteArray("[]") << "对象";
    }
    void rejectsBadRecord() {
        QFETCH(QByteArray, body);
        QFETCH(QString, where);
        const auto list = decodeList(body);
        QVERIFY(!list.hasValue());
        QVERIFY2(list.error().contains(where), qPrintable(list.error()));
    }

    void wholeNumberCountAccepted() {
        // JSON has one number type; 3.0 is the integer 3.
        const auto list = decodeList(R"({"items":[],"count":3.0})");
        QVERIFY(list.hasValue());
        QCOMPARE(list->count, 3);
    }

    // latestSync may be absent or null; anything present must be whole. Empty "error": decodes.
    void stats_data() {
        QTest::addColumn<QJsonValue>("counts");
        QTest::addColumn<QJsonValue>("latestSync");
        QTest::addColumn<QString>("error");
        const QJsonObject counts{{"upcoming", 3}, {"open", 2}, {"listed", 40}};
        QJsonObject openAsText = counts;
        openAsText.insert("open", "2");
        QJsonObject withoutId = validSync();
        withoutId.remove("id");
        const QJsonValue none(QJsonValue::Undefined);
        QTest::newRow("no sync") << QJsonValue(counts) << none << QString();
        QTest::newRow("null sync")
            << QJsonValue(counts) << QJsonValue(QJsonValue::Null) << QString();
        QTest::newRow("sync") << QJsonValue(counts) << QJsonValue(validSync()) << QString();
        QTest::newRow("counts missing") << none << none << "counts";
        QTest::newRow("open as text") << QJsonValue(openAsText) << none << "counts.open";
        QTest::newRow("sync without id")
            << QJsonValue(counts) << QJsonValue(withoutId) << "latestSync.id";
        QTest::newRow("sync not object")
            << QJsonValue(counts) << QJsonValue("yesterday") << "latestSync";
    }
    void stats() {
        QFETCH(QJsonValue, counts);
        QFETCH(QJsonValue, latestSync);
        QFETCH(QString, error);
        QJsonObject root;
        if (!counts.isUndefined())
            root.insert("counts", counts);
        if (!latestSync.isUndefined())
            root.insert("latestSync", latestSync);
        const auto stats = JsonObjectReader::decode<RemoteIPOStatsResponse>(
            QJsonDocument(root).toJson(), &RemoteIPOStatsResponse::decode);
        QCOMPARE(stats.hasValue(), error.isEmpty());
        if (!stats) {
            QVERIFY2(stats.error().contains(error), qPrintable(stats.error()));
            return;
        }
        QCOMPARE(stats->counts, (RemoteIPOStatusCounts{3, 2, 40}));
        QCOMPARE(stats->latestSync.has_value(), latestSync.isObject());
        if (latestSync.isObject())
            QCOMPARE(stats->latestSync->totalCount, 120);
    }

    void appUpdate_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QJsonValue>("value");
        QTest::addColumn<bool>("decodes");
        QTest::newRow("complete") << QString() << QJsonValue() << true;
        QTest::newRow("without notes") << "notes" << QJsonValue(QJsonValue::Undefined) << false;
        QTest::newRow("flag as number") << "updateAvailable" << QJsonValue(1) << false;
    }
    void appUpdate() {
        QFETCH(QString, key);
        QFETCH(QJsonValue, value);
        QFETCH(bool, decodes);
        QJsonObject body = validUpdate();
        if (value.isUndefined())
            body.remove(key);
        else if (!key.isEmpty())
            body.insert(key, value);
        const auto update = JsonObjectReader::decode<AppUpdateResponse>(
            QJsonDocument(body).toJson(), &AppUpdateResponse::decode);
        QCOMPARE(update.hasValue(), decodes);
        if (decodes) {
            QVERIFY(update->updateAvailable);
            QCOMPARE(update->latestBuild, 140);
        }
    }

    // Status handling of an answer that arrived, apart from the network.
    void statusHandling_data() {
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("description");
        const QByteArray valid = R"({"items":[],"count":0})";
        using Kind = IPOAPIClientError::Kind;
        QTest::newRow("200") << 200 << valid << -1 << QString();
        QTest::newRow("299") << 299 << valid << -1 << QString();
        QTest::newRow("204 empty") << 204 << QByteArray() << int(Kind::decoding) << QString();
        QTest::newRow("199") << 199 << valid << int(Kind::serverError) << "API 请求失败 (199)";
        QTest::newRow("300") << 300 << valid << int(Kind::serverError) << "API 请求失败 (300)";
        QTest::newRow("404 with error body")
            << 404 << QByteArray(R"({"error":"找不到 <b>资源</b>"})") << int(Kind::serverError)
            << "找不到 <b>资源</b>";
        QTest::newRow("500 error not string") << 500 << QByteArray(R"({"error":42})")
                                              << int(Kind::serverError) << "API 请求失败 (500)";
        QTest::newRow("502 empty")
            << 502 << QByteArray() << int(Kind::serverError) << "API 请求失败 (502)";
    }
    void statusHandling() {
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        QFETCH(int, kind);
        QFETCH(QString, description);
        const auto result = IPOAPIClient::interpret<RemoteIPOListResponse>({status, body});
        QCOMPARE(result.hasValue(), kind < 0);
        if (kind >= 0) {
            QCOMPARE(int(result.error().kind()), kind);
            if (!description.isEmpty())
                QCOMPARE(result.error().description(), description);
            QVERIFY(!result.error().description().isEmpty());
        }
    }
};

ORVEL_TEST_CLASS(WireFormatTest);

#include "WireFormatTest.moc"
