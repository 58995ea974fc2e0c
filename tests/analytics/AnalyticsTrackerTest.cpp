#include "ManualClock.h"
#include "TestFolder.h"
#include "TestRegistry.h"

#include "analytics/AnalyticsEventSending.h"
#include "analytics/AnalyticsTracker.h"
#include "analytics/ApplicationActivation.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QTimeZone>

#include <algorithm>
#include <memory>

using testsupport::ManualClock;
using testsupport::TestFolder;

namespace {

// Keeps every event handed to it instead of sending anything.
class RecordingEventSender : public AnalyticsEventSending {
public:
    void sendEvent(const AnalyticsEventPayload &payload) override { sent.append(payload); }
    qsizetype count(const QString &event) const {
        return std::count_if(sent.cbegin(), sent.cend(),
                             [&event](const AnalyticsEventPayload &p) { return p.event == event; });
    }
    QList<AnalyticsEventPayload> sent;
};

const QString appActive = AnalyticsEventPayload::appActiveEvent;
const QString userDataSaved = AnalyticsEventPayload::userDataSavedEvent;

QDateTime utc(const QString &text) {
    const QDateTime instant = QDateTime::fromString(text, Qt::ISODateWithMs);
    Q_ASSERT(instant.isValid());
    return instant;
}

// Sends are queued on the event loop; run what is queued so the sender has seen everything.
void flushQueuedSends() {
    QCoreApplication::sendPostedEvents();
}

bool isLowerCaseUuid(const QString &text) {
    static const QRegularExpression shape(
        QStringLiteral("^[0-9a-f]{8}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{12}$"));
    return shape.match(text).hasMatch();
}

// Stands in for the GUI application object: the one signal ApplicationActivation follows.
class FakeGuiApplication : public QObject {
    Q_OBJECT
signals:
    void applicationStateChanged(Qt::ApplicationState state);
};

// One run of the application against a settings file that outlives it.
struct Run {
    Run(const TestFolder &folder, RecordingEventSender &sender, ApplicationActivation &activation,
        const ManualClock &clock)
        : settings(folder.makeSettings())
        , tracker(
              std::make_unique<AnalyticsTracker>(sender, *settings, activation, clock.clock(),
                                                 [] { return QStringLiteral("3.1.0 (204)"); })) {}

    std::unique_ptr<QSettings> settings;
    std::unique_ptr<AnalyticsTracker> tracker;
};

class TestHostEnvironment {
public:
    explicit TestHostEnvironment(const QByteArray &value) {
        qputenv(AnalyticsTracker::testHostVariable, value);
    }
    ~TestHostEnvironment() { qunsetenv(AnalyticsTracker::testHostVariable); }
};

} // namespace

class AnalyticsTrackerTest : public QObject {
    Q_OBJECT

private slots:
    void init() { qunsetenv(AnalyticsTracker::testHostVariable); }

