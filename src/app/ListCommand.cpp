#include "ListCommand.h"

#include "model/MarketCalendar.h"
#include "model/MoneyText.h"
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

QJsonValue orNull(const std::optional<qint64> &value, QString (*format)(qint64)) {
    return value ? QJsonValue(format(*value)) : QJsonValue(QJsonValue::Null);
}

QJsonValue percentValue(const std::optional<qint64> &permille) {
    return permille ? QJsonValue(double(*permille) / 10.0) : QJsonValue(QJsonValue::Null);
}

QString percentText(const std::optional<qint64> &permille) {
    if (!permille)
        return {};
    QString text = MoneyText::percentFromPermille(*permille);
    return text.startsWith(u'+') ? text.mid(1) : text;
}

QJsonValue bestOrWorst(const YearFigures &year, const std::optional<qsizetype> &index) {
    if (!index)
        return QJsonValue::Null;
    const YearIPO &ipo = year.ipos[*index];
    const IPOData &data = year.recordOf(ipo).ipo;
    return QJsonObject{{QStringLiteral("code"), data.code},
                       {QStringLiteral("name"), data.name},
                       {QStringLiteral("result"), MoneyText::cents(ipo.result.resultCents)}};
}

QStringList bestOrWorstFields(const YearFigures &year, const std::optional<qsizetype> &index) {
    if (!index)
        return {QString()};
    const YearIPO &ipo = year.ipos[*index];
    const IPOData &data = year.recordOf(ipo).ipo;
    return {data.code, data.name, MoneyText::cents(ipo.result.resultCents)};
}

QString monthText(int year, int month) {
    return QStringLiteral("%1-%2")
        .arg(year, 4, 10, QLatin1Char('0'))
        .arg(month, 2, 10, QLatin1Char('0'));
}

// A tab or line break inside a service text would shift every later column.
QString tableLine(QStringList fields) {
    for (QString &field : fields)
        field.replace(u'\t', u' ').replace(u'\n', u' ').replace(u'\r', u' ');
    return fields.join(u'\t');
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
    return tableLine(fields);
}

QCoro::Task<int> ListCommand::run(IPORepository &repository, QTextStream &out, QTextStream &err,
                                  Format format, Clock clock, Options options) {
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
        out << QString::fromUtf8(jsonDocument(repository.records(), options.broker));
        break;
    case Format::results:
    case Format::resultsJson: {
        const int year = options.year.value_or(marketCalendar().dayOf(clock()).year());
        const YearFigures figures =
            YearFigures::of(repository.ledgerRecords(), year, options.broker);
        if (format == Format::results)
            out << resultsText(figures);
        else
            out << QString::fromUtf8(resultsJson(figures));
        break;
    }
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

QJsonObject ListCommand::resultObject(const IPOResult &result) {
    return {{QStringLiteral("allottedCost"), MoneyText::cents(result.allottedCostCents)},
            {QStringLiteral("allotmentCharges"),
             MoneyText::cents(result.allotmentCharges.totalCents())},
            {QStringLiteral("proceeds"), MoneyText::cents(result.proceedsCents)},
            {QStringLiteral("saleCharges"), MoneyText::cents(result.saleCharges.totalCents())},
            {QStringLiteral("handlingFee"), MoneyText::cents(result.handlingFeeCents)},
            {QStringLiteral("financingInterest"), MoneyText::cents(result.financingInterestCents)},
            {QStringLiteral("fees"), MoneyText::cents(result.feesCents)},
            {QStringLiteral("result"), MoneyText::cents(result.resultCents)},
            {QStringLiteral("returnPercent"), percentValue(result.returnPermille)},
            {QStringLiteral("soldShares"), result.soldShares},
            {QStringLiteral("heldShares"), result.heldShares()}};
}

QJsonObject ListCommand::recordObject(const IPORecord &record, const BrokerCharges &broker) {
    const IPOData &ipo = record.ipo;
    const IPOSale &sale = record.sale;
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
            {QStringLiteral("subMethod"), methodText(record.subMethod)},
            {QStringLiteral("finalPrice"), orNull(sale.finalPriceMills, &MoneyText::mills)},
            {QStringLiteral("soldQuantity"), sale.soldQuantity},
            {QStringLiteral("sellPrice"), orNull(sale.sellPriceMills, &MoneyText::mills)},
            {QStringLiteral("sellDate"), sale.sellDate
                                             ? QJsonValue(sale.sellDate->toString(Qt::ISODate))
                                             : QJsonValue(QJsonValue::Null)},
            {QStringLiteral("feeTotal"), orNull(sale.feeTotalCents, &MoneyText::cents)},
            {QStringLiteral("result"), resultObject(IPOResult::of(record, broker))}};
}

