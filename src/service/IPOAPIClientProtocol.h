#pragma once

#include "AppUpdateResponse.h"
#include "DistributionChannel.h"
#include "IPOAPIClientError.h"
#include "RemoteIPOListResponse.h"
#include "RemoteIPOStatsResponse.h"
#include "model/Expected.h"

#include <QCoroTask>

class RequestCancellation;

template <typename T> using ServiceResult = Expected<T, IPOAPIClientError>;

// The seam between the repository and the service, so tests can stand in for the network.
class IPOAPIClientProtocol {
public:
    virtual ~IPOAPIClientProtocol() = default;

    virtual QCoro::Task<ServiceResult<RemoteIPOListResponse>>
    fetchIPOs(QString status, qint64 limit, qint64 offset) = 0;
    // `cancellation`, when given, may end the request before its answer arrives.
    virtual QCoro::Task<ServiceResult<RemoteIPOStatsResponse>>
    fetchStats(const RequestCancellation *cancellation = nullptr) = 0;
    // Asks the update endpoint whether a newer build than currentVersion/currentBuild exists.
    virtual QCoro::Task<ServiceResult<AppUpdateResponse>>
    fetchAppUpdate(QString platform, DistributionChannel channel, QString currentVersion,
                   QString currentBuild) = 0;
};
