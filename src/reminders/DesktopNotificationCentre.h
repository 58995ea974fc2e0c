#pragma once

#include "UserNotificationCentering.h"
#include "model/Clock.h"

#include <QDBusConnection>
#include <QObject>
#include <QTimeZone>
#include <QTimer>
#include <QVariantMap>

#include <chrono>

class WallClockMonitor;

struct DesktopNotificationCentreOptions {
    // The machine's zone, for triggers that carry none of their own. Invalid (the default): the
    // local time, looked up afresh at every check so a change of zone is followed.
    QTimeZone zone;
    // A request found due later than this (the machine slept through it, or the clock jumped)
    // is dropped as missed rather than shown long after it stopped meaning anything.
    std::chrono::milliseconds lateDeliveryLimit = std::chrono::hours(2);
    // The longest one armed check waits; a request due later is simply checked again then.
    // Sleep and clock changes need no polling: the clock monitor reports them.
    std::chrono::milliseconds maxCheckInterval = std::chrono::hours(24);
    // Reports resume from sleep, clock and zone changes; none means WallClockMonitor::shared().
    WallClockMonitor *clockMonitor = nullptr;
    // How long one call to the notification server may take.
    std::chrono::milliseconds callTimeout = std::chrono::seconds(10);
};

// The desktop's notification centre as the rest of the application sees it. Pending requests live
// in this process (the freedesktop notification service knows nothing of scheduling) and are
// delivered through org.freedesktop.Notifications on the session bus when their moment comes.
// Permission is whether a notification server is there: one that owns the name or can be
// started for it.
class DesktopNotificationCentre : public QObject, public UserNotificationCentering {
    Q_OBJECT
public:
    using Options = DesktopNotificationCentreOptions;

    static inline const QString serviceName = QStringLiteral("org.freedesktop.Notifications");
    static inline const QString objectPath = QStringLiteral("/org/freedesktop/Notifications");
    static inline const QString applicationName = QStringLiteral("ORVEL");
    // The freedesktop sound-naming name for the desktop's ordinary notification sound.
    static inline const QString defaultSoundName = QStringLiteral("message-new-instant");

    explicit DesktopNotificationCentre(QDBusConnection bus = QDBusConnection::sessionBus(),
                                       Clock clock = systemClock(), Options options = {},
                                       QObject *parent = nullptr);
    ~DesktopNotificationCentre() override;

    // The application's centre on the session bus, created on first use and never destroyed.
    static DesktopNotificationCentre &shared();

    QCoro::Task<NotificationAuthorizationStatus> authorizationStatus() override;
    QCoro::Task<QList<NotificationRequest>> pendingNotificationRequests() override;
    QCoro::Task<Expected<bool, NotificationCentreError>>
    requestAuthorization(NotificationAuthorizationOptions options) override;
    QCoro::Task<std::optional<NotificationCentreError>>
    addRequest(NotificationRequest request) override;
    void removePendingRequests(const QStringList &identifiers) override;

    // Delivers what has fallen due, drops what is too late, and arms the next check: a single
    // shot at the earliest due moment. The timer calls it, and so does the clock monitor when
    // the machine resumed or the clock was set.
    void checkDueRequests();
    // Whether a check is armed; never while nothing is pending.
    bool isCheckScheduled() const { return m_checkTimer.isActive(); }
    // How long the armed check waits: until the earliest due moment, at most maxCheckInterval.
    std::chrono::milliseconds checkInterval() const { return m_checkTimer.intervalAsDuration(); }

    // What the notification server gets as body: escaped when the server reads markup (or cannot
    // say whether it does), unchanged otherwise, so names show as the characters they are.
    static QString bodyForServer(const QString &text, bool serverReadsMarkup);
    // The hints sent with every notification: who sent it, and the sound.
    static QVariantMap hintsFor(const NotificationContent &content);
    // Why `request` cannot be accepted, or nothing when it can.
    static std::optional<QString> invalidReason(const NotificationRequest &request,
                                                const QTimeZone &zone);

signals:
    // The notification server accepted the notification of `identifier`.
    void requestDelivered(const QString &identifier);
    // The notification of `identifier` could not be shown (server gone, call failed).
    void deliveryFailed(const QString &identifier, const QString &description);
    // `identifier` fell due more than the late-delivery limit ago and was dropped.
    void requestMissed(const QString &identifier);

private:
    // A server owns the name or the bus can start one; an error when the bus could not say.
    QCoro::Task<Expected<bool, NotificationCentreError>> serverPresent();
    QCoro::Task<> deliver(NotificationRequest request);
    void armCheck();

    QDBusConnection m_bus;
    Clock m_clock;
    Options m_options;
    QList<NotificationRequest> m_pending;
    QTimer m_checkTimer;
};
