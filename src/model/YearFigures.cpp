#include "YearFigures.h"

#include "ExactRate.h"
#include "MarketCalendar.h"

#include <algorithm>
#include <set>
#include <vector>

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
    // Sorted as small keys, not as whole IPOs: a year can hold thousands.
    struct Placed {
        QDate day;
        qsizetype index;
    };
    std::vector<Placed> placed;
    placed.reserve(size_t(records.size()));
    // Days compared as day numbers: taking each date apart into a year would cost more than
    // everything else here.
    const QDate first(year, 1, 1);
    const QDate last(year, 12, 31);
    for (qsizetype i = 0; i < records.size(); ++i) {
        const QDate day = dayOf(records.at(i));
        if (day.isValid() && day >= first && day <= last)
            placed.push_back({day, i});
    }
    std::stable_sort(placed.begin(), placed.end(),
                     [](const Placed &a, const Placed &b) { return a.day < b.day; });
    std::array<QDate, 12> monthStarts;
    for (int month = 1; month <= 12; ++month)
        monthStarts[size_t(month - 1)] = QDate(year, month, 1);
    figures.records = records;
    figures.ipos.reserve(qsizetype(placed.size()));
    for (const Placed &p : placed)
        figures.ipos.append({p.index, IPOResult::of(records.at(p.index), broker), p.day});
    for (qsizetype i = 0; i < figures.ipos.size(); ++i) {
        const YearIPO &ipo = figures.ipos[i];
        const IPOResult &result = ipo.result;
        if (figures.recordOf(ipo).subQuantity > 0)
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
        const auto month = std::upper_bound(monthStarts.cbegin(), monthStarts.cend(), ipo.day);
        figures.resultByMonthCents[size_t(month - monthStarts.cbegin() - 1)] += result.resultCents;
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
