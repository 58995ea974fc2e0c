#include "YearFigures.h"

#include "ExactRate.h"
#include "MarketCalendar.h"

#include <algorithm>
#include <set>

namespace {

std::optional<qint64> permille(qint64 part, qint64 whole) {
    if (whole < 1)
        return std::nullopt;
    return divideRounded(static_cast<WideInt>(part) * 1000, whole);
}

} // namespace

QDate YearFigures::dayOf(const IPORecord &record) {
    if (!record.hasEntry())
        return {};
    if (record.sale.sellDate && record.sale.soldQuantity > 0)
        return *record.sale.sellDate;
    const MarketCalendar &calendar = marketCalendar();
    if (record.ipo.listingDate)
        return calendar.dayOf(*record.ipo.listingDate);
    return calendar.dayOf(*record.updatedAt);
}

QList<int> YearFigures::years(const QList<IPORecord> &records) {
    std::set<int, std::greater<>> years;
    for (const IPORecord &record : records) {
        const QDate day = dayOf(record);
        if (day.isValid())
            years.insert(day.year());
    }
    return QList<int>(years.cbegin(), years.cend());
}

YearFigures YearFigures::of(const QList<IPORecord> &records, int year,
                            const BrokerCharges &broker) {
    YearFigures figures;
    figures.year = year;
    for (const IPORecord &record : records) {
        const QDate day = dayOf(record);
        if (!day.isValid() || day.year() != year)
            continue;
        figures.ipos.append({record, IPOResult::of(record, broker), day});
    }
    std::sort(figures.ipos.begin(), figures.ipos.end(), [](const YearIPO &a, const YearIPO &b) {
        if (a.day != b.day)
            return a.day < b.day;
        return a.record.ipo.code < b.record.ipo.code;
    });
    for (qsizetype i = 0; i < figures.ipos.size(); ++i) {
        const YearIPO &ipo = figures.ipos[i];
        const IPOResult &result = ipo.result;
        if (ipo.record.subQuantity > 0)
            ++figures.applications;
        if (result.allottedShares > 0)
            ++figures.allotted;
        if (result.isClosed()) {
            ++figures.closed;
            if (result.resultCents > 0)
                ++figures.wins;
        }
        figures.resultCents += result.resultCents;
        figures.feesCents += result.feesCents;
        figures.resultByMonthCents[static_cast<size_t>(ipo.day.month() - 1)] += result.resultCents;
        if (result.soldShares > 0) {
            if (!figures.best ||
                result.resultCents > figures.ipos[*figures.best].result.resultCents)
                figures.best = i;
            if (!figures.worst ||
                result.resultCents < figures.ipos[*figures.worst].result.resultCents)
                figures.worst = i;
        }
    }
    return figures;
}

std::optional<qint64> YearFigures::hitRatePermille() const {
    return permille(allotted, applications);
}

std::optional<qint64> YearFigures::winRatePermille() const {
    return permille(wins, closed);
}
