#include "TestRegistry.h"

#include "service/AppUpdateResponse.h"
#include "service/IPOAPIClient.h"
#include "service/JsonObjectReader.h"
#include "service/RemoteIPOListResponse.h"
#include "service/RemoteIPOStatsResponse.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QTest>

namespace {

const QJsonObject validIPO{{"code", "02590"},
                           {"name", "示例科技"},
                           {"subStart", "2025-01-09"},
                           {"subEnd", QJsonValue::Null},
                           {"lotAmount", "3,030.25"},
                           {"priceRange", "2.80-3.03"},
                           {"prospectusUrl", "https://example.com/p.pdf"},
                           {"status", "open"},
                           {"board", "主板"},
                           {"unknownKey", QJsonArray{1, 2}}};
const QJsonObject validSync{{"id", "run-7"},
                            {"startedAt", "2025-01-09T08:00:00Z"},
                            {"status", "success"},
                            {"insertedCount", 2},
                            {"updatedCount", 5},
                            {"totalCount", 120},
                            {"errorMessage", QJsonValue::Null}};
const QJsonObject validUpdate{{"updateAvailable", true},
                              {"latestVersion", "1.4.0"},
                              {"latestBuild", 140},
                              {"downloadUrl", "https://orvel.example/download"},
                              {"releaseNotesUrl", "https://orvel.example/notes"},
                              {"publishedAt", "2025-01-01T00:00:00Z"},
                              {"notes", "修复若干问题"}};

QByteArray json(const QJsonObject &object) {
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

// `object` with `key` set to `value`, or removed when `value` is undefined.
QJsonObject with(QJsonObject object, const QString &key, const QJsonValue &value) {
    if (value.isUndefined())
        object.remove(key);
    else
        object.insert(key, value);
    return object;
}

// A list of a valid IPO and one with `key` changed; one bad record fails the whole answer.
QByteArray listWith(const QString &key, const QJsonValue &value) {
    return json({{"items", QJsonArray{validIPO, with(validIPO, key, value)}}, {"count", 2}});
}

QByteArray statsWith(const QString &key, const QJsonValue &value) {
    return json(
        with({{"counts", QJsonObject{{"upcoming", 3}, {"open", 2}, {"listed", 40}}}}, key, value));
}

template <typename Answer> QString errorOf(const QByteArray &body) {
    const auto answer = JsonObjectReader::decode<Answer>(body, &Answer::decode);
    return answer ? QString() : answer.error();
}

} // namespace

class WireFormatTest : public QObject {
    Q_OBJECT

private slots:
    // Every field read; optional dates may be null or absent; unknown keys are ignored.
    void decodesValidAnswers() {
        const auto list = JsonObjectReader::decode<RemoteIPOListResponse>(
            listWith("code", "00700"), &RemoteIPOListResponse::decode);
        QVERIFY2(list, qPrintable(list ? QString() : list.error()));
        RemoteIPO first{"02590",         "示例科技", "2025-01-09", std::nullopt,
                        std::nullopt,    "3,030.25", "2.80-3.03",  "https://example.com/p.pdf",
                        IPOStatus::open, "主板"};
        RemoteIPO second = first;
        second.code = "00700";
        QCOMPARE(*list, (RemoteIPOListResponse{{first, second}, 2}));

        const auto stats = JsonObjectReader::decode<RemoteIPOStatsResponse>(
            statsWith("latestSync", validSync), &RemoteIPOStatsResponse::decode);
        QVERIFY(stats);
        QCOMPARE(*stats, (RemoteIPOStatsResponse{{3, 2, 40},
                                                 RemoteSyncSummary{"run-7", "2025-01-09T08:00:00Z",
                                                                   std::nullopt, "success", 2, 5,
                                                                   120, std::nullopt}}));
        const auto update = JsonObjectReader::decode<AppUpdateResponse>(json(validUpdate),
                                                                        &AppUpdateResponse::decode);
        QVERIFY(update);
        QCOMPARE(*update, (AppUpdateResponse{true, "1.4.0", 140, "https://orvel.example/download",
                                             "https://orvel.example/notes", "2025-01-01T00:00:00Z",
                                             "修复若干问题"}));
    }

