#pragma once

#include "service/IPOAPIClientProtocol.h"

#include <QCoroSignal>
#include <QObject>

#include <tuple>

// The IPO service as the main window's tests need it: answers set by the test, every request
// counted with its arguments, and answers held back until the test releases them.
class FakeServiceClient : public QObject, public IPOAPIClientProtocol {
    Q_OBJECT
public:
    ServiceResult<RemoteIPOListResponse> listAnswer = RemoteIPOListResponse{};
    ServiceResult<RemoteIPOStatsResponse> statsAnswer = RemoteIPOStatsResponse{};
    bool holdAnswers = false;
    QList<std::tuple<QString, qint64, qint64>> listRequests;
    int statsRequests = 0;

    void setItems(const QList<RemoteIPO> &items) {
        RemoteIPOListResponse list;
        list.items = items;
        list.count = items.size();
        listAnswer = list;
    }
    void release() { emit released(); }

    QCoro::Task<ServiceResult<RemoteIPOListResponse>> fetchIPOs(QString status, qint64 limit,
                                                                qint64 offset) override {
        listRequests.append({status, limit, offset});
        co_await waitForRelease();
        co_return ServiceResult<RemoteIPOListResponse>(listAnswer);
    }

    QCoro::Task<ServiceResult<RemoteIPOStatsResponse>>
    fetchStats(const RequestCancellation *) override {
        ++statsRequests;
        co_await waitForRelease();
        co_return ServiceResult<RemoteIPOStatsResponse>(statsAnswer);
    }

    QCoro::Task<ServiceResult<AppUpdateResponse>> fetchAppUpdate(QString, DistributionChannel,
                                                                 QString, QString) override {
        co_return ServiceResult<AppUpdateResponse>(IPOAPIClientError::invalidResponse());
    }

signals:
    void released();

private:
    QCoro::Task<> waitForRelease() {
        // Always suspends, so an answer never arrives inside the call that asked for it.
        if (holdAnswers)
            co_await qCoro(this, &FakeServiceClient::released);
        else
            co_await qCoro(this, &FakeServiceClient::released, std::chrono::milliseconds(0));
    }
};
