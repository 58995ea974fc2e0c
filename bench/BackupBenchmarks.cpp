#include "BenchData.h"

#include "store/UserIPOBackupCSV.h"
#include "store/UserIPOStore.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdlib>

// The CSV backup of 10,000 entries both ways, and restoring them into an SQLite file.

namespace {

constexpr int backupSize = 10'000;

void BM_MakeBackupCSV10000(benchmark::State &state) {
    const QList<UserIPOBackupRow> rows = benchdata::backupRows(backupSize);
    for (auto _ : state) {
        QString csv = makeBackupCSV(rows);
        benchmark::DoNotOptimize(csv);
    }
}
BENCHMARK(BM_MakeBackupCSV10000)->Unit(benchmark::kMillisecond);

void BM_ParseBackupCSV10000(benchmark::State &state) {
    const QString csv = makeBackupCSV(benchdata::backupRows(backupSize));
    for (auto _ : state) {
        auto parsed = parseBackupCSV(csv);
        benchmark::DoNotOptimize(parsed);
    }
    const auto parsed = parseBackupCSV(csv);
    if (!parsed || parsed->rows.size() != backupSize || parsed->rejectedLineCount != 0)
        state.SkipWithError("the backup did not read back whole");
}
BENCHMARK(BM_ParseBackupCSV10000)->Unit(benchmark::kMillisecond);

// Each iteration restores into a new, empty store file (WAL, synchronous=FULL): one transaction
// of 10,000 inserts and its commit. Opening the file is not timed.
void BM_RestoreMissing10000IntoFile(benchmark::State &state) {
    const QList<UserIPOBackupRow> rows = benchdata::backupRows(backupSize);
    QTemporaryDir folder;
    if (!folder.isValid()) {
        state.SkipWithError("no temporary folder");
        return;
    }
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        UserIPOStore::Options options;
        options.filePath = folder.filePath(QStringLiteral("restore-%1.sqlite").arg(++round));
        auto opened = UserIPOStore::open(options);
        if (!opened) {
            state.SkipWithError(qPrintable(opened.error()));
            break;
        }
        std::unique_ptr<UserIPOStore> store = std::move(opened.value());
        state.ResumeTiming();

        const auto counts = store->restoreMissing(rows);

        state.PauseTiming();
        if (!counts || counts->inserted != backupSize) {
            state.SkipWithError("the restore did not insert every row");
            break;
        }
        const QString path = store->filePath();
        store.reset();
        for (const QString &suffix : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")})
            QFile::remove(path + suffix);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_RestoreMissing10000IntoFile)->Unit(benchmark::kMillisecond)->Iterations(10);

// The same file restored again: every row is already stored, so nothing is written.
void BM_RestoreMissing10000AllStored(benchmark::State &state) {
    const QList<UserIPOBackupRow> rows = benchdata::backupRows(backupSize);
    QTemporaryDir folder;
    UserIPOStore::Options options;
    options.filePath = folder.filePath(QStringLiteral("stored.sqlite"));
    auto opened = UserIPOStore::open(options);
    if (!opened || !opened.value()->restoreMissing(rows)) {
        state.SkipWithError("cannot prepare the store");
        return;
    }
    for (auto _ : state) {
        const auto counts = opened.value()->restoreMissing(rows);
        benchmark::DoNotOptimize(counts);
    }
}
BENCHMARK(BM_RestoreMissing10000AllStored)->Unit(benchmark::kMillisecond);

} // namespace
