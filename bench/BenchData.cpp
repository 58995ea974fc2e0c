#include "BenchData.h"

#include <QJsonDocument>
#include <QTimeZone>

#include <array>

namespace benchdata {

namespace {

constexpr std::array<const char16_t *, 12> nameStems{
    u"星河智能科技", u"云启医疗集团", u"华澜新能源",   u"顺安智慧物流",
    u"瑞丰生物",     u"嘉禾消费品",   u"海川半导体",   u"东岳新材料",
    u"鼎盛金融服务", u"青松教育",     u"北辰汽车科技", u"南湾地产"};
constexpr std::array<const char16_t *, 3> boards{u"主板", u"主板", u"GEM"};
constexpr std::array<const char16_t *, 4> priceRanges{u"2.80-3.03", u"10.50-12.80", u"6.10",
                                                      u"45.00 - 52.60"};
constexpr std::array<const char16_t *, 4> lotAmounts{u"3,030", u"6,464.52", u"3,050", u"10,520"};

QString day(QDate date) {
    return date.toString(QStringLiteral("yyyy-MM-dd"));
}

} // namespace

QDate referenceDay() {
    return QDate(2025, 7, 9);
}

QString itemCode(int index) {
    return QStringLiteral("%1").arg(index * 20, 5, 10, QLatin1Char('0'));
}

QString entryCode(int index) {
    return QStringLiteral("%1").arg(index, 5, 10, QLatin1Char('0'));
}

QJsonObject remoteIPOJson(int index, QDate around) {
    // Several IPOs open on the same day, as on the exchange, so the table has real day runs.
    const QDate subStart = around.addDays(30 - (index * 90) / 500);
    const QDate subEnd = subStart.addDays(4);
    const QDate listDate = subStart.addDays(9);
    const bool undated = index % 37 == 5;
    const QString status = subStart > around  ? QStringLiteral("upcoming")
                           : subEnd >= around ? QStringLiteral("open")
                                              : QStringLiteral("listed");
    QJsonObject item{
        {QStringLiteral("code"), itemCode(index)},
        {QStringLiteral("name"), QString::fromUtf16(nameStems[size_t(index) % nameStems.size()]) +
                                     (index % 3 == 0 ? QStringLiteral("-B") : QString())},
        {QStringLiteral("subStart"), undated ? QJsonValue() : QJsonValue(day(subStart))},
        {QStringLiteral("subEnd"), undated ? QJsonValue() : QJsonValue(day(subEnd))},
        {QStringLiteral("listDate"), undated ? QJsonValue() : QJsonValue(day(listDate))},
        {QStringLiteral("lotAmount"), QString::fromUtf16(lotAmounts[size_t(index) % 4])},
        {QStringLiteral("priceRange"), QString::fromUtf16(priceRanges[size_t(index) % 4])},
        {QStringLiteral("prospectusUrl"),
         index % 4 == 0 ? QString()
                        : QStringLiteral("https://www1.hkexnews.hk/listedco/listconews/sehk/2025/"
                                         "%1/ltn2025%1.pdf")
                              .arg(index)},
        {QStringLiteral("status"), status},
        {QStringLiteral("board"), QString::fromUtf16(boards[size_t(index) % boards.size()])},
    };
    return item;
}

QJsonArray remoteIPOItems(int count, QDate around) {
    QJsonArray items;
    for (int i = 0; i < count; ++i)
        items.append(remoteIPOJson(i, around));
    return items;
}

QByteArray listAnswer(int count, QDate around) {
    const QJsonObject answer{{QStringLiteral("items"), remoteIPOItems(count, around)},
                             {QStringLiteral("count"), count}};
    return QJsonDocument(answer).toJson(QJsonDocument::Compact);
}

QJsonObject serviceData(int count, QDate around) {
    const QJsonObject sync{{QStringLiteral("id"), QStringLiteral("bench-run")},
                           {QStringLiteral("startedAt"), QStringLiteral("2025-07-09T01:00:00Z")},
                           {QStringLiteral("finishedAt"), QStringLiteral("2025-07-09T01:02:00Z")},
                           {QStringLiteral("status"), QStringLiteral("success")},
                           {QStringLiteral("insertedCount"), 3},
                           {QStringLiteral("updatedCount"), 12},
                           {QStringLiteral("totalCount"), count}};
    qint64 upcoming = 0, open = 0, listed = 0;
    const QJsonArray items = remoteIPOItems(count, around);
    for (const QJsonValue &item : items) {
        const QString status = item.toObject().value(QStringLiteral("status")).toString();
        (status == u"upcoming" ? upcoming : status == u"open" ? open : listed) += 1;
    }
    const QJsonObject counts{{QStringLiteral("upcoming"), upcoming},
                             {QStringLiteral("open"), open},
                             {QStringLiteral("listed"), listed}};
    return QJsonObject{
        {QStringLiteral("items"), items},
        {QStringLiteral("stats"),
         QJsonObject{{QStringLiteral("counts"), counts}, {QStringLiteral("latestSync"), sync}}}};
}

QList<UserIPOEntry> userEntries(int count) {
    const QDateTime base(referenceDay(), QTime(9, 30), Qt::UTC);
    QList<UserIPOEntry> entries;
    entries.reserve(count);
    for (int i = 0; i < count; ++i) {
        UserIPOEntry entry{entryCode(i),
                           qint64(1000) * (1 + i % 50),
                           qint64(1000) * (i % 3),
                           i % 4 == 0 ? 1 : 0,
                           base.addMSecs(-qint64(i) * 61'237),
                           {},
                           {}};
        // IPOs of one year, listed on every day of it; the allotted ones mostly sold, some
        // half, some held, a few with the broker's own fee total.
        const QDate listing = QDate(referenceDay().year(), 1, 1).addDays(i % 360);
        entry.ipo = {QString::fromUtf16(nameStems[size_t(i) % nameStems.size()]), listing,
                     listing.addDays(-4), QString::fromUtf16(priceRanges[size_t(i) % 4])};
        if (entry.winQuantity > 0 && i % 5 != 0) {
            entry.sale.soldQuantity = i % 7 == 0 ? entry.winQuantity / 2 : entry.winQuantity;
            entry.sale.sellPriceMills = 2500 + (i * 37) % 50'000;
            entry.sale.sellDate = listing.addDays(i % 3);
            if (i % 11 == 0)
                entry.sale.feeTotalCents = 7622;
        }
        entries.append(std::move(entry));
    }
    return entries;
}

QHash<QString, UserIPOEntry> userEntriesByCode(int count) {
    QHash<QString, UserIPOEntry> byCode;
    byCode.reserve(count);
    for (const UserIPOEntry &entry : userEntries(count))
        byCode.insert(entry.code, entry);
    return byCode;
}

QList<UserIPOBackupRow> backupRows(int count) {
    QList<UserIPOBackupRow> rows;
    rows.reserve(count);
    for (const UserIPOEntry &entry : userEntries(count))
        rows.append(UserIPOBackupRow::fromEntry(entry));
    return rows;
}

} // namespace benchdata
