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
    "subMethod": "margin"})";

QString listed(ListCommand::Format format) {
    testsupport::LocalService service;
    QJsonObject second = json(tencent);
    second.insert("listDate", second.take("listingDate"));
    for (const char *printedOnly : {"sharesPerLot", "subQuantity", "winQuantity", "subMethod"})
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
    if (!store || !(*store)->saveEntry(QStringLiteral("00700"), 2000, 500, SubMethod::margin))
        return {};
    IPORepository repository(client, **store);
    QString outText;
    QString errText;
    QTextStream out(&outText);
    QTextStream err(&errText);
    const int status = QCoro::waitFor(ListCommand::run(repository, out, err, format, [] {
        return QDateTime(QDate(2025, 1, 8), QTime(9, 30), Qt::UTC);
    }));
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
        QCOMPARE(records[1].toObject(), json(tencent));

        const QString ics = listed(ListCommand::Format::calendar);
        QVERIFY(ics.startsWith(QStringLiteral("BEGIN:VCALENDAR\r\n")));
        QVERIFY(ics.contains(QStringLiteral("\r\nDTSTAMP:20250108T093000Z\r\n")));
        QCOMPARE(ics.count(QStringLiteral("BEGIN:VEVENT")), 4);
        QVERIFY(ics.contains(QStringLiteral("\r\nUID:00700-listing@orvel\r\n")));
    }

    // RFC 5545 wants at least one event: a list without a dated IPO writes no calendar and says
    // why, in the settings sheet's words.
    void calendarWithoutADatedIPOIsRefused() {
        testsupport::LocalService service;
        QVERIFY2(service.start(), qPrintable(service.errorString()));
        QVERIFY(service.setData(QJsonObject{
            {"items", QJsonArray{json(R"({"code": "02590", "name": "甲", "subStart": null,
                "subEnd": null, "listDate": null, "lotAmount": "", "priceRange": "",
                "prospectusUrl": "", "status": "open", "board": "主板"})")}},
            {"stats", json(R"({"counts": {"upcoming": 0, "open": 1, "listed": 0}})")}}));
        IPOAPIClient client(service.baseUrl(),
                            {std::chrono::milliseconds(20000), service.caCertificates()});
        auto store = UserIPOStore::open({.inMemory = true});
        IPORepository repository(client, **store);
        QString outText;
        QString errText;
        QTextStream out(&outText);
        QTextStream err(&errText);
        QCOMPARE(
            QCoro::waitFor(ListCommand::run(repository, out, err, ListCommand::Format::calendar)),
            1);
        QVERIFY(outText.isEmpty());
        QCOMPARE(errText.trimmed(), QStringLiteral("当前列表中没有带日期的新股，请刷新后再试。"));
    }

    void failurePrintsDescriptionAndExitsWithOne() {
        testsupport::LocalService service;
        QVERIFY2(service.start(), qPrintable(service.errorString()));
        QVERIFY(service.failNext(QStringLiteral("ipos"), 503, R"({"error":"服务维护中"})"));
        // Statistics that would answer long after this test gives up: a failed list must end
        // their request instead of waiting it out.
        QVERIFY(service.delayNext(QStringLiteral("ipos/stats"), 120000));
        IPOAPIClient client(service.baseUrl(),
                            {std::chrono::milliseconds(180000), service.caCertificates()});
        auto store = UserIPOStore::open({.inMemory = true});
        IPORepository repository(client, **store);
        QString outText;
        QString errText;
        QTextStream out(&outText);
        QTextStream err(&errText);
        const auto status = std::make_shared<std::optional<int>>();
        ListCommand::run(repository, out, err).then([status](int code) { *status = code; });
        QTRY_VERIFY_WITH_TIMEOUT(status->has_value(), 15000);
        QCOMPARE(**status, 1);
        QCOMPARE(errText.trimmed(), QStringLiteral("服务维护中"));
        QVERIFY(outText.isEmpty());
    }
};

ORVEL_TEST_CLASS(ListCommandTest);

#include "ListCommandTest.moc"