QByteArray ListCommand::jsonDocument(const QList<IPORecord> &records, const BrokerCharges &broker) {
    QJsonArray array;
    for (const IPORecord &record : records)
        array.append(recordObject(record, broker));
    return QJsonDocument(array).toJson(QJsonDocument::Indented);
}

QString ListCommand::resultsText(const YearFigures &year) {
    QStringList lines{
        QStringLiteral("year\t%1").arg(year.year),
        QStringLiteral("applications\t%1").arg(year.applications),
        QStringLiteral("allotted\t%1").arg(year.allotted),
        QStringLiteral("hitRate\t") + percentText(year.hitRatePermille()),
        QStringLiteral("closed\t%1").arg(year.closed),
        QStringLiteral("winRate\t") + percentText(year.winRatePermille()),
        QStringLiteral("result\t") + MoneyText::cents(year.resultCents),
        QStringLiteral("fees\t") + MoneyText::cents(year.feesCents),
        tableLine(QStringList{QStringLiteral("best")} + bestOrWorstFields(year, year.best)),
        tableLine(QStringList{QStringLiteral("worst")} + bestOrWorstFields(year, year.worst))};
    for (int month = 1; month <= 12; ++month)
        lines.append(QStringLiteral("month\t") + monthText(year.year, month) + u'\t' +
                     MoneyText::cents(year.resultByMonthCents[size_t(month - 1)]));
    lines.append(QString());
    lines.append(QStringLiteral("code\tname\tday\tsubQuantity\twinQuantity\tsoldShares\t"
                                "heldShares\tfees\tresult\treturn"));
    for (const YearIPO &ipo : year.ipos) {
        const IPOResult &result = ipo.result;
        const IPORecord &record = year.recordOf(ipo);
        lines.append(
            tableLine({record.ipo.code, record.ipo.name, ipo.day.toString(Qt::ISODate),
                       QString::number(record.subQuantity), QString::number(result.allottedShares),
                       QString::number(result.soldShares), QString::number(result.heldShares()),
                       MoneyText::cents(result.feesCents), MoneyText::cents(result.resultCents),
                       percentText(result.returnPermille)}));
    }
    return lines.join(u'\n') + u'\n';
}

QByteArray ListCommand::resultsJson(const YearFigures &year) {
    QJsonArray months;
    for (int month = 1; month <= 12; ++month)
        months.append(QJsonObject{{QStringLiteral("month"), monthText(year.year, month)},
                                  {QStringLiteral("result"),
                                   MoneyText::cents(year.resultByMonthCents[size_t(month - 1)])}});
    QJsonArray ipos;
    for (const YearIPO &ipo : year.ipos) {
        const IPORecord &record = year.recordOf(ipo);
        ipos.append(QJsonObject{{QStringLiteral("code"), record.ipo.code},
                                {QStringLiteral("name"), record.ipo.name},
                                {QStringLiteral("day"), ipo.day.toString(Qt::ISODate)},
                                {QStringLiteral("subQuantity"), record.subQuantity},
                                {QStringLiteral("winQuantity"), record.winQuantity},
                                {QStringLiteral("result"), resultObject(ipo.result)}});
    }
    const QJsonObject object{
        {QStringLiteral("year"), year.year},
        {QStringLiteral("applications"), year.applications},
        {QStringLiteral("allotted"), year.allotted},
        {QStringLiteral("hitRatePercent"), percentValue(year.hitRatePermille())},
        {QStringLiteral("closed"), year.closed},
        {QStringLiteral("winRatePercent"), percentValue(year.winRatePermille())},
        {QStringLiteral("result"), MoneyText::cents(year.resultCents)},
        {QStringLiteral("fees"), MoneyText::cents(year.feesCents)},
        {QStringLiteral("best"), bestOrWorst(year, year.best)},
        {QStringLiteral("worst"), bestOrWorst(year, year.worst)},
        {QStringLiteral("months"), months},
        {QStringLiteral("ipos"), ipos}};
    return QJsonDocument(object).toJson(QJsonDocument::Indented);
}
