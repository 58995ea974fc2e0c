#pragma once

#include "service/IPOAPIClientProtocol.h"

#include <QCoroSignal>
#include <QObject>

#include <chrono>

// A service stand-in for the settings sheet: the test sets the list and the update answer and
// can hold the update answer back until it releases it, to look at the sheet mid-check.
class FakeAPIClient : public QObject, public IPOAPIClientProtocol {
    Q_OBJECT
public:
    ServiceResult<RemoteIPOListResponse> listAnswer = RemoteIPOListResponse{};
    ServiceResult<AppUpdateResponse> updateAnswer = AppUpdateResponse{};
    bool holdUpdateAnswer = false;
    // platform, channel, currentVersion, currentBuild of every update request.
    QList<QStringList> updateRequests;
    // Counted as the answer is handed back, so whoever awaited it has run on by then.
    int updateAnswersDelivered = 0;

    void release() { emit released(); }

    QCoro::Task<ServiceResult<RemoteIPOListResponse>> fetchIPOs(QString, qint64, qint64) override {
        co_await nextTurn();
        co_return ServiceResult<RemoteIPOListResponse>(listAnswer);
    }

    QCoro::Task<ServiceResult<RemoteIPOStatsResponse>>
    fetchStats(const RequestCancellation *) override {
        co_await nextTurn();
        co_return ServiceResult<RemoteIPOStatsResponse>(RemoteIPOStatsResponse{});
    }

    QCoro::Task<ServiceResult<AppUpdateResponse>> fetchAppUpdate(QString platform,
                                                                 DistributionChannel channel,
                                                                 QString currentVersion,
                                                                 QString currentBuild) override {
        updateRequests.append({platform, rawValue(channel), currentVersion, currentBuild});
        if (holdUpdateAnswer)
            co_await qCoro(this, &FakeAPIClient::released);
        else
            co_await nextTurn();
        ++updateAnswersDelivered;
        co_return ServiceResult<AppUpdateResponse>(updateAnswer);
    }

signals:
    void released();

private:
    // Answers come from a later turn of the event loop, as the network's would.
    QCoro::Task<> nextTurn() {
        co_await qCoro(this, &FakeAPIClient::released, std::chrono::milliseconds(0));
    }
};
