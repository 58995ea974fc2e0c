#pragma once

#include "NotificationAuthorizationOptions.h"
#include "NotificationAuthorizationStatus.h"
#include "NotificationCentreError.h"
#include "NotificationRequest.h"
#include "model/Expected.h"

#include <QCoroTask>
#include <QList>
#include <QStringList>

#include <optional>

// The seam between the reminder scheduler and the desktop's notification centre, so tests can
// stand in for the desktop.
class UserNotificationCentering {
public:
    virtual ~UserNotificationCentering() = default;

    virtual QCoro::Task<NotificationAuthorizationStatus> authorizationStatus() = 0;
    virtual QCoro::Task<QList<NotificationRequest>> pendingNotificationRequests() = 0;
    // Granted or not; an error when the question could not be asked at all.
    virtual QCoro::Task<Expected<bool, NotificationCentreError>>
    requestAuthorization(NotificationAuthorizationOptions options) = 0;
    // Nothing on success, otherwise why the request was not accepted.
    virtual QCoro::Task<std::optional<NotificationCentreError>>
    addRequest(NotificationRequest request) = 0;
    virtual void removePendingRequests(const QStringList &identifiers) = 0;
};
