#include "DesktopNotificationCentre.h"

#include "BuildConfig.h"
#include "WallClockMonitor.h"

#include <QCoroDBusPendingCall>
#include <QDBusMessage>
#include <QDebug>
#include <QPointer>

#include <algorithm>

namespace {

const QString busService = QStringLiteral("org.freedesktop.DBus");
const QString busPath = QStringLiteral("/org/freedesktop/DBus");

QDBusMessage busMethod(const QString &method) {
    return QDBusMessage::createMethodCall(busService, busPath, busService, method);
}

QDBusMessage notificationsMethod(const QString &method) {
    return QDBusMessage::createMethodCall(DesktopNotificationCentre::serviceName,
                                          DesktopNotificationCentre::objectPath,
                                          DesktopNotificationCentre::serviceName, method);
}

QString errorText(const QDBusMessage &reply) {
    return reply.errorMessage().isEmpty()
               ? reply.errorName()
               : reply.errorName() + QStringLiteral(": ") + reply.errorMessage();
}

} // namespace

DesktopNotificationCentre::DesktopNotificationCentre(QDBusConnection bus, Clock clock,
                                                     Options options, QObject *parent)
    : QObject(parent)
    , m_bus(std::move(bus))
    , m_clock(std::move(clock))
    , m_options(std::move(options)) {
    m_checkTimer.setSingleShot(true);
    m_checkTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_checkTimer, &QTimer::timeout, this, &DesktopNotificationCentre::checkDueRequests);
    WallClockMonitor &monitor =
        m_options.clockMonitor ? *m_options.clockMonitor : WallClockMonitor::shared();
    // Only while something is pending is there a moment to look at the clock again for.
    connect(&monitor, &WallClockMonitor::moved, this, [this] {
        if (!m_pending.isEmpty())
            checkDueRequests();
    });
}

DesktopNotificationCentre::~DesktopNotificationCentre() = default;

DesktopNotificationCentre &DesktopNotificationCentre::shared() {
    // Lives for the whole run, so no delivery in flight can outlive it.
    static DesktopNotificationCentre *const instance = new DesktopNotificationCentre();
    return *instance;
}

QCoro::Task<NotificationAuthorizationStatus> DesktopNotificationCentre::authorizationStatus() {
    if (!m_bus.isConnected())
        co_return NotificationAuthorizationStatus::notDetermined;
    QPointer<DesktopNotificationCentre> self(this);
    const Expected<bool, NotificationCentreError> present = co_await serverPresent();
    if (!self)
        co_return NotificationAuthorizationStatus::notDetermined;
    if (!present) {
        // The bus went away under us: nobody can tell yet. A bus that answers with an error
        // has no server we could use.
        co_return m_bus.isConnected() ? NotificationAuthorizationStatus::denied
                                      : NotificationAuthorizationStatus::notDetermined;
    }
    co_return *present ? NotificationAuthorizationStatus::authorized
                       : NotificationAuthorizationStatus::denied;
}

QCoro::Task<QList<NotificationRequest>> DesktopNotificationCentre::pendingNotificationRequests() {
    co_return QList<NotificationRequest>(m_pending);
}

QCoro::Task<Expected<bool, NotificationCentreError>>
DesktopNotificationCentre::requestAuthorization(NotificationAuthorizationOptions) {
    // There is nothing to ask the user on a freedesktop desktop: a running (or startable)
    // notification server is the permission.
    if (!m_bus.isConnected())
        co_return NotificationCentreError::noSessionBus();
    co_return co_await serverPresent();
}

QCoro::Task<std::optional<NotificationCentreError>>
DesktopNotificationCentre::addRequest(NotificationRequest request) {
    if (!m_bus.isConnected())
        co_return NotificationCentreError::noSessionBus();
    if (const std::optional<QString> reason = invalidReason(request, m_options.zone))
        co_return NotificationCentreError::invalidRequest(*reason);
    const auto same =
        std::find_if(m_pending.begin(), m_pending.end(), [&](const NotificationRequest &pending) {
            return pending.identifier == request.identifier;
        });
    if (same != m_pending.end())
        *same = std::move(request);
    else
        m_pending.append(std::move(request));
    armCheck();
    co_return std::nullopt;
}

void DesktopNotificationCentre::removePendingRequests(const QStringList &identifiers) {
    m_pending.removeIf([&](const NotificationRequest &pending) {
        return identifiers.contains(pending.identifier);
    });
    armCheck();
}

void DesktopNotificationCentre::checkDueRequests() {
    const QDateTime now = m_clock();
    QList<NotificationRequest> due;
    QList<NotificationRequest> missed;
    for (auto it = m_pending.begin(); it != m_pending.end();) {
        const std::optional<QDateTime> fireDate = it->trigger.fireDate(m_options.zone);
        if (fireDate && *fireDate > now) {
            ++it;
            continue;
        }
        // A moment that no longer exists (the zone changed under a daylight-saving gap) is as
        // lost as one slept through.
        if (fireDate && fireDate->msecsTo(now) <= m_options.lateDeliveryLimit.count())
            due.append(*it);
        else
            missed.append(*it);
        it = m_pending.erase(it);
    }
    armCheck();

    for (const NotificationRequest &request : std::as_const(missed)) {
        const std::optional<QDateTime> fireDate = request.trigger.fireDate(m_options.zone);
        qWarning().noquote() << QStringLiteral("[Notify] Missed ") + request.identifier +
                                    QStringLiteral(", due at ") +
                                    (fireDate ? fireDate->toString(Qt::ISODate)
                                              : request.trigger.date.toString(Qt::ISODate) +
                                                    QLatin1Char(' ') +
                                                    request.trigger.time.toString(Qt::ISODate));
        emit requestMissed(request.identifier);
    }
    for (const NotificationRequest &request : std::as_const(due))
        deliver(request);
}

