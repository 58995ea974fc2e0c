#include "BenchData.h"

#include "model/MarketCalendar.h"
#include "repository/RecordMerge.h"
#include "service/JsonObjectReader.h"
#include "service/RemoteIPOListResponse.h"
#include "ui/main_window/RecordSearch.h"
#include "ui/main_window/RecordSorting.h"
#include "ui/main_window/RowBanding.h"
#include "ui/main_window/TimeFiltering.h"
#include "ui/menu_bar/CalendarWeeks.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

// What the views compute each time they draw from 500 published records: the main table's
// filter, order and day bands, and the menu-bar calendar's grouping by day and week rows.

namespace {

const QList<IPORecord> &publishedRecords() {
    static const QList<IPORecord> records = [] {
        const QByteArray body = benchdata::listAnswer(500, benchdata::referenceDay());
        auto decoded =
            JsonObjectReader::decode<RemoteIPOListResponse>(body, &RemoteIPOListResponse::decode);
        if (!decoded)
            std::abort();
        const QHash<QString, UserIPOEntry> byCode = benchdata::userEntriesByCode(10'000);
        QList<IPORecord> merged;
        for (const RemoteIPO &remote : decoded->items)
            merged.append(makeRecord(remote, byCode));
        return merged;
    }();
    return records;
}

QDateTime benchNow() {
    return QDateTime(benchdata::referenceDay(), QTime(10, 0), marketTimeZone());
}

// The main window's evaluation, as it runs on every records change and filter switch.
void BM_FilterSortBands500(benchmark::State &state) {
    const TimeFilter filter = allTimeFilters[size_t(state.range(0))];
    const QList<IPORecord> &records = publishedRecords();
    const QDateTime now = benchNow();
    const MarketCalendar &calendar = marketCalendar();
    qsizetype listed = 0;
    for (auto _ : state) {
        QList<IPORecord> shown =
            RecordSorting::sorted(TimeFiltering::filtered(records, filter, now, calendar));
        QHash<QString, TableRowBand> bands = RowBanding::bands(shown, calendar);
        listed = shown.size();
        benchmark::DoNotOptimize(bands);
    }
    state.counters["listed"] = double(listed);
    state.SetLabel(rawValue(filter).toStdString());
}
BENCHMARK(BM_FilterSortBands500)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);

// One keystroke in the search field: the whole evaluation of 500 records under "全部" with the
// search text, a code fragment and a (mixed-case) name fragment, as the user types them.
void BM_Search500(benchmark::State &state) {
    static const QString queries[] = {QStringLiteral("0"), QStringLiteral("科技"),
                                      QStringLiteral("-b")};
    const QString &query = queries[state.range(0)];
    const QList<IPORecord> &records = publishedRecords();
    const QDateTime now = benchNow();
    const MarketCalendar &calendar = marketCalendar();
    qsizetype listed = 0;
    for (auto _ : state) {
        QList<IPORecord> shown = RecordSorting::sorted(RecordSearch::matching(
            TimeFiltering::filtered(records, TimeFilter::all, now, calendar), query));
        QHash<QString, TableRowBand> bands = RowBanding::bands(shown, calendar);
        listed = shown.size();
        benchmark::DoNotOptimize(bands);
    }
    state.counters["listed"] = double(listed);
}
BENCHMARK(BM_Search500)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

void BM_RecordsByDay500(benchmark::State &state) {
    const QList<IPORecord> &records = publishedRecords();
    for (auto _ : state) {
        RecordsByDay byDay = recordsByDay(records);
        benchmark::DoNotOptimize(byDay);
    }
}
BENCHMARK(BM_RecordsByDay500)->Unit(benchmark::kMicrosecond);

// The grid of one month: its week rows and the height of each row from the records per day.
void BM_MonthWeekRows(benchmark::State &state) {
    const RecordsByDay byDay = recordsByDay(publishedRecords());
    const QDateTime month = benchNow();
    int height = 0;
    for (auto _ : state) {
        const QList<WeekRow> weeks = weekRows(month);
        height = 0;
        for (const WeekRow &week : weeks)
            height += rowHeight(week, byDay);
        benchmark::DoNotOptimize(height);
    }
    state.counters["gridHeight"] = height;
}
BENCHMARK(BM_MonthWeekRows)->Unit(benchmark::kMicrosecond);

} // namespace
