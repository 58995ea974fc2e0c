#include "AnalyticsTracker.h"

#include "AnalyticsEventSending.h"
#include "AnalyticsHTTPSender.h"
#include "ApplicationActivation.h"
#include "model/MarketCalendar.h"
#include "service/ApplicationInformation.h"

#include <QLocale>
#include <QSettings>
#include <QUuid>

namespace {

// The market's day, whatever zone the machine is in: "yyyy-MM-dd" in Asia/Shanghai.
QString marketDayString(const QDateTime &instant) {
    return QLocale::c().toString(marketCalendar().dayOf(instant), QStringLiteral("yyyy-MM-dd"));
}

} // namespace

AnalyticsTracker::AnalyticsTracker(AnalyticsEventSending &sender, QSettings &defaults,
                                   ApplicationActivation &notificationCenter, Clock dateProvider,
                                   VersionProvider appVersionProvider, QObject *parent)
    : QObject(parent)
    , m_sender(sender)
    , m_defaults(defaults)
    , m_notificationCenter(notificationCenter)
    , m_dateProvider(dateProvider ? std::move(dateProvider) : systemClock())
    , m_appVersionProvider(appVersionProvider ? std::move(appVersionProvider)
                                              : VersionProvider(&defaultAppVersion)) {}

AnalyticsTracker::~AnalyticsTracker() {
    QObject::disconnect(m_didBecomeActiveObserver);
}

AnalyticsTracker &AnalyticsTracker::shared() {
    static AnalyticsTracker *const instance = [] {
        auto *defaults = new QSettings(QSettings::IniFormat, QSettings::UserScope,
                                       QStringLiteral("orvel"), QStringLiteral("orvel"));
        return new AnalyticsTracker(AnalyticsHTTPSender::shared(), *defaults,
                                    ApplicationActivation::shared());
    }();
    return *instance;
}

QString AnalyticsTracker::defaultAppVersion() {
    return appVersionString() + QStringLiteral(" (") + appBuildString() + QStringLiteral(")");
}

void AnalyticsTracker::start() {
    if (m_isStarted)
        return;
    if (qEnvironmentVariableIsSet(testHostVariable))
        return;
    m_isStarted = true;

    if (const std::optional<AnalyticsEventPayload> payload = makeDailyPayload())
        send(*payload);

    QObject::disconnect(m_didBecomeActiveObserver);
    m_didBecomeActiveObserver = connect(&m_notificationCenter, &ApplicationActivation::becameActive,
                                        this, &AnalyticsTracker::handleApplicationBecameActive);
}

void AnalyticsTracker::trackUserDataSaved(const QString &code) {
    AnalyticsEventPayload payload;
    payload.event = AnalyticsEventPayload::userDataSavedEvent;
    payload.installId = installId();
    payload.occurredAt = m_dateProvider();
    payload.appVersion = m_appVersionProvider();
    payload.code = code;
    send(payload);
}

void AnalyticsTracker::handleApplicationBecameActive() {
    if (!m_isStarted)
        return;
    if (const std::optional<AnalyticsEventPayload> payload = makeDailyPayload())
        send(*payload);
}

std::optional<AnalyticsEventPayload> AnalyticsTracker::makeDailyPayload() {
    const QDateTime now = m_dateProvider();
    const QString today = marketDayString(now);
    if (m_defaults.value(lastActiveDateKey).toString() == today)
        return std::nullopt;
    m_defaults.setValue(lastActiveDateKey, today);
    m_defaults.sync();

    AnalyticsEventPayload payload;
    payload.event = AnalyticsEventPayload::appActiveEvent;
    payload.installId = installId();
    payload.occurredAt = now;
    payload.appVersion = m_appVersionProvider();
    return payload;
}

QString AnalyticsTracker::installId() {
    const QString stored = m_defaults.value(installIdKey).toString();
    if (!stored.isEmpty())
        return stored;
    const QString fresh = QUuid::createUuid().toString(QUuid::WithoutBraces).toLower();
    m_defaults.setValue(installIdKey, fresh);
    m_defaults.sync();
    return fresh;
}

void AnalyticsTracker::send(const AnalyticsEventPayload &payload) {
    // Queued: the caller (a save, the start-up sequence) never runs the sender's code inline.
    // Dropped if the tracker is destroyed before the queue runs.
    QMetaObject::invokeMethod(
        this, [this, payload] { m_sender.sendEvent(payload); }, Qt::QueuedConnection);
}
