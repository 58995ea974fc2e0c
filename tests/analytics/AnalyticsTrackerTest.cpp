#include "ManualClock.h"
#include "TestFolder.h"
#include "TestRegistry.h"

#include "analytics/AnalyticsEventSending.h"
#include "analytics/AnalyticsTracker.h"
#include "analytics/ApplicationActivation.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <QTest>
#include <QTimeZone>
#include <QUuid>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

const QString appActive = AnalyticsEventPayload::appActiveEvent;

QDateTime utc(const QString &text) {
    return QDateTime::fromString(text, Qt::ISODateWithMs);
}

// Runs of the application against one settings file that outlives them; the sender keeps every
// event handed to it instead of sending anything.
struct Runs : AnalyticsEventSending {
    void sendEvent(const AnalyticsEventPayload &payload) override { sent.append(payload); }
    // Sends are queued on the event loop: run the queue so everything sent has arrived.
    QList<AnalyticsEventPayload> sentNow() {
        QCoreApplication::sendPostedEvents();
        return sent;
    }
    qsizetype activeCount() {
        return std::ranges::count(sentNow(), appActive, &AnalyticsEventPayload::event);
    }
    void restart() {
        tracker.reset();
        settings = folder.makeSettings();
        tracker = std::make_unique<AnalyticsTracker>(*this, *settings, activation, clock.clock(),
                                                     [] { return QStringLiteral("3.1.0 (204)"); });
    }

    testsupport::TestFolder folder;
    testsupport::ManualClock clock;
    ApplicationActivation activation;
    QList<AnalyticsEventPayload> sent;
    std::unique_ptr<QSettings> settings;
    std::unique_ptr<AnalyticsTracker> tracker;
};

// Stands in for the GUI application object: the one signal ApplicationActivation follows.
class FakeGuiApplication : public QObject {
    Q_OBJECT
signals:
    void applicationStateChanged(Qt::ApplicationState state);
};

} // namespace

class AnalyticsTrackerTest : public QObject {
    Q_OBJECT

private slots:
    void init() { qunsetenv(AnalyticsTracker::testHostVariable); }

    void oncePerMarketDay_data() {
        // Steps: "start T" (this run), "restart T" (a new run on the same settings file),
        // "activate T" (the application became active), T in UTC in January 2025. After each
        // step, the number of "app_active" events sent so far.
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QList<int>>("sentAfterStep");
        QTest::addColumn<QString>("lastActiveDate");
        QTest::newRow("two launches on one day")
            << QStringList{"start 06T01:00", "restart 06T09:00"} << QList<int>{1, 1}
            << "2025-01-06";
        QTest::newRow("first activation after Shanghai midnight")
            << QStringList{"start 06T15:59:59.999", "activate 06T16:00", "activate 06T17:00"}
            << QList<int>{1, 2, 2} << "2025-01-07";
        QTest::newRow("UTC midnight inside one Shanghai day")
            << QStringList{"start 06T23:30", "activate 07T00:30", "restart 07T10:00"}
            << QList<int>{1, 1, 1} << "2025-01-07";
        QTest::newRow("clock set back a day") << QStringList{"start 07T02:00", "restart 06T02:00"}
                                              << QList<int>{1, 2} << "2025-01-06";
        QTest::newRow("activation before start")
            << QStringList{"activate 06T01:00", "start 06T02:00"} << QList<int>{0, 1}
            << "2025-01-06";
        QTest::newRow("second start in one run")
            << QStringList{"start 06T01:00", "start 07T01:00", "activate 07T02:00"}
            << QList<int>{1, 1, 2} << "2025-01-07";
    }
    void oncePerMarketDay() {
        QFETCH(QStringList, steps);
        QFETCH(QList<int>, sentAfterStep);
        QFETCH(QString, lastActiveDate);
        Runs runs;
        runs.restart();
        for (qsizetype i = 0; i < steps.size(); ++i) {
            const QStringList parts = steps[i].split(u' ');
            runs.clock.set(utc(u"2025-01-"_s + parts[1] + u"Z"_s));
            if (parts[0] == QLatin1String("restart"))
                runs.restart();
            if (parts[0] == QLatin1String("activate"))
                runs.activation.notifyBecameActive();
            else
                runs.tracker->start();
            QCOMPARE(runs.activeCount(), sentAfterStep[i]);
            if (sentAfterStep[i] > (i > 0 ? sentAfterStep[i - 1] : 0))
                QCOMPARE(runs.sent.last().occurredAt, runs.clock.now());
        }
        runs.tracker.reset();
        QCOMPARE(runs.folder.makeSettings()->value(AnalyticsTracker::lastActiveDateKey).toString(),
                 lastActiveDate);
    }

