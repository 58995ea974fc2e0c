#include "BenchData.h"

#include "model/YearFigures.h"
#include "repository/RecordMerge.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

// What the year sheet costs: the figures of one year over 10,000 stored entries, every one of
// them in that year (the worst case), each with its result worked out from scratch.

namespace {

constexpr int storedEntries = 10'000;

void BM_YearFigures10000(benchmark::State &state) {
    const QList<IPORecord> records =
        makeLedgerRecords({}, benchdata::userEntriesByCode(storedEntries));
    const int year = benchdata::referenceDay().year();
    if (YearFigures::of(records, year).ipos.size() != storedEntries)
        std::abort();
    for (auto _ : state) {
        YearFigures figures = YearFigures::of(records, year);
        benchmark::DoNotOptimize(figures);
    }
}
BENCHMARK(BM_YearFigures10000)->Unit(benchmark::kMicrosecond);

// The ledger the sheet starts from: every stored entry as a record, none of them in the list.
void BM_LedgerRecords10000(benchmark::State &state) {
    const QHash<QString, UserIPOEntry> byCode = benchdata::userEntriesByCode(storedEntries);
    for (auto _ : state) {
        QList<IPORecord> records = makeLedgerRecords({}, byCode);
        benchmark::DoNotOptimize(records);
    }
}
BENCHMARK(BM_LedgerRecords10000)->Unit(benchmark::kMicrosecond);

} // namespace
