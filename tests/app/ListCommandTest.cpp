#include "LocalService.h"
#include "TestRegistry.h"

#include "app/ListCommand.h"
#include "repository/IPORepository.h"
#include "service/IPOAPIClient.h"
#include "store/UserIPOStore.h"

#include <QCoroTask>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

#include <memory>
#include <optional>

using namespace Qt::StringLiterals;

// `orvel --list` end to end against the local service: what a script reading the output sees.
namespace {

QJsonObject json(const char *text) {
    return QJsonDocument::fromJson(text).object();
}

// What the second IPO (with stored figures) prints as JSON. ("\/" keeps moc from reading a
// comment into the raw string.)
const char *tencent = R"({"code": "00700", "name": "腾讯", "subStart": "2025-01-09",
    "subEnd": "2025-01-14", "listingDate": "2025-01-17", "lotAmount": "3,030",
    "priceRange": "2.80-3.03", "prospectusUrl": "https:\/\/example.com/p.pdf", "status": "open",
    "board": "主板", "sharesPerLot": 1000, "subQuantity": 2000, "winQuantity": 500,
    "subMethod": "margin", "finalPrice": "2.90", "soldQuantity": 500, "sellPrice": "3.50",
    "sellDate": "2025-01-17", "feeTotal": null})";

QString listed(ListCommand::Format format, std::optional<int> year = {}) {
    testsupport::LocalService service;
    QJsonObject second = json(tencent);
    second.insert("listDate", second.take("listingDate"));
    for (const char *printedOnly :
         {"sharesPerLot", "subQuantity", "winQuantity", "subMethod", "finalPrice", "soldQuantity",
          "sellPrice", "sellDate", "feeTotal"})
        second.remove(printedOnly);
    const QJsonObject data{
        {"items", QJsonArray{json(R"({"code": "02590", "name": "甲\t乙", "subStart": "2025-01-09",
                "subEnd": null, "listDate": null, "lotAmount": "3,030", "priceRange": "2.80-3.03",
                "prospectusUrl": "", "status": "open", "board": "主板"})"),
                             second}},
        {"stats", json(R"({"counts": {"upcoming": 0, "open": 2, "listed": 0}})")}};
    if (!service.start() || !service.setData(data))
        return {};
    IPOAPIClient client(service.baseUrl(),
                        {std::chrono::milliseconds(20000), service.caCertificates()});
    auto store = UserIPOStore::open({.inMemory = true});
    // Sold on the listing day; and an application whose IPO has left the list.
    if (!store ||
        !(*store)->saveEntry(
            {"00700", 2000, 500, 1, {}, {2900, 500, 3500, QDate(2025, 1, 17), {}}, {}}) ||
        !(*store)->saveEntry(
            {"09999", 1000, 0, 0, {}, {}, {"旧股", QDate(2025, 2, 3), {}, "1.00"}}))
        return {};
    IPORepository repository(client, **store);
    QString outText;
    QString errText;
    QTextStream out(&outText);
    QTextStream err(&errText);
    const int status = QCoro::waitFor(ListCommand::run(
        repository, out, err, format,
        [] { return QDateTime(QDate(2025, 1, 8), QTime(9, 30), Qt::UTC); }, {{}, year}));
    return status == 0 && errText.isEmpty() ? outText : QString();
}

} // namespace

class ListCommandTest : public QObject {
    Q_OBJECT

private slots:
    // Each format over the same two IPOs, in the service's order.
    void printsEachFormat() {
        const QStringList lines =
            listed(ListCommand::Format::table).split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines[0], ListCommand::headerLine());
        // A tab inside a name must not shift columns; stored figures fill the last three.
        QCOMPARE(lines[1].split(u'\t'), (QStringList{"02590", "甲 乙", "open", "3,030", "2.80-3.03",
                                                     "2025-01-09", "", "1000", "0", "0", "cash"}));
        QCOMPARE(lines[2].split(u'\t').mid(6),
                 (QStringList{"2025-01-17", "1000", "2000", "500", "margin"}));

        const QJsonArray records =
            QJsonDocument::fromJson(listed(ListCommand::Format::json).toUtf8()).array();
        QCOMPARE(records.size(), 2);
        const QJsonObject first = records[0].toObject();
        QCOMPARE(first.value("name"), QJsonValue("甲\t乙")); // JSON escapes it; nothing lost
        QCOMPARE(first.value("subEnd"), QJsonValue(QJsonValue::Null));
        QCOMPARE(first.value("prospectusUrl"), QJsonValue(QJsonValue::Null));
        QJsonObject second = records[1].toObject();
        // 1,750.00 − 22.15 − (1,450.00 + 14.62) − 1.57 interest on 5,454.00 for 3 days.
        const QJsonObject result = second.take("result").toObject();
        QCOMPARE(second, json(tencent));
        QCOMPARE(result.value("result"), QJsonValue("261.66"));
        QCOMPARE(result.value("fees"), QJsonValue("38.34"));
        QCOMPARE(result.value("returnPercent"), QJsonValue(17.9));
        QCOMPARE(first.value("result").toObject().value("returnPercent"),
                 QJsonValue(QJsonValue::Null));

