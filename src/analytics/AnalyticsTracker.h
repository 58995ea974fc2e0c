#pragma once

#include "AnalyticsEventPayload.h"
#include "AnalyticsTracking.h"
#include "model/Clock.h"

#include <QMetaObject>
#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class AnalyticsEventSending;
class ApplicationActivation;
class QSettings;

// Decides when a usage event goes out and what it says: at most one "app_active" per market day
// (Asia/Shanghai), counted across runs through the settings store, and one "user_data_saved"
// per committed save. Every event carries the installation identifier kept in the settings
// store. Sending is handed to the sender in a queued call, so no caller ever waits for it.
// Main thread only.
class AnalyticsTracker : public QObject, public AnalyticsTracking {
    Q_OBJECT
public:
    using VersionProvider = std::function<QString()>;

    static inline const QString installIdKey = QStringLiteral("analytics.installId");
    static inline const QString lastActiveDateKey = QStringLiteral("analytics.lastActiveDate");
    // Set in the environment of a process that hosts tests: such a run never starts.
    static inline const char testHostVariable[] = "XCTestConfigurationFilePath";

    // `sender`, `defaults` and `notificationCenter` must outlive the tracker.
    AnalyticsTracker(AnalyticsEventSending &sender, QSettings &defaults,
                     ApplicationActivation &notificationCenter, Clock dateProvider = systemClock(),
                     VersionProvider appVersionProvider = defaultAppVersion,
                     QObject *parent = nullptr);
    ~AnalyticsTracker() override;

    // Over the shared sender, the user's settings file ("orvel"/"orvel", the one AppSettings
    // uses) and ApplicationActivation::shared(). Created on first use, never destroyed.
    static AnalyticsTracker &shared();

    // appVersionString() + " (" + appBuildString() + ")".
    static QString defaultAppVersion();

    // Sends today's "app_active" unless the day is already marked, then does the same each time
    // the application becomes active. Once per run; does nothing in a test host.
    void start() override;
    // Independent of start: saves are reported in test hosts and unstarted runs too.
    void trackUserDataSaved(const QString &code) override;

    bool isStarted() const { return m_isStarted; }
    bool isObservingActivation() const { return static_cast<bool>(m_didBecomeActiveObserver); }

public slots:
    // What the became-active observer runs; ignored until the tracker has started.
    void handleApplicationBecameActive();

private:
    // Marks today before returning, so a send that fails is not retried the same day.
    std::optional<AnalyticsEventPayload> makeDailyPayload();
    QString installId();
    void send(const AnalyticsEventPayload &payload);

    AnalyticsEventSending &m_sender;
    QSettings &m_defaults;
    ApplicationActivation &m_notificationCenter;
    Clock m_dateProvider;
    VersionProvider m_appVersionProvider;
    bool m_isStarted = false;
    QMetaObject::Connection m_didBecomeActiveObserver;
};