    void oncePerMarketDay_data() {
        // Steps: "start T" (this run), "restart T" (a new run on the same settings file),
        // "activate T" (the application became active). After each step, the number of
        // "app_active" events sent so far.
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QList<int>>("sentAfterStep");
        QTest::addColumn<QString>("lastActiveDate");

        QTest::newRow("two launches on one day")
            << QStringList{"start 2025-01-06T01:00:00.000Z", "restart 2025-01-06T09:00:00.000Z"}
            << QList<int>{1, 1} << "2025-01-06";
        QTest::newRow("first activation after Shanghai midnight")
            << QStringList{"start 2025-01-06T15:59:59.999Z", "activate 2025-01-06T16:00:00.000Z",
                           "activate 2025-01-06T17:00:00.000Z"}
            << QList<int>{1, 2, 2} << "2025-01-07";
        QTest::newRow("UTC midnight inside one Shanghai day")
            << QStringList{"start 2025-01-06T23:30:00.000Z", "activate 2025-01-07T00:30:00.000Z",
                           "restart 2025-01-07T10:00:00.000Z"}
            << QList<int>{1, 1, 1} << "2025-01-07";
        QTest::newRow("clock set back a day")
            << QStringList{"start 2025-01-07T02:00:00.000Z", "restart 2025-01-06T02:00:00.000Z"}
            << QList<int>{1, 2} << "2025-01-06";
        QTest::newRow("activation before start")
            << QStringList{"activate 2025-01-06T01:00:00.000Z", "start 2025-01-06T02:00:00.000Z"}
            << QList<int>{0, 1} << "2025-01-06";
        QTest::newRow("second start in one run")
            << QStringList{"start 2025-01-06T01:00:00.000Z", "start 2025-01-07T01:00:00.000Z",
                           "activate 2025-01-07T02:00:00.000Z"}
            << QList<int>{1, 1, 2} << "2025-01-07";
    }
    void oncePerMarketDay() {
        QFETCH(QStringList, steps);
        QFETCH(QList<int>, sentAfterStep);
        QFETCH(QString, lastActiveDate);
        QCOMPARE(steps.size(), sentAfterStep.size());

        TestFolder folder;
        QVERIFY(folder.isValid());
        RecordingEventSender sender;
        ApplicationActivation activation;
        ManualClock clock;
        auto run = std::make_unique<Run>(folder, sender, activation, clock);

        int sentBefore = 0;
        for (qsizetype i = 0; i < steps.size(); ++i) {
            const QStringList parts = steps[i].split(u' ');
            const QString action = parts[0];
            clock.set(utc(parts[1]));
            if (action == QLatin1String("restart")) {
                run.reset();
                run = std::make_unique<Run>(folder, sender, activation, clock);
            }
            if (action == QLatin1String("activate"))
                activation.notifyBecameActive();
            else
                run->tracker->start();
            flushQueuedSends();
            QCOMPARE(sender.count(appActive), sentAfterStep[i]);
            if (sentAfterStep[i] > sentBefore)
                QCOMPARE(sender.sent.last().occurredAt, clock.now());
            sentBefore = sentAfterStep[i];
        }
        run.reset();
        QCOMPARE(folder.makeSettings()->value(AnalyticsTracker::lastActiveDateKey).toString(),
                 lastActiveDate);
    }

    // A save is sent without start() and does not use up the day's "app_active"; both events
    // carry the same identifiers, and the identifier and day are on disk, not only in memory.
    void payloads() {
        TestFolder folder;
        RecordingEventSender sender;
        ApplicationActivation activation;
        ManualClock clock(utc(QStringLiteral("2025-03-04T05:06:07.089Z")));
        Run run(folder, sender, activation, clock);
        run.tracker->trackUserDataSaved(QStringLiteral("02590"));
        QVERIFY(!run.settings->contains(AnalyticsTracker::lastActiveDateKey));
        run.tracker->start();
        QVERIFY(run.tracker->isObservingActivation());
        flushQueuedSends();

        QCOMPARE(sender.sent.size(), 2);
        QCOMPARE(sender.sent[0].event, userDataSaved);
        QCOMPARE(sender.sent[0].code, std::optional<QString>(QStringLiteral("02590")));
        QCOMPARE(sender.sent[1].event, appActive);
        QCOMPARE(sender.sent[1].code, std::nullopt);
        for (const AnalyticsEventPayload &payload : sender.sent) {
            QCOMPARE(payload.occurredAt, clock.now());
            QCOMPARE(payload.appVersion, QStringLiteral("3.1.0 (204)"));
            QCOMPARE(payload.platform, QStringLiteral("macos"));
            QCOMPARE(payload.installId, sender.sent[0].installId);
        }
        QVERIFY(isLowerCaseUuid(sender.sent[0].installId));
        const auto reread = folder.makeSettings();
        QCOMPARE(reread->value(AnalyticsTracker::installIdKey).toString(),
                 sender.sent[0].installId);
        QCOMPARE(reread->value(AnalyticsTracker::lastActiveDateKey).toString(),
                 QStringLiteral("2025-03-04"));
    }

