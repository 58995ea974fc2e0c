#include "IPORepository.h"

#include "RecordMerge.h"
#include "service/RequestCancellation.h"
#include "store/UserIPOStore.h"

#include <QCoroSignal>
#include <QDebug>
#include <QPointer>

#include <algorithm>
#include <limits>

IPORepository::IPORepository(IPOAPIClientProtocol &apiClient, UserIPOStore &userStore,
                             Clock dateProvider, double refreshTTL, ReminderSync reminderSync,
                             RemindersEnabled remindersEnabled, QObject *parent)
    : QObject(parent)
    , m_apiClient(apiClient)
    , m_userStore(userStore)
    , m_dateProvider(std::move(dateProvider))
    , m_refreshTTL(refreshTTL)
    , m_reminderSync(std::move(reminderSync))
    , m_remindersEnabled(std::move(remindersEnabled)) {}

QCoro::Task<> IPORepository::refreshIfNeeded() {
    if (!m_currentRefreshTask && isFresh())
        co_return;
    co_await performRefresh();
}

QCoro::Task<std::optional<SyncStatusReport>> IPORepository::refresh(RefreshWhen when,
                                                                    RefreshReport report) {
    const bool goes = m_currentRefreshTask || when == RefreshWhen::always ||
                      (when == RefreshWhen::neverSucceeded && !m_lastSuccessfulRefreshAt) ||
                      (when == RefreshWhen::stale && !isFresh());
    if (!goes)
        co_return std::nullopt;
    const std::optional<RefreshExecutionResult> result = co_await performRefresh();
    if (report == RefreshReport::none)
        co_return std::nullopt;
    co_return statusReport(*result);
}

QCoro::Task<SyncStatusReport> IPORepository::forceRefresh() {
    const RefreshExecutionResult result = co_await performRefresh();
    co_return statusReport(result);
}

QCoro::Task<RefreshExecutionResult> IPORepository::performRefresh() {
    if (m_currentRefreshTask) {
        // Join: the starter applies the outcome; joiners only read it.
        const std::shared_ptr<RefreshRun> run = m_currentRefreshTask;
        if (!run->isFinished)
            co_await qCoro(run.get(), &RefreshRun::finished);
        co_return RefreshExecutionResult(run->result);
    }

    // Set before anything can notify observers, so a view reacting to isRefreshing joins.
    const auto run = std::make_shared<RefreshRun>();
    m_currentRefreshTask = run;
    setRefreshing(true);

    QPointer<IPORepository> self(this);
    RefreshExecutionResult result = co_await fetchSnapshot(m_apiClient);
    if (self) {
        m_currentRefreshTask.reset();
        setRefreshing(false);
        apply(result);
    }
    run->result = result;
    run->isFinished = true;
    emit run->finished();
    co_return result;
}

QCoro::Task<RefreshExecutionResult> IPORepository::fetchSnapshot(IPOAPIClientProtocol &apiClient) {
    // Both requests are on the wire before either answer is awaited.
    RequestCancellation statsCancellation;
    QCoro::Task<ServiceResult<RemoteIPOListResponse>> listTask =
        apiClient.fetchIPOs(QStringLiteral("all"), 500, 0);
    QCoro::Task<ServiceResult<RemoteIPOStatsResponse>> statsTask =
        apiClient.fetchStats(&statsCancellation);

    ServiceResult<RemoteIPOListResponse> list = co_await listTask;
    if (!list) {
        // Without the list the statistics are worth nothing: end their request rather than
        // keep the user waiting for it, and report the list's error as soon as it has ended.
        statsCancellation.cancel();
        co_await statsTask;
        co_return list.error();
    }
    // A failure of the statistics only drops them.
    ServiceResult<RemoteIPOStatsResponse> stats = co_await statsTask;

    RemoteRefreshSnapshot snapshot;
    snapshot.items = std::move(list).value().items;
    if (stats)
        snapshot.stats = std::move(stats).value();
    co_return snapshot;
}

bool IPORepository::isFresh() const {
    if (!m_lastSuccessfulRefreshAt)
        return false;
    // A last success in the future (the clock was set back) counts as fresh.
    const qint64 age = m_lastSuccessfulRefreshAt->msecsTo(m_dateProvider());
    return static_cast<double>(age) < m_refreshTTL * 1000.0;
}

