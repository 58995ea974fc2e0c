#pragma once

#include "reminders/UserNotificationCentering.h"

#include <QCoroTimer>

#include <chrono>

// A desktop notification centre that answers as the test says, each answer on a later turn of
// the event loop, and keeps what it was asked.
class FakeNotificationCentre : public UserNotificationCentering {
public:
    NotificationAuthorizationStatus status = NotificationAuthorizationStatus::authorized;
    Expected<bool, NotificationCentreError> authorizationAnswer = true;

    QList<NotificationRequest> pending;
    int authorizationRequests = 0;
    // Counted once the answer is handed back, so everything that awaited it has run on.
    int pendingQueriesAnswered = 0;

    QStringList pendingIdentifiers() const {
        QStringList identifiers;
        for (const NotificationRequest &request : pending)
            identifiers.append(request.identifier);
        return identifiers;
    }

    QCoro::Task<NotificationAuthorizationStatus> authorizationStatus() override {
        co_await nextTurn();
        co_return status;
    }

    QCoro::Task<QList<NotificationRequest>> pendingNotificationRequests() override {
        co_await nextTurn();
        ++pendingQueriesAnswered;
        co_return QList<NotificationRequest>(pending);
    }

    QCoro::Task<Expected<bool, NotificationCentreError>>
    requestAuthorization(NotificationAuthorizationOptions) override {
        ++authorizationRequests;
        co_await nextTurn();
        co_return Expected<bool, NotificationCentreError>(authorizationAnswer);
    }

    QCoro::Task<std::optional<NotificationCentreError>>
    addRequest(NotificationRequest request) override {
        co_await nextTurn();
        pending.removeIf([&](const NotificationRequest &existing) {
            return existing.identifier == request.identifier;
        });
        pending.append(request);
        co_return std::nullopt;
    }

    void removePendingRequests(const QStringList &identifiers) override {
        pending.removeIf([&](const NotificationRequest &existing) {
            return identifiers.contains(existing.identifier);
        });
    }

private:
    static QCoro::Task<> nextTurn() { co_await QCoro::sleepFor(std::chrono::milliseconds(0)); }
};
