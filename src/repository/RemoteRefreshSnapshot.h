#pragma once

#include "model/Expected.h"
#include "service/IPOAPIClientError.h"
#include "service/RemoteIPO.h"
#include "service/RemoteIPOStatsResponse.h"

#include <QList>

#include <optional>

// What one successful refresh brought: the list, and the statistics when they arrived too.
struct RemoteRefreshSnapshot {
    QList<RemoteIPO> items;
    std::optional<RemoteIPOStatsResponse> stats;
};

// The outcome of one refresh run: the snapshot, or the error of the list request.
using RefreshExecutionResult = Expected<RemoteRefreshSnapshot, IPOAPIClientError>;