void IPORepository::setRefreshing(bool refreshing) {
    if (m_isRefreshing == refreshing)
        return;
    m_isRefreshing = refreshing;
    emit isRefreshingChanged(refreshing);
}

void IPORepository::apply(const RefreshExecutionResult &result) {
    if (!result) {
        m_lastRefreshError = result.error().description();
        return;
    }
    m_remoteItems = result->items;
    m_listing.clear();
    m_listing.reserve(m_remoteItems.size());
    for (const RemoteIPO &remote : std::as_const(m_remoteItems))
        m_listing.append(listingData(remote));
    if (result->stats) {
        m_latestStats = result->stats;
    }
    rebuildRecords();
    m_lastSuccessfulRefreshAt = m_dateProvider();
    m_lastRefreshError.reset();
}

void IPORepository::rebuildRecords() {
    const QHash<QString, UserIPOEntry> entries = m_userStore.entriesByCode();
    QList<IPORecord> records;
    records.reserve(m_listing.size());
    for (const IPOData &listing : std::as_const(m_listing))
        records.append(makeRecord(listing, entries));
    if (records != m_records) {
        m_records = std::move(records);
        emit recordsChanged();
    }
    emit ledgerChanged();
    // Reminders follow every rebuild, also an unchanged one: the day may have moved on.
    if (m_reminderSync)
        m_reminderSync(m_records, m_remindersEnabled ? m_remindersEnabled() : ReminderSwitches{});
}

QList<IPORecord> IPORepository::ledgerRecords() const {
    return makeLedgerRecords(m_remoteItems, m_userStore.entriesByCode());
}

bool IPORepository::saveRecord(const IPORecord &record) {
    const UserIPOStore::Result saved = m_userStore.saveEntry(entryFromRecord(record));
    if (!saved) {
        qWarning().noquote() << QStringLiteral("[Store] Failed saving user IPO entry: ") +
                                    saved.error();
        return false;
    }
    rebuildRecords();
    return true;
}

bool IPORepository::clearRecord(const QString &code) {
    const UserIPOStore::Result cleared = m_userStore.deleteEntry(code);
    if (!cleared) {
        qWarning().noquote() << QStringLiteral("[Store] Failed clearing user IPO entry: ") +
                                    cleared.error();
        return false;
    }
    rebuildRecords();
    return true;
}

QCoro::Task<std::optional<ServiceResult<AppUpdateResponse>>>
IPORepository::checkForUpdate(std::optional<ApplicationInformationTable> information) {
    // Only the exact value "direct" checks; the store edition and unknown values never ask.
    if (bundleInfoString(appinfo::distributionChannelKey, information) != u"direct")
        co_return std::nullopt;
    co_return co_await m_apiClient.fetchAppUpdate(
        QStringLiteral("linux"), DistributionChannel::direct, appVersionString(information),
        appBuildString(information));
}

QString IPORepository::syncStatusText(const std::optional<RemoteIPOStatsResponse> &stats) {
    if (!stats || !stats->latestSync)
        return tr("API 数据已更新");
    const RemoteSyncSummary &sync = *stats->latestSync;
    if (sync.status != u"success") {
        if (!sync.errorMessage || sync.errorMessage->isEmpty())
            return tr("API 已连接，最近抓取失败");
        return tr("最近抓取失败：%1").arg(*sync.errorMessage);
    }
    // The counts are the service's; absurd ones must not overflow the sum.
    qint64 changes = 0;
    if (__builtin_add_overflow(sync.insertedCount, sync.updatedCount, &changes))
        changes = sync.insertedCount > 0 ? std::numeric_limits<qint64>::max()
                                         : std::numeric_limits<qint64>::min();
    if (changes < 1)
        return tr("API 数据已同步");
    // The count picks the plural form; past int's range every language's form is the plural.
    return tr("API 数据已更新：%1 条变更", nullptr,
              int(std::min<qint64>(changes, std::numeric_limits<int>::max())))
        .arg(changes);
}

SyncStatusReport IPORepository::statusReport(const RefreshExecutionResult &result) {
    if (!result)
        return {result.error().description(), true};
    return {syncStatusText(result->stats), false};
}
