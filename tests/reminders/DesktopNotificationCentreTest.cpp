#include "ManualClock.h"
#include "TestFolder.h"
#include "TestNotificationServer.h"
#include "TestRegistry.h"

#include "BuildConfig.h"
#include "model/MarketCalendar.h"
#include "reminders/DesktopNotificationCentre.h"
#include "reminders/NotificationManager.h"
#include "reminders/WallClockMonitor.h"

#include <QCoroDBusPendingCall>
#include <QCoroTask>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Triggers are wall-clock components; the centre under test reads them in the market's zone,
// whatever zone the machine running the tests is in.
const QTimeZone centreZone(8 * 3600);
const QDate reminderDay(2025, 1, 13);

QDateTime centreTime(QTime time) {
    return QDateTime(reminderDay, time, centreZone);
}

NotificationRequest request(const QString &identifier, QTime at = QTime(16, 15),
                            const QString &body = u"示例科技 股票暗盘已开启"_s) {
    return {identifier, {u"暗盘开盘通知"_s, body, true}, {reminderDay, at}};
}

DesktopNotificationCentre::Options centreOptions(WallClockMonitor *monitor = nullptr) {
    DesktopNotificationCentre::Options options;
    options.zone = centreZone;
    options.clockMonitor = monitor;
    return options;
}

QCoro::Task<QDBusMessage> callOnSessionBus(QDBusMessage message) {
    co_return co_await QDBusConnection::sessionBus().asyncCall(message);
}

// Every message the centre sent before this returns has reached the server by then: the bus
// keeps the order of one sender's messages.
void roundTripToServer() {
    const QDBusMessage ping = QDBusMessage::createMethodCall(
        DesktopNotificationCentre::serviceName, DesktopNotificationCentre::objectPath,
        u"org.freedesktop.DBus.Peer"_s, u"Ping"_s);
    QCOMPARE(QCoro::waitFor(callOnSessionBus(ping)).type(), QDBusMessage::ReplyMessage);
}

// Why the centre refused `request`; empty when it took it.
QString addRefusal(DesktopNotificationCentre &centre, const NotificationRequest &request) {
    const std::optional<NotificationCentreError> error = QCoro::waitFor(centre.addRequest(request));
    return error ? error->description() : QString();
}

int pendingCount(DesktopNotificationCentre &centre) {
    return int(QCoro::waitFor(centre.pendingNotificationRequests()).size());
}

enum BusSetup { serverRunning, noServer, noBus };

} // namespace

