#include "ManualClock.h"
#include "TestNotificationServer.h"
#include "TestRegistry.h"

#include "BuildConfig.h"
#include "reminders/DesktopNotificationCentre.h"
#include "reminders/WallClockMonitor.h"

#include <QCoroTask>
#include <QDBusConnectionInterface>
#include <QDBusContext>
#include <QDBusMessage>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// The machine's zone, which reads the triggers here: these carry no zone of their own.
const QTimeZone centreZone(8 * 3600);
const QDate reminderDay(2025, 1, 13);

QDateTime centreTime(QTime time) {
    return QDateTime(reminderDay, time, centreZone);
}

NotificationRequest request(const QString &identifier, QTime at = QTime(16, 15),
                            const QString &body = u"示例科技 股票暗盘已开启"_s) {
    return {identifier, {u"暗盘开盘通知"_s, body, true}, {reminderDay, at, {}}};
}

struct Centre {
    explicit Centre(QTime start, WallClockMonitor *monitor = nullptr,
                    QDBusConnection bus = QDBusConnection::sessionBus())
        : clock(centreTime(start))
        , centre(bus, clock.clock(), {.zone = centreZone, .clockMonitor = monitor}) {}
    // Why the centre refused `request`; empty when it took it.
    QString add(const NotificationRequest &request) {
        const auto error = QCoro::waitFor(centre.addRequest(request));
        return error ? error->description() : QString();
    }
    int pending() { return int(QCoro::waitFor(centre.pendingNotificationRequests()).size()); }

    testsupport::ManualClock clock;
    DesktopNotificationCentre centre;
};

} // namespace

class DesktopNotificationCentreTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QVERIFY2(QDBusConnection::sessionBus().isConnected(),
                 "run under dbus-run-session: the tests need a private session bus");
    }

    // A running notification server is the permission.
    void permissionFollowsTheServer_data() {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<NotificationAuthorizationStatus>("status");
        QTest::newRow("server running") << "server" << NotificationAuthorizationStatus::authorized;
        QTest::newRow("bus without a server") << "none" << NotificationAuthorizationStatus::denied;
        QTest::newRow("no session bus")
            << "no bus" << NotificationAuthorizationStatus::notDetermined;
    }
    void permissionFollowsTheServer() {
        QFETCH(QString, setup);
        QFETCH(NotificationAuthorizationStatus, status);
        const QDBusConnection bus = QDBusConnection::sessionBus();
        if (setup == u"none" && bus.interface()->activatableServiceNames().value().contains(
                                    DesktopNotificationCentre::serviceName))
            QSKIP("this machine's session bus can start a notification server");
        const auto disconnect =
            qScopeGuard([] { QDBusConnection::disconnectFromBus(u"orvel-test-no-bus"_s); });
        TestNotificationServer server;
        QVERIFY(setup != u"server" || server.start());
        Centre c(QTime(10, 0), nullptr,
                 setup == u"no bus" ? QDBusConnection::connectToBus(u"unix:path=/nonexistent/bus"_s,
                                                                    u"orvel-test-no-bus"_s)
                                    : bus);
        QCOMPARE(QCoro::waitFor(c.centre.authorizationStatus()), status);
        const auto granted =
            QCoro::waitFor(c.centre.requestAuthorization(NotificationAuthorizationOption::alert));
        QCOMPARE(granted.hasValue() && *granted, setup == u"server");
        QCOMPARE(!granted.hasValue(), setup == u"no bus");
        if (setup == u"no bus") {
            QVERIFY(!c.add(request(u"dark_market_1"_s)).isEmpty());
            QVERIFY(!c.centre.isCheckScheduled());
        }
    }

    // A re-added identifier replaces its request, a removed one is never shown; the body is
    // escaped for a server that reads markup or will not say, unchanged for a plain-text one.
    void deliveryReachesTheDesktop_data() {
        QTest::addColumn<QStringList>("capabilities");
        QTest::addColumn<bool>("sound");
        QTest::addColumn<QString>("shownBody");
        const QString escaped = u"&lt;b&gt;Fish &amp; Chips&lt;/b&gt; &quot;Co&quot;"_s;
        QTest::newRow("markup server") << QStringList{u"body-markup"_s} << true << escaped;
        QTest::newRow("plain-text server, no sound")
            << QStringList{u"body"_s} << false << u"<b>Fish & Chips</b> \"Co\""_s;
        QTest::newRow("server that will not say") << QStringList() << true << escaped;
    }
    void deliveryReachesTheDesktop() {
        QFETCH(QStringList, capabilities);
        QFETCH(bool, sound);
        QFETCH(QString, shownBody);
        TestNotificationServer server;
        server.capabilities = capabilities;
        QVERIFY(server.start());
        Centre c(QTime(10, 0));
        NotificationRequest shown =
            request(u"dark_market_00002"_s, QTime(16, 15), u"<b>Fish & Chips</b> \"Co\""_s);
        shown.content.playsDefaultSound = sound;
        QCOMPARE(c.add(request(u"dark_market_00001"_s)), QString());
        QCOMPARE(c.add(shown), QString());
        QCOMPARE(c.add(request(u"dark_market_00001"_s)), QString());
        QCOMPARE(c.pending(), 2);
        c.centre.removePendingRequests({u"dark_market_00001"_s});

        c.clock.set(centreTime(QTime(16, 15))); // on the minute
        QSignalSpy delivered(&c.centre, &DesktopNotificationCentre::requestDelivered);
        c.centre.checkDueRequests();
        QTRY_COMPARE(delivered.size(), 1);
        roundTripToServer();
        QCOMPARE(server.received.size(), 1);
        const TestNotificationServer::Received &got = server.received.first();
        QCOMPARE(got.appName, u"ORVEL"_s);
        QCOMPARE(got.summary, u"暗盘开盘通知"_s);
        QCOMPARE(got.body, shownBody);
        QCOMPARE(got.hints.value(u"desktop-entry"_s).toString(),
                 QString::fromUtf8(buildconfig::appId));
        QCOMPARE(got.hints.value(u"sound-name"_s).toString(),
                 sound ? u"message-new-instant"_s : QString());
        QCOMPARE(got.hints.value(u"suppress-sound"_s).toBool(), !sound);
        QCOMPARE(c.pending(), 0);
        QVERIFY(!c.centre.isCheckScheduled());
    }

    // What comes of a request found due late (the machine slept, or the clock was changed, and
    // no timer fired in the meantime), or early, or that the server refuses.
    void dueRequests_data() {
        QTest::addColumn<qint64>("secondsAfterDue");
        QTest::addColumn<QString>("outcome");
        QTest::newRow("woke two hours late") << qint64(2 * 3600) << "shown";
        QTest::newRow("woke past the limit") << qint64(2 * 3600 + 1) << "missed";
        QTest::newRow("a second early") << qint64(-1) << "pending";
        QTest::newRow("server refuses") << qint64(60) << "failed";
    }
    void dueRequests() {
        QFETCH(qint64, secondsAfterDue);
        QFETCH(QString, outcome);
        TestNotificationServer server;
        server.failNotify = outcome == u"failed";
        QVERIFY(server.start());
        Centre c(QTime(15, 0));
        QSignalSpy missed(&c.centre, &DesktopNotificationCentre::requestMissed);
        QSignalSpy failed(&c.centre, &DesktopNotificationCentre::deliveryFailed);
        QCOMPARE(c.add(request(u"dark_market_1"_s)), QString());
        c.clock.set(centreTime(QTime(16, 15)).addSecs(secondsAfterDue));
        const QString log = outcome == u"missed" ? u"Missed"_s : u"Failed to deliver"_s;
        if (outcome == u"missed" || outcome == u"failed")
            QTest::ignoreMessage(QtWarningMsg,
                                 QRegularExpression(u"^\\[Notify\\] "_s + log + u" dark_"_s));
        c.centre.checkDueRequests();
        QTRY_COMPARE(server.received.size() + failed.size(),
                     qsizetype(outcome == u"shown" || outcome == u"failed"));
        roundTripToServer();
        QCOMPARE(server.received.size(), qsizetype(outcome == u"shown"));
        QCOMPARE(missed.size(), qsizetype(outcome == u"missed"));
        QVERIFY(failed.isEmpty() || failed.first().at(1).toString().contains(u"server is busy"_s));
        QCOMPARE(c.pending(), int(outcome == u"pending"));
        QCOMPARE(c.centre.isCheckScheduled(), outcome == u"pending");
    }

    // One shot at the earliest due moment, however far: sleep and clock changes come from the
    // clock monitor, which makes the centre look at the clock again, deliver and re-arm.
    void oneCheckIsArmedAndAClockJumpChecksAtOnce() {
        TestNotificationServer server;
        QVERIFY(server.start());
        WallClockMonitor monitor;
        Centre c(QTime(10, 15), &monitor);
        QVERIFY(!c.centre.isCheckScheduled());
        QCOMPARE(c.add(request(u"dark_market_1"_s)), QString());
        QCOMPARE(c.add(request(u"dark_market_2"_s, QTime(17, 0))), QString());
        QCOMPARE(qint64(c.centre.checkInterval().count()), qint64(6 * 3600 * 1000));
        c.clock.set(centreTime(QTime(16, 0)));
        emit monitor.moved();
        QCOMPARE(qint64(c.centre.checkInterval().count()), qint64(15 * 60 * 1000));
        c.clock.set(centreTime(QTime(16, 20)));
        emit monitor.moved();
        QTRY_COMPARE(server.received.size(), 1);
        QCOMPARE(qint64(c.centre.checkInterval().count()), qint64(40 * 60 * 1000));
        c.centre.removePendingRequests({u"dark_market_2"_s});
        QVERIFY(!c.centre.isCheckScheduled());
    }

    // A request that names no moment, or nothing to show, is refused whole.
    void invalidRequestsAreRefused() {
        Centre c(QTime(10, 0));
        QVERIFY(c.add(request(QString())).startsWith(u"通知请求无效："_s));
        QCOMPARE(c.pending(), 0);
        QVERIFY(!c.centre.isCheckScheduled());
        const NotificationContent content{u"t"_s, u"b"_s, true};
        for (const NotificationRequest &refused : QList<NotificationRequest>{
                 {u"dark_market_1"_s, {}, {reminderDay, QTime(16, 15), {}}},
                 {u"dark_market_1"_s, content, {QDate(2025, 2, 30), QTime(9, 0), {}}},
                 request(u"dark_market_1"_s, QTime())})
            QVERIFY(DesktopNotificationCentre::invalidReason(refused, centreZone));
        // 02:30 on that day does not exist in Berlin (the clocks jump from 02:00 to 03:00): a
        // trigger in that zone is refused whatever the machine's.
        const QTimeZone berlin("Europe/Berlin");
        QVERIFY(!berlin.isValid() ||
                DesktopNotificationCentre::invalidReason(
                    {u"dark_market_1"_s, content, {QDate(2025, 3, 30), QTime(2, 30), berlin}},
                    centreZone));
    }
};

ORVEL_TEST_CLASS(DesktopNotificationCentreTest);

#include "DesktopNotificationCentreTest.moc"