        // The year of the clock (2025 in Hong Kong), the orphan named from its copy.
        const QStringList year = listed(ListCommand::Format::results).split(u'\n');
        QCOMPARE(year.mid(0, 3), (QStringList{"year\t2025", "applications\t2", "allotted\t1"}));
        QVERIFY(year.contains("hitRate\t50.0%"));
        QVERIFY(year.contains("result\t261.66"));
        QVERIFY(year.contains("best\t00700\t腾讯\t261.66"));
        QVERIFY(year.contains("month\t2025-01\t261.66"));
        QCOMPARE(year.mid(year.indexOf("") + 2, 2),
                 (QStringList{"00700\t腾讯\t2025-01-17\t2000\t500\t500\t0\t38.34\t261.66\t17.9%",
                              "09999\t旧股\t2025-02-03\t1000\t0\t0\t0\t0.00\t0.00\t"}));
        const QJsonObject other =
            QJsonDocument::fromJson(listed(ListCommand::Format::resultsJson, 2024).toUtf8())
                .object();
        QCOMPARE(other.value("year"), QJsonValue(2024));
        QCOMPARE(other.value("ipos").toArray().size(), 0);
        QCOMPARE(other.value("hitRatePercent"), QJsonValue(QJsonValue::Null));

        const QString ics = listed(ListCommand::Format::calendar);
        QVERIFY(ics.startsWith(QStringLiteral("BEGIN:VCALENDAR\r\n")));
        QVERIFY(ics.contains(QStringLiteral("\r\nDTSTAMP:20250108T093000Z\r\n")));
        QCOMPARE(ics.count(QStringLiteral("BEGIN:VEVENT")), 4);
        QVERIFY(ics.contains(QStringLiteral("\r\nUID:00700-listing@orvel\r\n")));
    }

    // A failure writes nothing, says why on standard error and exits with 1: a list the service
    // refuses (its statistics, delayed far past this test, must be ended rather than waited
    // out), and a calendar without a dated IPO (RFC 5545 wants an event; the settings sheet's
    // words).
    void failuresPrintTheReasonAndExitWithOne_data() {
        QTest::addColumn<bool>("listFails");
        QTest::addColumn<QString>("reason");
        QTest::newRow("the list fails") << true << u"服务维护中"_s;
        QTest::newRow("no dated IPO for the calendar")
            << false << u"当前列表中没有带日期的新股，请刷新后再试。"_s;
    }
    void failuresPrintTheReasonAndExitWithOne() {
        QFETCH(bool, listFails);
        QFETCH(QString, reason);
        testsupport::LocalService service;
        QVERIFY2(service.start(), qPrintable(service.errorString()));
        if (listFails) {
            QVERIFY(service.failNext(u"ipos"_s, 503, R"({"error":"服务维护中"})"));
            QVERIFY(service.delayNext(u"ipos/stats"_s, 120000));
        } else {
            QVERIFY(service.setData(QJsonObject{
                {"items", QJsonArray{json(R"({"code": "02590", "name": "甲", "subStart": null,
                    "subEnd": null, "listDate": null, "lotAmount": "", "priceRange": "",
                    "prospectusUrl": "", "status": "open", "board": "主板"})")}},
                {"stats", json(R"({"counts": {"upcoming": 0, "open": 1, "listed": 0}})")}}));
        }
        IPOAPIClient client(service.baseUrl(),
                            {std::chrono::milliseconds(180000), service.caCertificates()});
        auto store = UserIPOStore::open({.inMemory = true});
        IPORepository repository(client, **store);
        QString outText;
        QString errText;
        QTextStream out(&outText);
        QTextStream err(&errText);
        const auto status = std::make_shared<std::optional<int>>();
        ListCommand::run(repository, out, err,
                         listFails ? ListCommand::Format::table : ListCommand::Format::calendar)
            .then([status](int code) { *status = code; });
        QTRY_VERIFY_WITH_TIMEOUT(status->has_value(), 15000);
        QCOMPARE(**status, 1);
        QCOMPARE(errText.trimmed(), reason);
        QVERIFY(outText.isEmpty());
    }
};

ORVEL_TEST_CLASS(ListCommandTest);

#include "ListCommandTest.moc"