// The notification centre over a private session bus, with a notification server of the
// test's own.
class DesktopNotificationCentreTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QVERIFY2(QDBusConnection::sessionBus().isConnected(),
                 "run under dbus-run-session: the tests need a private session bus");
    }

    void permissionFollowsTheServer_data() {
        QTest::addColumn<int>("setup");
        QTest::addColumn<NotificationAuthorizationStatus>("status");
        QTest::addColumn<QString>("switchMessage");
        using Status = NotificationAuthorizationStatus;
        QTest::newRow("server running") << int(serverRunning) << Status::authorized << QString();
        QTest::newRow("bus without a server")
            << int(noServer) << Status::denied << u"通知权限已关闭，请前往系统设置开启暗盘提醒。"_s;
        QTest::newRow("no session bus") << int(noBus) << Status::notDetermined
                                        << u"请求通知权限失败：无法连接桌面会话总线（D-Bus），"
                                           u"系统通知不可用。"_s;
    }
    void permissionFollowsTheServer() {
        QFETCH(int, setup);
        QFETCH(NotificationAuthorizationStatus, status);
        QFETCH(QString, switchMessage);
        if (setup == noServer) {
            const QDBusReply<QStringList> names =
                QDBusConnection::sessionBus().interface()->activatableServiceNames();
            if (names.isValid() && names.value().contains(DesktopNotificationCentre::serviceName))
                QSKIP("this machine's session bus can start a notification server");
        }
        testsupport::TestFolder folder;
        const QString noBusName = u"orvel-test-no-bus"_s;
        QDBusConnection bus = setup == noBus
                                  ? QDBusConnection::connectToBus(
                                        u"unix:path="_s + folder.filePath("no-bus"), noBusName)
                                  : QDBusConnection::sessionBus();
        const auto disconnect = qScopeGuard([&] { QDBusConnection::disconnectFromBus(noBusName); });
        TestNotificationServer server;
        if (setup == serverRunning)
            QVERIFY(server.start());
        testsupport::ManualClock clock(centreTime(QTime(10, 0)));
        DesktopNotificationCentre centre(bus, clock.clock(), centreOptions());
        QCOMPARE(QCoro::waitFor(centre.authorizationStatus()), status);
        const Expected<bool, NotificationCentreError> granted =
            QCoro::waitFor(centre.requestAuthorization(NotificationAuthorizationOption::alert));
        QCOMPARE(granted.hasValue() && *granted, setup == serverRunning);
        if (setup == noBus) {
            QVERIFY(!addRefusal(centre, request(u"dark_market_1"_s)).isEmpty());
            QVERIFY(!centre.isCheckScheduled());
        }

        // The settings switch shows the user what each of these means.
        NotificationManager manager(&centre, clock.clock());
        if (switchMessage.isEmpty())
            QTest::ignoreMessage(QtInfoMsg, "[Notify] Scheduled for 示例科技 at 16:15");
        IPORecord record;
        record.ipo.code = u"02590"_s;
        record.ipo.name = u"示例科技"_s;
        record.ipo.listingDate = marketCalendar().startOfDay(QDate(2025, 1, 14));
        const RemindersToggleResult result =
            QCoro::waitFor(manager.setRemindersEnabled(true, {record}));
        QCOMPARE(result.remindersActive, switchMessage.isEmpty());
        QCOMPARE(result.message.value_or(QString()), switchMessage);
    }

    void reminderReachesTheDesktopAndARemovedOneDoesNot() {
        TestNotificationServer server;
        QVERIFY(server.start());
        testsupport::ManualClock clock(centreTime(QTime(10, 0)));
        DesktopNotificationCentre centre(QDBusConnection::sessionBus(), clock.clock(),
                                         centreOptions());
        QCOMPARE(addRefusal(centre, request(u"dark_market_00001"_s)), QString());
        QCOMPARE(addRefusal(centre, request(u"dark_market_00002"_s, QTime(16, 15),
                                            u"<b>Fish & Chips</b> \"Co\""_s)),
                 QString());
        // The same identifier again replaces the earlier request.
        QCOMPARE(addRefusal(centre, request(u"dark_market_00001"_s)), QString());
        QCOMPARE(pendingCount(centre), 2);
        centre.removePendingRequests({u"dark_market_00001"_s});

        clock.set(centreTime(QTime(16, 15, 20)));
        QSignalSpy delivered(&centre, &DesktopNotificationCentre::requestDelivered);
        centre.checkDueRequests();
        QTRY_COMPARE(server.received.size(), 1);
        roundTripToServer();
        QCOMPARE(server.received.size(), 1);
        const TestNotificationServer::Received &shown = server.received.first();
        QCOMPARE(shown.appName, u"ORVEL"_s);
        QCOMPARE(shown.summary, u"暗盘开盘通知"_s);
        QCOMPARE(shown.body, u"&lt;b&gt;Fish &amp; Chips&lt;/b&gt; &quot;Co&quot;"_s);
        QCOMPARE(shown.hints.value(u"desktop-entry"_s).toString(),
                 QString::fromUtf8(buildconfig::appId));
        QCOMPARE(shown.hints.value(u"sound-name"_s).toString(), u"message-new-instant"_s);
        QTRY_COMPARE(delivered.size(), 1);
        QCOMPARE(pendingCount(centre), 0);
        QVERIFY(!centre.isCheckScheduled());
    }

    // A body is escaped for a server that reads markup or will not say; one that shows text as
    // it comes gets it unchanged.
    void bodySuitsTheServer_data() {
        QTest::addColumn<QStringList>("capabilities");
        QTest::addColumn<QString>("shownBody");
        QTest::newRow("plain-text server") << QStringList{u"body"_s} << u"<b>A&B</b>"_s;
        QTest::newRow("server that will not say")
            << QStringList() << u"&lt;b&gt;A&amp;B&lt;/b&gt;"_s;
    }
    void bodySuitsTheServer() {
        QFETCH(QStringList, capabilities);
        QFETCH(QString, shownBody);
        TestNotificationServer server;
        server.capabilities = capabilities;
        QVERIFY(server.start());
        testsupport::ManualClock clock(centreTime(QTime(16, 15)));
        DesktopNotificationCentre centre(QDBusConnection::sessionBus(), clock.clock(),
                                         centreOptions());
        NotificationRequest due = request(u"dark_market_1"_s, QTime(16, 15), u"<b>A&B</b>"_s);
        due.content.playsDefaultSound = false;
        // Due at once: the centre's own timer delivers it.
        QCOMPARE(addRefusal(centre, due), QString());
        QTRY_COMPARE(server.received.size(), 1);
        QCOMPARE(server.received.first().body, shownBody);
        QVERIFY(!server.received.first().hints.contains(u"sound-name"_s));
        QVERIFY(server.received.first().hints.value(u"suppress-sound"_s).toBool());
    }

    void lateRequestsAreShownOrDropped_data() {
        QTest::addColumn<qint64>("secondsAfterDue");
        QTest::addColumn<bool>("shown");
        QTest::addColumn<bool>("stillPending");
        QTest::newRow("on the minute") << qint64(0) << true << false;
        QTest::newRow("woke two hours late") << qint64(2 * 3600) << true << false;
        QTest::newRow("woke past the limit") << qint64(2 * 3600 + 1) << false << false;
        QTest::newRow("a second early") << qint64(-1) << false << true;
    }
    void lateRequestsAreShownOrDropped() {
        QFETCH(qint64, secondsAfterDue);
        QFETCH(bool, shown);
        QFETCH(bool, stillPending);
        TestNotificationServer server;
        QVERIFY(server.start());
        testsupport::ManualClock clock(centreTime(QTime(15, 0)));
        DesktopNotificationCentre centre(QDBusConnection::sessionBus(), clock.clock(),
                                         centreOptions());
        QSignalSpy missed(&centre, &DesktopNotificationCentre::requestMissed);
        QCOMPARE(addRefusal(centre, request(u"dark_market_1"_s)), QString());

        // The machine slept (or the clock was changed) and no timer fired in the meantime.
        clock.set(centreTime(QTime(16, 15)).addSecs(secondsAfterDue));
        const bool dropped = !shown && !stillPending;
        if (dropped)
            QTest::ignoreMessage(QtWarningMsg,
                                 QRegularExpression(u"^\\[Notify\\] Missed dark_market_1"_s));
        centre.checkDueRequests();
        if (shown)
            QTRY_COMPARE(server.received.size(), 1);
        roundTripToServer();
        QCOMPARE(server.received.size(), shown ? 1 : 0);
        QCOMPARE(missed.size(), dropped ? 1 : 0);
        QCOMPARE(pendingCount(centre), stillPending ? 1 : 0);
        QCOMPARE(centre.isCheckScheduled(), stillPending);
    }

    // One shot at the earliest due moment, however far: sleep and clock changes come from the
    // clock monitor, which makes the centre look at the clock again, deliver and re-arm.
    void oneCheckIsArmedAndAClockJumpChecksAtOnce() {
        TestNotificationServer server;
        QVERIFY(server.start());
        testsupport::ManualClock clock(centreTime(QTime(10, 15)));
        WallClockMonitor monitor;
        DesktopNotificationCentre centre(QDBusConnection::sessionBus(), clock.clock(),
                                         centreOptions(&monitor));
        QVERIFY(!centre.isCheckScheduled());
        QCOMPARE(addRefusal(centre, request(u"dark_market_1"_s)), QString());
        QCOMPARE(addRefusal(centre, request(u"dark_market_2"_s, QTime(17, 0))), QString());
        QCOMPARE(qint64(centre.checkInterval().count()), qint64(6 * 3600 * 1000));

        clock.set(centreTime(QTime(16, 0)));
        emit monitor.moved();
        QCOMPARE(qint64(centre.checkInterval().count()), qint64(15 * 60 * 1000));
        clock.set(centreTime(QTime(16, 20)));
        emit monitor.moved();
        QTRY_COMPARE(server.received.size(), 1);
        QCOMPARE(qint64(centre.checkInterval().count()), qint64(40 * 60 * 1000));
        centre.removePendingRequests({u"dark_market_2"_s});
        QVERIFY(!centre.isCheckScheduled());
    }

    // A request that names no moment, or nothing to show, is refused whole: nothing of it is
    // kept and no check is armed.
    void invalidRequestsAreRefused() {
        testsupport::ManualClock clock(centreTime(QTime(10, 0)));
        DesktopNotificationCentre centre(QDBusConnection::sessionBus(), clock.clock(),
                                         centreOptions());
        QVERIFY(addRefusal(centre, request(QString())).startsWith(u"通知请求无效："_s));
        QCOMPARE(pendingCount(centre), 0);
        QVERIFY(!centre.isCheckScheduled());
        const NotificationContent content{u"t"_s, u"b"_s, true};
        const QList<NotificationRequest> invalid{
            {u"dark_market_1"_s, {}, {reminderDay, QTime(16, 15)}},
            {u"dark_market_1"_s, content, {QDate(2025, 2, 30), QTime(9, 0)}},
            request(u"dark_market_1"_s, QTime())};
        for (const NotificationRequest &refused : invalid)
            QVERIFY(DesktopNotificationCentre::invalidReason(refused, centreZone));
        // 02:30 on that day does not exist in Berlin: the clocks jump from 02:00 to 03:00.
        const QTimeZone berlin("Europe/Berlin");
        if (berlin.isValid())
            QVERIFY(DesktopNotificationCentre::invalidReason(
                {u"dark_market_1"_s, content, {QDate(2025, 3, 30), QTime(2, 30)}}, berlin));
    }

    void aFailedDeliveryIsReported() {
        TestNotificationServer server;
        server.failNotify = true;
        QVERIFY(server.start());
        testsupport::ManualClock clock(centreTime(QTime(16, 16)));
        DesktopNotificationCentre centre(QDBusConnection::sessionBus(), clock.clock(),
                                         centreOptions());
        QSignalSpy failed(&centre, &DesktopNotificationCentre::deliveryFailed);
        QTest::ignoreMessage(
            QtWarningMsg, QRegularExpression(u"^\\[Notify\\] Failed to deliver dark_market_1"_s));
        QCOMPARE(addRefusal(centre, request(u"dark_market_1"_s)), QString());
        QTRY_COMPARE(failed.size(), 1);
        QVERIFY(failed.first().at(1).toString().contains(u"server is busy"_s));
    }
};

ORVEL_TEST_CLASS(DesktopNotificationCentreTest);

#include "DesktopNotificationCentreTest.moc"