    // What fails an answer, and the message says where; "where" empty: it decodes.
    void decodingRules_data() {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("where");
        const QJsonValue none(QJsonValue::Undefined), null(QJsonValue::Null);
        const auto row = [](const char *name, const char *type, const QByteArray &body,
                            const QString &where) {
            QTest::newRow(name) << QString(type) << body << where;
        };
        row("missing code", "list", listWith("code", none), "items[1].code");
        row("null name", "list", listWith("name", null), "items[1].name");
        row("numeric code", "list", listWith("code", 2590), "items[1].code");
        row("missing prospectus", "list", listWith("prospectusUrl", none),
            "items[1].prospectusUrl");
        row("date as number", "list", listWith("subStart", 20250109), "items[1].subStart");
        row("upper-case status", "list", listWith("status", "OPEN"), "items[1].status");
        row("missing board", "list", listWith("board", none), "items[1].board");
        row("item not object", "list",
            json({{"items", QJsonArray{validIPO, "02590"}}, {"count", 2}}), "items[1]");
        row("items missing", "list", R"({"count":0})", "items");
        row("items object", "list", R"({"items":{},"count":0})", "items");
        row("count fraction", "list", R"({"items":[],"count":1.5})", "count");
        row("count too large", "list", R"({"items":[],"count":1e30})", "count");
        // JSON has one number type; 3.0 is the integer 3.
        row("whole count written as fraction", "list", R"({"items":[],"count":3.0})", {});
        row("not JSON", "list", "<html>oops</html>", "JSON");
        row("array root", "list", "[]", "对象");
        row("no sync", "stats", statsWith("latestSync", none), {});
        row("null sync", "stats", statsWith("latestSync", null), {});
        row("counts missing", "stats", statsWith("counts", none), "counts");
        row("open as text", "stats",
            statsWith("counts", QJsonObject{{"upcoming", 3}, {"open", "2"}}), "counts.open");
        row("sync without id", "stats", statsWith("latestSync", with(validSync, "id", none)),
            "latestSync.id");
        row("sync not object", "stats", statsWith("latestSync", "yesterday"), "latestSync");
        row("update without notes", "update", json(with(validUpdate, "notes", none)), "notes");
        row("update flag as number", "update", json(with(validUpdate, "updateAvailable", 1)),
            "updateAvailable");
    }
    void decodingRules() {
        QFETCH(QString, type);
        QFETCH(QByteArray, body);
        QFETCH(QString, where);
        const QString error = type == u"list"    ? errorOf<RemoteIPOListResponse>(body)
                              : type == u"stats" ? errorOf<RemoteIPOStatsResponse>(body)
                                                 : errorOf<AppUpdateResponse>(body);
        QVERIFY2(where.isEmpty() ? error.isEmpty() : error.contains(where), qPrintable(error));
    }

    // Status handling of an answer that arrived, apart from the network.
    void statusHandling_data() {
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<int>("kind"); // -1: decoded
        QTest::addColumn<QString>("description");
        const QByteArray valid = R"({"items":[],"count":0})";
        using Kind = IPOAPIClientError::Kind;
        QTest::newRow("200") << 200 << valid << -1 << QString();
        QTest::newRow("299") << 299 << valid << -1 << QString();
        QTest::newRow("199") << 199 << valid << int(Kind::serverError) << "API 请求失败 (199)";
        QTest::newRow("300") << 300 << valid << int(Kind::serverError) << "API 请求失败 (300)";
        QTest::newRow("500 error not string") << 500 << QByteArray(R"({"error":42})")
                                              << int(Kind::serverError) << "API 请求失败 (500)";
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
            QVERIFY(!result.error().description().isEmpty());
            QVERIFY(description.isEmpty() || result.error().description() == description);
        }
    }
};

ORVEL_TEST_CLASS(WireFormatTest);

#include "WireFormatTest.moc"
