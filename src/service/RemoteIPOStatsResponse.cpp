#include "RemoteIPOStatsResponse.h"

#include "JsonObjectReader.h"

RemoteIPOStatusCounts RemoteIPOStatusCounts::decode(JsonObjectReader &reader) {
    RemoteIPOStatusCounts counts;
    counts.upcoming = reader.integer(QLatin1StringView("upcoming"));
    counts.open = reader.integer(QLatin1StringView("open"));
    counts.listed = reader.integer(QLatin1StringView("listed"));
    return counts;
}

RemoteSyncSummary RemoteSyncSummary::decode(JsonObjectReader &reader) {
    RemoteSyncSummary summary;
    summary.id = reader.string(QLatin1StringView("id"));
    summary.startedAt = reader.string(QLatin1StringView("startedAt"));
    summary.finishedAt = reader.optionalString(QLatin1StringView("finishedAt"));
    summary.status = reader.string(QLatin1StringView("status"));
    summary.insertedCount = reader.integer(QLatin1StringView("insertedCount"));
    summary.updatedCount = reader.integer(QLatin1StringView("updatedCount"));
    summary.totalCount = reader.integer(QLatin1StringView("totalCount"));
    summary.errorMessage = reader.optionalString(QLatin1StringView("errorMessage"));
    return summary;
}

RemoteIPOStatsResponse RemoteIPOStatsResponse::decode(JsonObjectReader &reader) {
    RemoteIPOStatsResponse response;
    JsonObjectReader counts = reader.object(QLatin1StringView("counts"));
    response.counts = RemoteIPOStatusCounts::decode(counts);
    if (auto sync = reader.optionalObject(QLatin1StringView("latestSync")))
        response.latestSync = RemoteSyncSummary::decode(*sync);
    return response;
}