QString DesktopNotificationCentre::bodyForServer(const QString &text, bool serverReadsMarkup) {
    return serverReadsMarkup ? text.toHtmlEscaped() : text;
}

QVariantMap DesktopNotificationCentre::hintsFor(const NotificationContent &content) {
    QVariantMap hints;
    hints.insert(QStringLiteral("desktop-entry"), QString::fromUtf8(buildconfig::appId));
    if (content.playsDefaultSound)
        hints.insert(QStringLiteral("sound-name"), defaultSoundName);
    else
        hints.insert(QStringLiteral("suppress-sound"), true);
    return hints;
}

std::optional<QString> DesktopNotificationCentre::invalidReason(const NotificationRequest &request,
                                                                const QTimeZone &zone) {
    if (request.identifier.isEmpty())
        return tr("缺少标识符。");
    if (request.content.title.isEmpty() && request.content.body.isEmpty())
        return tr("没有标题也没有正文。");
    if (!request.trigger.isValid())
        return tr("触发日期或时间无效。");
    if (!request.trigger.fireDate(zone))
        return tr("触发时间在其时区中不存在。");
    return std::nullopt;
}

QCoro::Task<Expected<bool, NotificationCentreError>> DesktopNotificationCentre::serverPresent() {
    QPointer<DesktopNotificationCentre> self(this);
    QDBusMessage hasOwner = busMethod(QStringLiteral("NameHasOwner"));
    hasOwner << serviceName;
    const QDBusPendingCall ownerCall =
        m_bus.asyncCall(hasOwner, static_cast<int>(m_options.callTimeout.count()));
    const QDBusMessage ownerReply = co_await ownerCall;
    if (!self)
        co_return NotificationCentreError::noSessionBus();
    if (ownerReply.type() != QDBusMessage::ReplyMessage)
        co_return NotificationCentreError::busError(errorText(ownerReply));
    if (ownerReply.arguments().value(0).toBool())
        co_return true;

    // Many servers are started by the bus on the first notification and own nothing until then.
    const QDBusPendingCall activatableCall =
        m_bus.asyncCall(busMethod(QStringLiteral("ListActivatableNames")),
                        static_cast<int>(m_options.callTimeout.count()));
    const QDBusMessage activatableReply = co_await activatableCall;
    if (!self)
        co_return NotificationCentreError::noSessionBus();
    if (activatableReply.type() != QDBusMessage::ReplyMessage)
        co_return NotificationCentreError::busError(errorText(activatableReply));
    co_return activatableReply.arguments().value(0).toStringList().contains(serviceName);
}

QCoro::Task<> DesktopNotificationCentre::deliver(NotificationRequest request) {
    QPointer<DesktopNotificationCentre> self(this);
    const int timeout = static_cast<int>(m_options.callTimeout.count());

    // Without a clear answer the body is escaped: showing "&lt;" is better than letting a name
    // from the service be read as markup.
    bool readsMarkup = true;
    const QDBusPendingCall capabilitiesCall =
        m_bus.asyncCall(notificationsMethod(QStringLiteral("GetCapabilities")), timeout);
    const QDBusMessage capabilities = co_await capabilitiesCall;
    if (!self)
        co_return;
    if (capabilities.type() == QDBusMessage::ReplyMessage)
        readsMarkup = capabilities.arguments().value(0).toStringList().contains(
            QStringLiteral("body-markup"));

    QDBusMessage notify = notificationsMethod(QStringLiteral("Notify"));
    notify << applicationName << quint32(0) << QString::fromUtf8(buildconfig::appId)
           << request.content.title << bodyForServer(request.content.body, readsMarkup)
           << QStringList() << hintsFor(request.content) << qint32(-1);
    const QDBusPendingCall notifyCall = m_bus.asyncCall(notify, timeout);
    const QDBusMessage reply = co_await notifyCall;
    if (!self)
        co_return;
    if (reply.type() != QDBusMessage::ReplyMessage) {
        const QString description =
            NotificationCentreError::busError(errorText(reply)).description();
        qWarning().noquote() << QStringLiteral("[Notify] Failed to deliver ") + request.identifier +
                                    QStringLiteral(": ") + description;
        emit deliveryFailed(request.identifier, description);
        co_return;
    }
    qInfo().noquote() << QStringLiteral("[Notify] Delivered ") + request.identifier;
    emit requestDelivered(request.identifier);
}

void DesktopNotificationCentre::armCheck() {
    if (m_pending.isEmpty()) {
        m_checkTimer.stop();
        return;
    }
    const QDateTime now = m_clock();
    qint64 wait = m_options.maxCheckInterval.count();
    for (const NotificationRequest &request : std::as_const(m_pending)) {
        const std::optional<QDateTime> fireDate = request.trigger.fireDate(m_options.zone);
        wait = std::min(wait, fireDate ? std::max<qint64>(0, now.msecsTo(*fireDate)) : 0);
    }
    m_checkTimer.start(std::chrono::milliseconds(wait));
}
