#include "ListCommand.h"

#include "model/ServiceDateFormatter.h"
#include "repository/CalendarExport.h"
#include "repository/IPORepository.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace {

QString dayText(const std::optional<QDateTime> &day) {
    return day ? serviceDateFormatter().string(*day) : QString();
}

QString methodText(SubMethod method) {
    return method == SubMethod::margin ? QStringLiteral("margin") : QStringLiteral("cash");
}

QJsonValue dayValue(const std::optional<QDateTime> &day) {
    return day ? QJsonValue(dayText(day)) : QJsonValue(QJsonValue::Null);
}

} // namespace

QString ListCommand::headerLine() {
    return QStringLiteral("code\tname\tstatus\tlotAmount\tpriceRange\tsubStart\tlistingDate\t"
                          "sharesPerLot\tsubQuantity\twinQuantity\tsubMethod");
}

QString ListCommand::recordLine(const IPORecord &record) {
    const IPOData &ipo = record.ipo;
    const QStringList fields{ipo.code,
                             ipo.name,
                             rawValue(ipo.status),
                             ipo.lotAmount,
                             ipo.priceRange,
                             dayText(ipo.subStart),
                             dayText(ipo.listingDate),
                             QString::number(ipo.sharesPerLot()),
                             QString::number(record.subQuantity),
                             QString::number(record.winQuantity),
                             methodText(record.subMethod)};
    // A tab or line break inside a service text would shift every later column.
    QStringList cleaned;
    cleaned.reserve(fields.size());
    for (QString field : fields)
        cleaned.append(field.replace(u'\t', u' ').replace(u'\n', u' ').replace(u'\r', u' '));
    return cleaned.join(u'\t');
}

QCoro::Task<int> ListCommand::run(IPORepository &repository, QTextStream &out, QTextStream &err,
                                  Format format, Clock clock) {
    const SyncStatusReport report = co_await repository.forceRefresh();
    if (report.isError) {
        err << report.text << Qt::endl;
        co_return 1;
    }
    switch (format) {
    case Format::table:
        out << headerLine() << '\n';
        for (const IPORecord &record : repository.records())
            out << recordLine(record) << '\n';
        break;
    case Format::json:
        out << QString::fromUtf8(jsonDocument(repository.records()));
        break;
    case Format::calendar:
        // A file without an event is no calendar: say so instead of writing one.
        if (CalendarExport::eventCount(repository.records()) == 0) {
            err << CalendarExport::nothingToExportMessage() << Qt::endl;
            co_return 1;
        }
        out << QString::fromUtf8(CalendarExport::document(repository.records(), clock()));
        break;
    }
    out.flush();
    co_return 0;
}

QJsonObject ListCommand::recordObject(const IPORecord &record) {
    const IPOData &ipo = record.ipo;
    return {{QStringLiteral("code"), ipo.code},
            {QStringLiteral("name"), ipo.name},
            {QStringLiteral("status"), rawValue(ipo.status)},
            {QStringLiteral("lotAmount"), ipo.lotAmount},
            {QStringLiteral("priceRange"), ipo.priceRange},
            {QStringLiteral("prospectusUrl"),
             ipo.prospectusURL ? QJsonValue(*ipo.prospectusURL) : QJsonValue(QJsonValue::Null)},
            {QStringLiteral("board"), ipo.board},
            {QStringLiteral("subStart"), dayValue(ipo.subStart)},
            {QStringLiteral("subEnd"), dayValue(ipo.subEnd)},
            {QStringLiteral("listingDate"), dayValue(ipo.listingDate)},
            {QStringLiteral("sharesPerLot"), ipo.sharesPerLot()},
            {QStringLiteral("subQuantity"), record.subQuantity},
            {QStringLiteral("winQuantity"), record.winQuantity},
            {QStringLiteral("subMethod"), methodText(record.subMethod)}};
}

QByteArray ListCommand::jsonDocument(const QList<IPORecord> &records) {
    QJsonArray array;
    for (const IPORecord &record : records)
        array.append(recordObject(record));
    return QJsonDocument(array).toJson(QJsonDocument::Indented);
}
