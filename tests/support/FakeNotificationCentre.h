#pragma once

#include "reminders/UserNotificationCentering.h"

#include <QCoroTimer>

#include <chrono>

// A notification centre that answers as the test says and remembers what it was asked. Every
// asynchronous answer comes from a later turn of the event loop, as a real centre's would.
class FakeNotificationCentre : public UserNotificationCentering {
public:
    NotificationAuthorizationStatus status = NotificationAuthorizationStatus::authorized;
    Expected<bool, NotificationCentreError> authorizationAnswer = true;
    // addRequest refuses these identifiers.
    QStringList refusedIdentifiers;

    QList<NotificationRequest> pending;
    QList<NotificationAuthorizationOptions> authorizationRequests;
    // Counted once the answer is handed back, so everything that awaited it has run on.
    int pendingQueriesAnswered = 0;
    QList<QStringList> removals;
    QList<NotificationRequest> added;

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
    requestAuthorization(NotificationAuthorizationOptions options) override {
        authorizationRequests.append(options);
        co_await nextTurn();
        co_return Expected<bool, NotificationCentreError>(authorizationAnswer);
    }

    QCoro::Task<std::optional<NotificationCentreError>>
    addRequest(NotificationRequest request) override {
        co_await nextTurn();
        if (refusedIdentifiers.contains(request.identifier))
            co_return NotificationCentreError::invalidRequest(QStringLiteral("测试拒绝。"));
        added.append(request);
        pending.removeIf([&](const NotificationRequest &existing) {
            return existing.identifier == request.identifier;
        });
        pending.append(request);
        co_return std::nullopt;
    }

    void removePendingRequests(const QStringList &identifiers) override {
        removals.append(identifiers);
        pending.removeIf([&](const NotificationRequest &existing) {
            return identifiers.contains(existing.identifier);
        });
    }

private:
    static QCoro::Task<> nextTurn() { co_await QCoro::sleepFor(std::chrono::milliseconds(0)); }
};