    void installationIdentifier_data() {
        QTest::addColumn<QString>("stored");
        QTest::newRow("empty string is replaced") << QString();
        QTest::newRow("existing identifier is kept")
            << QStringLiteral("3f2a8c1e-0000-4000-8000-00000000abcd");
    }
    void installationIdentifier() {
        QFETCH(QString, stored);
        TestFolder folder;
        folder.makeSettings()->setValue(AnalyticsTracker::installIdKey, stored);
        RecordingEventSender sender;
        ApplicationActivation activation;
        ManualClock clock;
        for (int restart = 0; restart < 2; ++restart) {
            Run run(folder, sender, activation, clock);
            run.tracker->trackUserDataSaved(QStringLiteral("00700"));
            flushQueuedSends();
        }
        QCOMPARE(sender.sent.size(), 2);
        QCOMPARE(sender.sent[1].installId, sender.sent[0].installId);
        if (stored.isEmpty())
            QVERIFY(isLowerCaseUuid(sender.sent[0].installId));
        else
            QCOMPARE(sender.sent[0].installId, stored);
    }

    void testHostNeverStarts() {
        // Set, even to nothing: a test host is running the application.
        TestHostEnvironment environment(QByteArray{});
        TestFolder folder;
        RecordingEventSender sender;
        ApplicationActivation activation;
        ManualClock clock;
        Run run(folder, sender, activation, clock);
        run.tracker->start();
        QVERIFY(!run.tracker->isStarted());
        activation.notifyBecameActive();
        run.tracker->handleApplicationBecameActive();
        run.tracker->trackUserDataSaved(QStringLiteral("00700"));
        flushQueuedSends();
        QCOMPARE(sender.count(appActive), 0);
        QCOMPARE(sender.count(userDataSaved), 1);
        QVERIFY(!run.settings->contains(AnalyticsTracker::lastActiveDateKey));
    }

    // The whole payload is compared field by field where the tracker's events reach the local
    // service; here only the instant's form, whatever zone the clock handed out.
    void timestamps_data() {
        QTest::addColumn<QDateTime>("instant");
        QTest::addColumn<QString>("text");
        QTest::newRow("milliseconds kept")
            << QDateTime(QDate(2025, 1, 6), QTime(2, 0, 5, 7), Qt::UTC)
            << "2025-01-06T02:00:05.007Z";
        QTest::newRow("Shanghai morning is the UTC evening before")
            << QDateTime(QDate(2025, 1, 7), QTime(7, 30, 0, 999),
                         QTimeZone(QByteArrayLiteral("Asia/Shanghai")))
            << "2025-01-06T23:30:00.999Z";
    }
    void timestamps() {
        QFETCH(QDateTime, instant);
        QFETCH(QString, text);
        QCOMPARE(AnalyticsEventPayload::timestamp(instant), text);
    }

    void activationFollowsApplicationState_data() {
        QTest::addColumn<int>("state");
        QTest::addColumn<int>("announcements");
        QTest::newRow("active") << int(Qt::ApplicationActive) << 1;
        QTest::newRow("inactive") << int(Qt::ApplicationInactive) << 0;
    }
    void activationFollowsApplicationState() {
        QFETCH(int, state);
        QFETCH(int, announcements);
        FakeGuiApplication application;
        ApplicationActivation activation;
        QVERIFY(activation.follow(&application));
        QSignalSpy spy(&activation, &ApplicationActivation::becameActive);
        emit application.applicationStateChanged(Qt::ApplicationState(state));
        QCOMPARE(spy.count(), announcements);
    }

    void activationWithoutGuiApplication() {
        ApplicationActivation activation;
        QVERIFY(!activation.follow(nullptr));
        // The test runs under a QCoreApplication, which never becomes active.
        QVERIFY(!activation.follow(QCoreApplication::instance()));
    }
};

ORVEL_TEST_CLASS(AnalyticsTrackerTest);
#include "AnalyticsTrackerTest.moc"
