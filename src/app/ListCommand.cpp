#include "ListCommand.h"

#include "model/ServiceDateFormatter.h"
#include "repository/IPORepository.h"

namespace {

QString dayText(const std::optional<QDateTime> &day) {
    return day ? serviceDateFormatter().string(*day) : QString();
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
                             record.subMethod == SubMethod::margin ? QStringLiteral("margin")
                                                                   : QStringLiteral("cash")};
    // A tab or line break inside a service text would shift every later column.
    QStringList cleaned;
    cleaned.reserve(fields.size());
    for (QString field : fields)
        cleaned.append(field.replace(u'\t', u' ').replace(u'\n', u' ').replace(u'\r', u' '));
    return cleaned.join(u'\t');
}

QCoro::Task<int> ListCommand::run(IPORepository &repository, QTextStream &out, QTextStream &err) {
    const SyncStatusReport report = co_await repository.forceRefresh();
    if (report.isError) {
        err << report.text << Qt::endl;
        co_return 1;
    }
    out << headerLine() << '\n';
    for (const IPORecord &record : repository.records())
        out << recordLine(record) << '\n';
    out.flush();
    co_return 0;
}
