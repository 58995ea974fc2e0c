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

#include <memory>

using namespace std::chrono_literals;

namespace {

// Triggers are wall-clock components; the centre under test reads them in the market's zone,
// whatever zone the machine running the tests is in.
const QTimeZone centreZone(8 * 3600);

QDateTime centreTime(QDate day, QTime time) {
    return QDateTime(day, time, centreZone);
}

const QDate reminderDay(2025, 1, 13);

NotificationRequest request(const QString &identifier, QTime at = QTime(16, 15),
                            const QString &body = QStringLiteral("示例科技 股票暗盘已开启")) {
    NotificationRequest request;
    request.identifier = identifier;
    request.content.title = QStringLiteral("暗盘开盘通知");
    request.content.body = body;
    request.content.playsDefaultSound = true;
    request.trigger = {reminderDay, at};
    return request;
}

DesktopNotificationCentre::Options centreOptions() {
    DesktopNotificationCentre::Options options;
    options.zone = centreZone;
    return options;
}

QCoro::Task<QDBusMessage> callOnSessionBus(QDBusMessage message) {
    const QDBusPendingCall pending = QDBusConnection::sessionBus().asyncCall(message);
    co_return co_await pending;
}

// Every message the centre sent before this returns has reached the server by then: the bus
// keeps the order of one sender's messages.
void roundTripToServer() {
    const QDBusMessage ping = QDBusMessage::createMethodCall(
        DesktopNotificationCentre::serviceName, DesktopNotificationCentre::objectPath,
        QStringLiteral("org.freedesktop.DBus.Peer"), QStringLiteral("Ping"));
    const QDBusMessage reply = QCoro::waitFor(callOnSessionBus(ping));
    QCOMPARE(reply.type(), QDBusMessage::ReplyMessage);
}

bool notificationServerActivatable() {
    const QDBusReply<QStringList> names =
        QDBusConnection::sessionBus().interface()->activatableServiceNames();
    return names.isValid() && names.value().contains(DesktopNotificationCentre::serviceName);
}

enum BusSetup { serverRunning, noServer, noBus };

// Why the centre refused `request`; empty when it took it.
QString addRefusal(DesktopNotificationCentre &centre, const NotificationRequest &request) {
    const std::optional<NotificationCentreError> error = QCoro::waitFor(centre.addRequest(request));
    return error ? error->description() : QString();
}

} // namespace

class DesktopNotificationCentreTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QVERIFY2(QDBusConnection::sessionBus().isConnected(),
                 "run under dbus-run-session: the tests need a private session bus");
    }

    void permissionFollowsTheServer_data() {
        QTest::addColumn<int>("setup");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("failure");
        QTest::addColumn<bool>("granted");
        QTest::addColumn<QString>("switchMessage");

        const QString noBusText = QStringLiteral("无法连接桌面会话总线（D-Bus），系统通知不可用。");
        QTest::newRow("server running")
            << int(serverRunning) << int(NotificationAuthorizationStatus::authorized) << QString()
            << true << QString();
        QTest::newRow("bus without a server")
            << int(noServer) << int(NotificationAuthorizationStatus::denied) << QString() << false
            << QStringLiteral("通知权限已关闭，请前往系统设置开启暗盘提醒。");
        QTest::newRow("no session bus")
            << int(noBus) << int(NotificationAuthorizationStatus::notDetermined) << noBusText
            << false << QStringLiteral("请求通知权限失败：") + noBusText;
    }
    void permissionFollowsTheServer() {
        QFETCH(int, setup);
        QFETCH(int, status);
        QFETCH(QString, failure);
        QFETCH(bool, granted);
        QFETCH(QString, switchMessage);

        if (setup == noServer && notificationServerActivatable())
            QSKIP("this machine's session bus can start a notification server");
        testsupport::TestFolder folder;
        const QString noBusName = QStringLiteral("orvel-test-no-bus");
        QDBusConnection bus =
            setup == noBus
                ? QDBusConnection::connectToBus(
                      QStringLiteral("unix:path=") + folder.filePath("no-bus"), noBusName)
                : QDBusConnection::sessionBus();
        const auto disconnect = qScopeGuard([&] { QDBusConnection::disconnectFromBus(noBusName); });
        TestNotificationServer server;
        if (setup == serverRunning)
            QVERIFY(server.start());

        testsupport::ManualClock clock(centreTime(reminderDay, QTime(10, 0)));
        DesktopNotificationCentre centre(bus, clock.clock(), centreOptions());

        QCOMPARE(int(QCoro::waitFor(centre.authorizationStatus())), status);
        const Expected<bool, NotificationCentreError> answer =
            QCoro::waitFor(centre.requestAuthorization(NotificationAuthorizationOption::alert |
                                                       NotificationAuthorizationOption::sound));
        QCOMPARE(answer.hasValue(), failure.isEmpty());
        if (answer)
            QCOMPARE(*answer, granted);
        else
            QCOMPARE(answer.error().description(), failure);
        if (setup == noBus) {
            const std::optional<NotificationCentreError> added =
                QCoro::waitFor(centre.addRequest(request(QStringLiteral("dark_market_1"))));
            QVERIFY(added);
            QCOMPARE(added->description(), failure);
            QVERIFY(!centre.isCheckScheduled());
        }

        // The settings switch shows the user what each of these means.
        NotificationManager manager(&centre, clock.clock());
        if (switchMessage.isEmpty())
            QTest::ignoreMessage(QtInfoMsg, "[Notify] Scheduled for 示例科技 at 16:15");
        IPORecord record;
        record.ipo.code = QStringLiteral("02590");
        record.ipo.name = QStringLiteral("示例科技");
        record.ipo.listingDate = marketCalendar().startOfDay(QDate(2025, 1, 14));
        const RemindersToggleResult result =
            QCoro::waitFor(manager.setRemindersEnabled(true, {record}));
        QCOMPARE(result.remindersActive, switchMessage.isEmpty());
        QCOMPARE(result.message.value_or(QString()), switchMessage);
        QCOMPARE(result.messageIsFailure, !switchMessage.isEmpty());
    }

    void reminderReachesTheDesktopAndARemovedOneDoesNot() {
        TestNotificationServer server;
        QVERIFY(server.start());
        testsupport::ManualClock clock(marketCalendar().startOfDay(reminderDay).addSecs(10 * 3600));
        DesktopNotificationCentre centre(QDBusConnection::sessionBus(), clock.clock(),
                                         centreOptions());
        NotificationManager manager(&centre, clock.clock());

        const QDateTime listing = marketCalendar().startOfDay(QDate(2025, 1, 14));
        IPORecord withdrawn;
        withdrawn.ipo.code = QStringLiteral("00001");
        withdrawn.ipo.name = QStringLiteral("撤回公司");
        withdrawn.ipo.listingDate = listing;
        IPORecord kept;
        kept.ipo.code = QStringLiteral("00002");
        kept.ipo.name = QStringLiteral("<b>Fish & Chips</b> \"Co\"");
        kept.ipo.listingDate = listing;
        QTest::ignoreMessage(QtInfoMsg, "[Notify] Scheduled for 撤回公司 at 16:15");
        QTest::ignoreMessage(QtInfoMsg,
                             "[Notify] Scheduled for <b>Fish & Chips</b> \"Co\" at 16:15");
        QCoro::waitFor(manager.syncReminders({withdrawn, kept}, true, false));
        QCOMPARE(QCoro::waitFor(centre.pendingNotificationRequests()).size(), 2);
        QVERIFY(centre.isCheckScheduled());

        centre.removePendingRequests({QStringLiteral("dark_market_00001")});
        clock.set(centreTime(reminderDay, QTime(16, 15, 20)));
        QSignalSpy delivered(&centre, &DesktopNotificationCentre::requestDelivered);
        centre.checkDueRequests();

        QTRY_COMPARE(server.received.size(), 1);
        roundTripToServer();
        QCOMPARE(server.received.size(), 1);
        const TestNotificationServer::Received &shown = server.received.first();
        QCOMPARE(shown.appName, QStringLiteral("ORVEL"));
        QCOMPARE(shown.replacesId, 0u);
        QCOMPARE(shown.appIcon, QString::fromUtf8(buildconfig::appId));
        QCOMPARE(shown.summary, QStringLiteral("暗盘开盘通知"));
        QCOMPARE(
            shown.body,
            QStringLiteral("&lt;b&gt;Fish &amp; Chips&lt;/b&gt; &quot;Co&quot; 股票暗盘已开启"));
        QVERIFY(shown.actions.isEmpty());
        QCOMPARE(shown.hints.value(QStringLiteral("desktop-entry")).toString(),
                 QString::fromUtf8(buildconfig::appId));
        QCOMPARE(shown.hints.value(QStringLiteral("sound-name")).toString(),
                 QStringLiteral("message-new-instant"));
        QCOMPARE(shown.expireTimeout, -1);
        QTRY_COMPARE(delivered.size(), 1);
        QCOMPARE(delivered.first().first().toString(), QStringLiteral("dark_market_00002"));
        QVERIFY(QCoro::waitFor(centre.pendingNotificationRequests()).isEmpty());
        QVERIFY(!centre.isCheckScheduled());
    }

    void bodyAndHintsSuitTheServer_data() {
        QTest::addColumn<QStringList>("capabilities");
        QTest::addColumn<QString>("body");
        QTest::addColumn<bool>("sound");
        QTest::addColumn<QString>("shownBody");

        const QStringList markup = {QStringLiteral("body"), QStringLiteral("body-markup")};
        QTest::newRow("markup server, tag in name")
            << markup << QStringLiteral("<img src=\"x\"> 股票暗盘已开启") << true
            << QStringLiteral("&lt;img src=&quot;x&quot;&gt; 股票暗盘已开启");
        QTest::newRow("markup server, ampersand")
            << markup << QStringLiteral("A&B 股票暗盘已开启") << false
            << QStringLiteral("A&amp;B 股票暗盘已开启");
        // A server that shows the body as it comes would show the entities themselves.
        QTest::newRow("plain-text server")
            << QStringList{QStringLiteral("body")} << QStringLiteral("<b>A&B</b>") << true
            << QStringLiteral("<b>A&B</b>");
        QTest::newRow("server that will not say")
            << QStringList() << QStringLiteral("<b>A&B</b>") << true
            << QStringLiteral("&lt;b&gt;A&amp;B&lt;/b&gt;");
    }
    void bodyAndHintsSuitTheServer() {
        QFETCH(QStringList, capabilities);
        QFETCH(QString, body);
        QFETCH(bool, sound);
        QFETCH(QString, shownBody);

        TestNotificationServer server;
        server.capabilities = capabilities;
        QVERIFY(server.start());
        testsupport::ManualClock clock(centreTime(reminderDay, QTime(16, 15)));
        DesktopNotificationCentre centre(QDBusConnection::sessionBus(), clock.clock(),
                                         centreOptions());
        NotificationRequest due = request(QStringLiteral("dark_market_1"), QTime(16, 15), body);
        due.content.playsDefaultSound = sound;

        QCOMPARE(addRefusal(centre, due), QString());
        // Due at once: the centre's own timer delivers it.
        QTRY_COMPARE(server.received.size(), 1);
        const TestNotificationServer::Received &shown = server.received.first();
        QCOMPARE(shown.body, shownBody);
        QCOMPARE(shown.hints.value(QStringLiteral("desktop-entry")).toString(),
                 QString::fromUtf8(buildconfig::appId));
        QCOMPARE(shown.hints.contains(QStringLiteral("sound-name")), sound);
        QCOMPARE(shown.hints.value(QStringLiteral("suppress-sound")).toBool(), !sound);
    }

    void lateRequestsAreShownOrDropped_data() {
        QTest::addColumn<qint64>("secondsAfterDue");
        QTest::addColumn<bool>("shown");
        QTest::addColumn<bool>("stillPending");

        QTest::newRow("on the minute") << qint64(0) << true << false;
        QTest::newRow("woke a minute late") << qint64(60) << true << false;
        QTest::newRow("woke two hours late") << qint64(2 * 3600) << true << false;
        QTest::newRow("woke past the limit") << qint64(2 * 3600 + 1) << false << false;
        QTest::newRow("woke the next day") << qint64(24 * 3600) << false << false;
        QTest::newRow("a second early") << qint64(-1) << false << true;
        QTest::newRow("clock set back an hour") << qint64(-3600) << false << true;
    }
    void lateRequestsAreShownOrDropped() {
        QFETCH(qint64, secondsAfterDue);
        QFETCH(bool, shown);
        QFETCH(bool, stillPending);

        TestNotificationServer server;
        QVERIFY(server.start());
        testsupport::ManualClock clock(centreTime(reminderDay, QTime(15, 0)));
        DesktopNotificationCentre centre(QDBusConnection::sessionBus(), clock.clock(),
                                         centreOptions());
        QSignalSpy missed(&centre, &DesktopNotificationCentre::requestMissed);
        QCOMPARE(addRefusal(centre, request(QStringLiteral("dark_market_1"))), QString());

        // The machine slept (or the clock was changed) and no timer fired in the meantime.
        clock.set(centreTime(reminderDay, QTime(16, 15)).addSecs(secondsAfterDue));
        const bool dropped = !shown && !stillPending;
        if (dropped)
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral(
                                                   "^\\[Notify\\] Missed dark_market_1")));
        centre.checkDueRequests();

        if (shown)
            QTRY_COMPARE(server.received.size(), 1);
        roundTripToServer();
        QCOMPARE(server.received.size(), shown ? 1 : 0);
        QCOMPARE(missed.size(), dropped ? 1 : 0);
        QCOMPARE(QCoro::waitFor(centre.pendingNotificationRequests()).size(), stillPending ? 1 : 0);
        QCOMPARE(centre.isCheckScheduled(), stillPending);
    }

    void checksRunOnlyWhileSomethingIsPending_data() {
        QTest::addColumn<QTime>("now");
        QTest::addColumn<qint64>("interval");

        QTest::newRow("due in ten seconds") << QTime(16, 14, 50) << qint64(10000);
        QTest::newRow("due in a minute") << QTime(16, 14) << qint64(60000);
        // One shot at the due moment, however far: sleep and clock changes come from the
        // clock monitor, so nothing wakes up in between.
        QTest::newRow("due in six hours") << QTime(10, 15) << qint64(6 * 3600 * 1000);
    }
    void checksRunOnlyWhileSomethingIsPending() {
        QFETCH(QTime, now);
        QFETCH(qint64, interval);

        testsupport::ManualClock clock(centreTime(reminderDay, now));
        DesktopNotificationCentre centre(QDBusConnection::sessionBus(), clock.clock(),
                                         centreOptions());
        QVERIFY(!centre.isCheckScheduled());

        QCOMPARE(addRefusal(centre, request(QStringLiteral("dark_market_1"))), QString());
        QCOMPARE(addRefusal(centre, request(QStringLiteral("dark_market_2"), QTime(17, 0))),
                 QString());
        QVERIFY(centre.isCheckScheduled());
        QCOMPARE(qint64(centre.checkInterval().count()), interval);

        // Nothing due yet: a check re-arms without delivering anything.
        centre.checkDueRequests();
        QVERIFY(centre.isCheckScheduled());
        QCOMPARE(QCoro::waitFor(centre.pendingNotificationRequests()).size(), 2);

        centre.removePendingRequests({QStringLiteral("dark_market_1")});
        QVERIFY(centre.isCheckScheduled());
        centre.removePendingRequests({QStringLiteral("dark_market_2")});
        QVERIFY(!centre.isCheckScheduled());
    }

    // Timers stand still while the machine sleeps and do not follow a clock that is set: the
    // monitor's word makes the centre look at the clock again, deliver and re-arm.
    void aClockJumpIsCheckedAtOnce() {
        TestNotificationServer server;
        QVERIFY(server.start());
        testsupport::ManualClock clock(centreTime(reminderDay, QTime(10, 0)));
        WallClockMonitor monitor;
        DesktopNotificationCentre::Options options = centreOptions();
        options.clockMonitor = &monitor;
        DesktopNotificationCentre centre(QDBusConnection::sessionBus(), clock.clock(), options);
        QCOMPARE(addRefusal(centre, request(QStringLiteral("dark_market_1"))), QString());
        QCOMPARE(addRefusal(centre, request(QStringLiteral("dark_market_2"), QTime(17, 0))),
                 QString());

        clock.set(centreTime(reminderDay, QTime(16, 0)));
        emit monitor.moved();
        QCOMPARE(qint64(centre.checkInterval().count()), qint64(15 * 60 * 1000));

        clock.set(centreTime(reminderDay, QTime(16, 20)));
        emit monitor.moved();
        QTRY_COMPARE(server.received.size(), 1);
        QCOMPARE(qint64(centre.checkInterval().count()), qint64(40 * 60 * 1000));
    }

    void sameIdentifierReplacesTheEarlierRequest() {
        testsupport::ManualClock clock(centreTime(reminderDay, QTime(10, 0)));
        DesktopNotificationCentre centre(QDBusConnection::sessionBus(), clock.clock(),
                                         centreOptions());
        QCOMPARE(addRefusal(centre, request(QStringLiteral("dark_market_1"))), QString());
        const NotificationRequest later =
            request(QStringLiteral("dark_market_1"), QTime(16, 15), QStringLiteral("新名称"));
        QCOMPARE(addRefusal(centre, later), QString());

        QVERIFY(QCoro::waitFor(centre.pendingNotificationRequests()) ==
                QList<NotificationRequest>{later});
    }

    void invalidRequestsAreRefused_data() {
        QTest::addColumn<QString>("identifier");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("body");
        QTest::addColumn<QDate>("day");
        QTest::addColumn<QTime>("time");
        QTest::addColumn<QByteArray>("zone");

        const QString id = QStringLiteral("dark_market_1");
        const QString title = QStringLiteral("暗盘开盘通知");
        const QString body = QStringLiteral("示例科技 股票暗盘已开启");
        QTest::newRow("no identifier")
            << QString() << title << body << reminderDay << QTime(16, 15) << QByteArray();
        QTest::newRow("nothing to show")
            << id << QString() << QString() << reminderDay << QTime(16, 15) << QByteArray();
        QTest::newRow("impossible day")
            << id << title << body << QDate(2025, 2, 30) << QTime(16, 15) << QByteArray();
        QTest::newRow("no time") << id << title << body << reminderDay << QTime() << QByteArray();
        QTest::newRow("hour 24") << id << title << body << reminderDay << QTime(24, 0)
                                 << QByteArray();
        QTest::newRow("skipped by daylight saving")
            << id << title << body << QDate(2025, 3, 30) << QTime(2, 30)
            << QByteArrayLiteral("Europe/Berlin");
    }
    void invalidRequestsAreRefused() {
        QFETCH(QString, identifier);
        QFETCH(QString, title);
        QFETCH(QString, body);
        QFETCH(QDate, day);
        QFETCH(QTime, time);
        QFETCH(QByteArray, zone);

        DesktopNotificationCentre::Options options = centreOptions();
        if (!zone.isEmpty()) {
            options.zone = QTimeZone(zone);
            if (!options.zone.isValid())
                QSKIP("this machine has no time-zone data for the row");
        }
        testsupport::ManualClock clock(centreTime(reminderDay, QTime(10, 0)));
        DesktopNotificationCentre centre(QDBusConnection::sessionBus(), clock.clock(), options);
        NotificationRequest invalid;
        invalid.identifier = identifier;
        invalid.content = {title, body, true};
        invalid.trigger = {day, time};

        const std::optional<NotificationCentreError> error =
            QCoro::waitFor(centre.addRequest(invalid));

        QVERIFY(error);
        QCOMPARE(error->kind(), NotificationCentreError::Kind::invalidRequest);
        QVERIFY2(error->description().startsWith(QStringLiteral("通知请求无效：")),
                 qPrintable(error->description()));
        QVERIFY(QCoro::waitFor(centre.pendingNotificationRequests()).isEmpty());
        QVERIFY(!centre.isCheckScheduled());
    }

    void aFailedDeliveryIsReported() {
        TestNotificationServer server;
        server.failNotify = true;
        QVERIFY(server.start());
        testsupport::ManualClock clock(centreTime(reminderDay, QTime(16, 16)));
        DesktopNotificationCentre centre(QDBusConnection::sessionBus(), clock.clock(),
                                         centreOptions());
        QSignalSpy failed(&centre, &DesktopNotificationCentre::deliveryFailed);
        QTest::ignoreMessage(
            QtWarningMsg, QRegularExpression(QStringLiteral(
                              "^\\[Notify\\] Failed to deliver dark_market_1: .*server is busy")));

        QCOMPARE(addRefusal(centre, request(QStringLiteral("dark_market_1"))), QString());

        QTRY_COMPARE(failed.size(), 1);
        QCOMPARE(failed.first().first().toString(), QStringLiteral("dark_market_1"));
        QVERIFY(failed.first().at(1).toString().contains(QStringLiteral("server is busy")));
        QVERIFY(server.received.isEmpty());
    }
};

ORVEL_TEST_CLASS(DesktopNotificationCentreTest);

#include "DesktopNotificationCentreTest.moc"
