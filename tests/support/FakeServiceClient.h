#pragma once

#include "service/IPOAPIClientProtocol.h"
#include "service/RequestCancellation.h"

#include <QCoroSignal>
#include <QObject>

#include <chrono>
#include <tuple>

// The IPO service as tests need it: answers the test sets, every request counted with its
// arguments, and answers that come from a later turn of the event loop (as the network's do) or
// are held back until the test releases them, so overlapping runs can be arranged exactly.
class FakeServiceClient : public QObject, public IPOAPIClientProtocol {
    Q_OBJECT
public:
    ServiceResult<RemoteIPOListResponse> listAnswer = RemoteIPOListResponse{};
    ServiceResult<RemoteIPOStatsResponse> statsAnswer = RemoteIPOStatsResponse{};
    ServiceResult<AppUpdateResponse> updateAnswer = AppUpdateResponse{};
    // Hold the list and statistics answers, or the update answer, until release().
    bool holdAnswers = false;
    bool holdUpdateAnswer = false;
    // Keep the statistics request open, as a slow network would, until the cancellation handed
    // with it ends it (or 5 s pass); the requests so ended are counted.
    bool statsWaitForCancellation = false;
    int statsCancelled = 0;

    QList<std::tuple<QString, qint64, qint64>> listRequests;
    int statsRequests = 0;
    // platform, channel, currentVersion, currentBuild of every update request.
    QList<QStringList> updateRequests;
    // Counted as the answer is handed back, so whoever awaited it has run on by then.
    int updateAnswersDelivered = 0;

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
        co_await answerTurn(holdAnswers);
        co_return ServiceResult<RemoteIPOListResponse>(listAnswer);
    }

    QCoro::Task<ServiceResult<RemoteIPOStatsResponse>>
    fetchStats(const RequestCancellation *cancellation) override {
        ++statsRequests;
        if (statsWaitForCancellation && cancellation) {
            if (!cancellation->isCancelled())
                co_await qCoro(const_cast<RequestCancellation *>(cancellation),
                               &RequestCancellation::cancelled, std::chrono::seconds(5));
            if (cancellation->isCancelled()) {
                ++statsCancelled;
                co_return IPOAPIClientError::transport(QStringLiteral("cancelled"));
            }
        }
        co_await answerTurn(holdAnswers);
        co_return ServiceResult<RemoteIPOStatsResponse>(statsAnswer);
    }

    QCoro::Task<ServiceResult<AppUpdateResponse>> fetchAppUpdate(QString platform,
                                                                 DistributionChannel channel,
                                                                 QString currentVersion,
                                                                 QString currentBuild) override {
        updateRequests.append({platform, rawValue(channel), currentVersion, currentBuild});
        co_await answerTurn(holdUpdateAnswer);
        ++updateAnswersDelivered;
        co_return ServiceResult<AppUpdateResponse>(updateAnswer);
    }

signals:
    void released();

private:
    // Always suspends, so an answer never arrives inside the call that asked for it.
    QCoro::Task<> answerTurn(bool hold) {
        if (hold)
            co_await qCoro(this, &FakeServiceClient::released);
        else
            co_await qCoro(this, &FakeServiceClient::released, std::chrono::milliseconds(0));
    }
};
