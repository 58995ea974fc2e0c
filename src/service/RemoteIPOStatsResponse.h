#pragma once

#include <QString>

#include <optional>

class JsonObjectReader;

struct RemoteIPOStatusCounts {
    qint64 upcoming = 0;
    qint64 open = 0;
    qint64 listed = 0;

    static RemoteIPOStatusCounts decode(JsonObjectReader &reader);
    friend bool operator==(const RemoteIPOStatusCounts &, const RemoteIPOStatusCounts &) = default;
};

// One data-collection run of the service; the sync status line is built from it.
struct RemoteSyncSummary {
    QString id;
    QString startedAt;
    std::optional<QString> finishedAt;
    QString status;
    qint64 insertedCount = 0;
    qint64 updatedCount = 0;
    qint64 totalCount = 0;
    std::optional<QString> errorMessage;

    static RemoteSyncSummary decode(JsonObjectReader &reader);
    friend bool operator==(const RemoteSyncSummary &, const RemoteSyncSummary &) = default;
};

// The statistics answer; the counts and the sync summary only ever travel inside it.
struct RemoteIPOStatsResponse {
    RemoteIPOStatusCounts counts;
    std::optional<RemoteSyncSummary> latestSync;

    static RemoteIPOStatsResponse decode(JsonObjectReader &reader);
    friend bool operator==(const RemoteIPOStatsResponse &,
                           const RemoteIPOStatsResponse &) = default;
};
