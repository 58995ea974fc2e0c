#pragma once

#include "service/IPOAPIClientProtocol.h"

#include <QCoroSignal>
#include <QObject>

// A service stand-in whose answers the test sets and whose requests wait until the test
// releases them, so overlapping refreshes can be arranged deterministically.
class FakeAPIClient : public QObject, public IPOAPIClientProtocol {
    Q_OBJECT
public:
    ServiceResult<RemoteIPOListResponse> listAnswer = RemoteIPOListResponse{};
    ServiceResult<RemoteIPOStatsResponse> statsAnswer = RemoteIPOStatsResponse{};
    bool holdAnswers = false;
    int listCalls = 0;
    int statsCalls = 0;
    ServiceResult<AppUpdateResponse> updateAnswer = AppUpdateResponse{};
    QList<QStringList> updateArguments;
    QList<std::tuple<QString, qint64, qint64>> listArguments;

    void release() { emit released(); }

    QCoro::Task<ServiceResult<RemoteIPOListResponse>> fetchIPOs(QString status, qint64 limit,
                                                                qint64 offset) override {
        ++listCalls;
        listArguments.append({status, limit, offset});
        co_await waitForRelease();
        co_return ServiceResult<RemoteIPOListResponse>(listAnswer);
    }

    QCoro::Task<ServiceResult<RemoteIPOStatsResponse>>
    fetchStats(const RequestCancellation *) override {
        ++statsCalls;
        co_await waitForRelease();
        co_return ServiceResult<RemoteIPOStatsResponse>(statsAnswer);
    }

    QCoro::Task<ServiceResult<AppUpdateResponse>> fetchAppUpdate(QString platform,
                                                                 DistributionChannel channel,
                                                                 QString currentVersion,
                                                                 QString currentBuild) override {
        updateArguments.append({platform, rawValue(channel), currentVersion, currentBuild});
        co_await waitForRelease();
        co_return ServiceResult<AppUpdateResponse>(updateAnswer);
    }

signals:
    void released();

private:
    QCoro::Task<> waitForRelease() {
        if (holdAnswers)
            co_await qCoro(this, &FakeAPIClient::released);
        else
            co_await qCoro(this, &FakeAPIClient::released, std::chrono::milliseconds(0));
    }
};