    // A save is sent without start() and does not use up the day's "app_active"; both events
    // carry the same identifiers, and the identifier and day are on disk, not only in memory.
    // An empty stored identifier is replaced; a stored one is kept across runs.
    void payloads() {
        Runs runs;
        runs.folder.makeSettings()->setValue(AnalyticsTracker::installIdKey, QString());
        runs.clock.set(utc(QStringLiteral("2025-03-04T05:06:07.089Z")));
        runs.restart();
        runs.tracker->trackUserDataSaved(QStringLiteral("02590"));
        QVERIFY(!runs.settings->contains(AnalyticsTracker::lastActiveDateKey));
        runs.tracker->start();
        QVERIFY(runs.tracker->isObservingActivation());
        const QList<AnalyticsEventPayload> sent = runs.sentNow();
        QCOMPARE(sent.size(), 2);
        QCOMPARE(sent[0].event, AnalyticsEventPayload::userDataSavedEvent);
        QCOMPARE(sent[0].code, std::optional(u"02590"_s));
        QCOMPARE(sent[1].event, appActive);
        QCOMPARE(sent[1].code, std::nullopt);
        for (const AnalyticsEventPayload &payload : sent) {
            QCOMPARE(payload.occurredAt, runs.clock.now());
            QCOMPARE(payload.appVersion, QStringLiteral("3.1.0 (204)"));
            QCOMPARE(payload.platform, QStringLiteral("linux"));
            QCOMPARE(payload.installId, sent[0].installId);
        }
        // A UUID in lower case: Qt writes one so, and only one reads back unchanged.
        QCOMPARE(QUuid(sent[0].installId).toString(QUuid::WithoutBraces), sent[0].installId);
        const auto reread = runs.folder.makeSettings();
        QCOMPARE(reread->value(AnalyticsTracker::installIdKey).toString(), sent[0].installId);
        QCOMPARE(reread->value(AnalyticsTracker::lastActiveDateKey).toString(),
                 QStringLiteral("2025-03-04"));
        runs.restart();
        runs.tracker->trackUserDataSaved(QStringLiteral("00700"));
        QCOMPARE(runs.sentNow().last().installId, sent[0].installId);
        // The instant in UTC with milliseconds, whatever zone the clock handed out.
        QCOMPARE(AnalyticsEventPayload::timestamp(
                     QDateTime(QDate(2025, 1, 7), QTime(7, 30, 0, 9), QTimeZone("Asia/Shanghai"))),
                 QStringLiteral("2025-01-06T23:30:00.009Z"));
    }

    void testHostNeverStarts() {
        // Set, even to nothing: a test host is running the application.
        qputenv(AnalyticsTracker::testHostVariable, QByteArray());
        Runs runs;
        runs.restart();
        runs.tracker->start();
        QVERIFY(!runs.tracker->isStarted());
        runs.activation.notifyBecameActive();
        runs.tracker->handleApplicationBecameActive();
        runs.tracker->trackUserDataSaved(QStringLiteral("00700"));
        QCOMPARE(runs.activeCount(), 0);
        QCOMPARE(runs.sent.size(), 1);
        QVERIFY(!runs.settings->contains(AnalyticsTracker::lastActiveDateKey));
        qunsetenv(AnalyticsTracker::testHostVariable);
    }

    void activationFollowsApplicationState() {
        ApplicationActivation activation;
        QVERIFY(!activation.follow(nullptr));
        // The test runs under a QCoreApplication, which never becomes active.
        QVERIFY(!activation.follow(QCoreApplication::instance()));
        FakeGuiApplication application;
        QVERIFY(activation.follow(&application));
        QSignalSpy spy(&activation, &ApplicationActivation::becameActive);
        emit application.applicationStateChanged(Qt::ApplicationInactive);
        QCOMPARE(spy.count(), 0);
        emit application.applicationStateChanged(Qt::ApplicationActive);
        QCOMPARE(spy.count(), 1);
    }
};

ORVEL_TEST_CLASS(AnalyticsTrackerTest);
#include "AnalyticsTrackerTest.moc"
