#include "BenchData.h"

#include "repository/IPORepository.h"
#include "repository/RecordMerge.h"
#include "service/IPOAPIClient.h"
#include "service/JsonObjectReader.h"
#include "service/RemoteIPOListResponse.h"
#include "store/UserIPOStore.h"

#include <QCoroTask>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdlib>

// What a refresh costs once the bytes have arrived: decoding the list answer of 500 items and
// merging it with the user's stored entries.

namespace {

constexpr int listedItems = 500;
constexpr int storedEntries = 10'000;

const QByteArray &listBody() {
    static const QByteArray body = benchdata::listAnswer(listedItems, benchdata::referenceDay());
    return body;
}

const QByteArray &statsBody() {
    static const QByteArray body = R"({"counts":{"upcoming":40,"open":12,"listed":448},)"
                                   R"("latestSync":{"id":"r1","startedAt":"2025-07-09T01:00:00Z",)"
                                   R"("finishedAt":"2025-07-09T01:02:00Z","status":"success",)"
                                   R"("insertedCount":3,"updatedCount":12,"totalCount":500}})";
    return body;
}

RemoteIPOListResponse decodedList() {
    auto decoded =
        JsonObjectReader::decode<RemoteIPOListResponse>(listBody(), &RemoteIPOListResponse::decode);
    if (!decoded || decoded->items.size() != listedItems)
        std::abort();
    return std::move(decoded).value();
}

QList<IPORecord> merged(const QList<RemoteIPO> &items, const QHash<QString, UserIPOEntry> &byCode) {
    QList<IPORecord> records;
    records.reserve(items.size());
    for (const RemoteIPO &remote : items)
        records.append(makeRecord(remote, byCode));
    return records;
}

// The service as the repository sees it, minus the network: the answers are decoded from the
// same bytes the real client would have received, inside the call, without suspending.
class DecodingClient : public IPOAPIClientProtocol {
public:
    QCoro::Task<ServiceResult<RemoteIPOListResponse>> fetchIPOs(QString, qint64, qint64) override {
        co_return IPOAPIClient::interpret<RemoteIPOListResponse>({200, listBody()});
    }
    QCoro::Task<ServiceResult<RemoteIPOStatsResponse>>
    fetchStats(const RequestCancellation *) override {
        co_return IPOAPIClient::interpret<RemoteIPOStatsResponse>({200, statsBody()});
    }
    QCoro::Task<ServiceResult<AppUpdateResponse>> fetchAppUpdate(QString, DistributionChannel,
                                                                 QString, QString) override {
        co_return ServiceResult<AppUpdateResponse>(IPOAPIClientError::invalidResponse());
    }
};

// The entries in a store file of their own, as the application keeps them (an empty path: in
// memory).
std::unique_ptr<UserIPOStore> storeWithEntries(int count, const QString &filePath = {}) {
    auto opened =
        UserIPOStore::open(filePath.isEmpty() ? UserIPOStore::Options{.inMemory = true}
                                              : UserIPOStore::Options{.filePath = filePath});
    if (!opened)
        std::abort();
    std::unique_ptr<UserIPOStore> store = std::move(opened.value());
    const auto restored = store->restoreMissing(benchdata::backupRows(count));
    if (!restored || restored->inserted != count)
        std::abort();
    return store;
}

void BM_DecodeList500(benchmark::State &state) {
    for (auto _ : state) {
        auto decoded = JsonObjectReader::decode<RemoteIPOListResponse>(
            listBody(), &RemoteIPOListResponse::decode);
        benchmark::DoNotOptimize(decoded);
    }
    state.SetBytesProcessed(state.iterations() * listBody().size());
}
BENCHMARK(BM_DecodeList500)->Unit(benchmark::kMicrosecond);

void BM_MergeMakeRecord500With10000(benchmark::State &state) {
    const RemoteIPOListResponse list = decodedList();
    const QHash<QString, UserIPOEntry> byCode = benchdata::userEntriesByCode(storedEntries);
    for (auto _ : state) {
        QList<IPORecord> records = merged(list.items, byCode);
        benchmark::DoNotOptimize(records);
    }
}
BENCHMARK(BM_MergeMakeRecord500With10000)->Unit(benchmark::kMicrosecond);

// The two steps back to back, as one refresh does them.
void BM_DecodeAndMerge500With10000(benchmark::State &state) {
    const QHash<QString, UserIPOEntry> byCode = benchdata::userEntriesByCode(storedEntries);
    for (auto _ : state) {
        auto decoded = JsonObjectReader::decode<RemoteIPOListResponse>(
            listBody(), &RemoteIPOListResponse::decode);
        QList<IPORecord> records = merged(decoded->items, byCode);
        benchmark::DoNotOptimize(records);
    }
}
BENCHMARK(BM_DecodeAndMerge500With10000)->Unit(benchmark::kMicrosecond);

// The repository's own rebuild after a save or a refresh: takes the 10,000 entries from the
// store (a file, as in the application), merges the last list and compares with what was
// published.
void BM_RebuildRecords500With10000(benchmark::State &state) {
    DecodingClient client;
    QTemporaryDir folder;
    std::unique_ptr<UserIPOStore> store =
        storeWithEntries(storedEntries, folder.filePath(QStringLiteral("entries.sqlite")));
    IPORepository repository(client, *store);
    const SyncStatusReport report = QCoro::waitFor(repository.forceRefresh());
    if (report.isError || repository.records().size() != listedItems)
        std::abort();
    for (auto _ : state) {
        repository.rebuildRecords();
        benchmark::DoNotOptimize(repository.records().constData());
    }
}
BENCHMARK(BM_RebuildRecords500With10000)->Unit(benchmark::kMicrosecond);

// A whole refresh without the network: both answers decoded from bytes, the list merged with
// the 10,000 stored entries and published.
void BM_RefreshWithoutNetwork500With10000(benchmark::State &state) {
    DecodingClient client;
    std::unique_ptr<UserIPOStore> store = storeWithEntries(storedEntries);
    IPORepository repository(client, *store);
    for (auto _ : state) {
        const SyncStatusReport report = QCoro::waitFor(repository.forceRefresh());
        benchmark::DoNotOptimize(report);
    }
    if (repository.records().size() != listedItems)
        state.SkipWithError("the refresh did not publish 500 records");
}
BENCHMARK(BM_RefreshWithoutNetwork500With10000)->Unit(benchmark::kMicrosecond);

} // namespace
