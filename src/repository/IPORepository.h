#pragma once

#include "RefreshRun.h"
#include "RemoteRefreshSnapshot.h"
#include "SyncStatusReport.h"
#include "model/Clock.h"
#include "model/IPORecord.h"
#include "service/ApplicationInformation.h"
#include "service/IPOAPIClientProtocol.h"

#include <QCoroTask>
#include <QObject>
#include <QSet>

#include <functional>
#include <memory>
#include <optional>

class UserIPOStore;

// The one observable store of IPO data: the last service list merged with the user's entries,
// the latest statistics and whether a refresh is running. At most one refresh runs at a time;
// whoever asks while one runs joins it and gets its outcome, which is applied once. Automatic
// refreshes wait until the last success is `refreshTTL` old. Main thread only.
class IPORepository : public QObject {
    Q_OBJECT
public:
    // The user's reminder switches that are on, by the settings key of their kind.
    using ReminderSwitches = QSet<QString>;
    // Brings the pending reminders in line with the records; fire-and-forget.
    using ReminderSync =
        std::function<void(const QList<IPORecord> &records, ReminderSwitches switches)>;
    // Reads the user's reminder switches at the moment of each rebuild.
    using RemindersEnabled = std::function<ReminderSwitches()>;

    IPORepository(IPOAPIClientProtocol &apiClient, UserIPOStore &userStore,
                  Clock dateProvider = systemClock(), double refreshTTL = 45.0,
                  ReminderSync reminderSync = {}, RemindersEnabled remindersEnabled = {},
                  QObject *parent = nullptr);

    const QList<IPORecord> &records() const { return m_records; }
    // One record per stored entry, also for IPOs the service's list no longer holds (made from
    // the copy taken at their last save): what results and year figures are worked out over.
    // Made on each call; it changes when recordsChanged or ledgerChanged is emitted.
    QList<IPORecord> ledgerRecords() const;
    const std::optional<RemoteIPOStatsResponse> &latestStats() const { return m_latestStats; }
    bool isRefreshing() const { return m_isRefreshing; }
    const std::optional<QDateTime> &lastSuccessfulRefreshAt() const {
        return m_lastSuccessfulRefreshAt;
    }
    const std::optional<QString> &lastRefreshError() const { return m_lastRefreshError; }
    double refreshTTL() const { return m_refreshTTL; }

    // Refreshes when no run is in flight and the last success is at least refreshTTL old (or
    // there never was one); joins a run in flight.
    QCoro::Task<> refreshIfNeeded();
    // When a refresh that finds no run in flight goes to the service (a run in flight is always
    // joined): only while nothing ever succeeded, once the last success is refreshTTL old, or
    // always.
    enum class RefreshWhen { neverSucceeded, stale, always };
    // Whether the caller wants the outcome as a status report (the manual refresh shows it).
    enum class RefreshReport { none, status };
    // The general form; the report comes only when asked for and a run happened or was joined.
    QCoro::Task<std::optional<SyncStatusReport>> refresh(RefreshWhen when, RefreshReport report);
    // The manual refresh: always runs (or joins) and reports.
    QCoro::Task<SyncStatusReport> forceRefresh();

    // Re-merges the last list with the store's entries, publishes, and resynchronises the
    // reminders.
    void rebuildRecords();

    // Stores the record's user fields (figures and sale) with a copy of its IPO in one commit,
    // and rebuilds; false (and a "[Store]" line) when the store refused, in which case the
    // published records stay as they were.
    bool saveRecord(const IPORecord &record);
    // Deletes the stored entry of `code` and rebuilds; false when the store refused.
    bool clearRecord(const QString &code);

    // Asks the service for a newer build when this is the directly distributed edition; no
    // answer (and no request) for any other edition. `information` stands in for the build's
    // compiled-in application information.
    QCoro::Task<std::optional<ServiceResult<AppUpdateResponse>>>
    checkForUpdate(std::optional<ApplicationInformationTable> information = std::nullopt);

    static QString syncStatusText(const std::optional<RemoteIPOStatsResponse> &stats);
    static SyncStatusReport statusReport(const RefreshExecutionResult &result);

signals:
    void recordsChanged();
    // A save, a clear or a rebuild may have changed ledgerRecords() (also when records() did not
    // change, as for an IPO that has left the list).
    void ledgerChanged();
    void isRefreshingChanged(bool refreshing);

private:
    QCoro::Task<RefreshExecutionResult> performRefresh();
    static QCoro::Task<RefreshExecutionResult> fetchSnapshot(IPOAPIClientProtocol &apiClient);
    bool isFresh() const;
    void setRefreshing(bool refreshing);
    void apply(const RefreshExecutionResult &result);

    IPOAPIClientProtocol &m_apiClient;
    UserIPOStore &m_userStore;
    Clock m_dateProvider;
    double m_refreshTTL;
    ReminderSync m_reminderSync;
    RemindersEnabled m_remindersEnabled;

    QList<IPORecord> m_records;
    std::optional<RemoteIPOStatsResponse> m_latestStats;
    bool m_isRefreshing = false;
    QList<RemoteIPO> m_remoteItems;
    // The same list with its dates parsed once per refresh, not once per rebuild.
    QList<IPOData> m_listing;
    std::shared_ptr<RefreshRun> m_currentRefreshTask;
    std::optional<QDateTime> m_lastSuccessfulRefreshAt;
    std::optional<QString> m_lastRefreshError;
};
