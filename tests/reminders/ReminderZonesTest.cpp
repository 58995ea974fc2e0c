#include "ManualClock.h"
#include "TestNotificationServer.h"
#include "TestRegistry.h"

#include "model/MarketCalendar.h"
#include "reminders/DesktopNotificationCentre.h"
#include "reminders/NotificationManager.h"
#include "reminders/WallClockMonitor.h"

#include <QCoroTask>
#include <QSignalSpy>
#include <QTest>

#include <ctime>

namespace {

// The machine's zone as the C library and Qt's local time see it, put back when the test ends.
class MachineZone {
public:
    explicit MachineZone(const QByteArray &zone)
        : m_old(qgetenv("TZ"))
        , m_hadOld(qEnvironmentVariableIsSet("TZ")) {
        move(zone);
    }
    ~MachineZone() {
        if (m_hadOld)
            qputenv("TZ", m_old);
        else
            qunsetenv("TZ");
        tzset();
    }
    static void move(const QByteArray &zone) {
        qputenv("TZ", zone);
        tzset();
    }

private:
    QByteArray m_old;
    bool m_hadOld;
};

QDateTime market(int hour, int minute) {
    return QDateTime(QDate(2025, 1, 13), QTime(hour, minute), marketTimeZone());
}

// Lists on Tuesday 14 January and closes its subscription on Monday the 13th, unapplied: both
// reminders fall on the 13th, at 09:00 and at 16:15 in Hong Kong.
QList<IPORecord> records() {
    IPORecord record;
    record.ipo.code = u"02590"_s;
    record.ipo.name = u"示例科技"_s;
    record.ipo.subEnd = marketCalendar().startOfDay(QDate(2025, 1, 13));
    record.ipo.listingDate = marketCalendar().startOfDay(QDate(2025, 1, 14));
    return {record};
}

// The real manager and the real centre on the private bus, both reading one fake clock; each
// delivery is noted as "identifier HH:mm" in market time.
struct Reminders {
    explicit Reminders(QDateTime start)
        : clock(std::move(start))
        , centre(QDBusConnection::sessionBus(), clock.clock(),
                 {.zone = {}, .clockMonitor = &monitor}) // the machine's own zone
        , manager(&centre, clock.clock()) {
        QObject::connect(&centre, &DesktopNotificationCentre::requestDelivered, &centre,
                         [this](const QString &identifier) {
                             delivered.append(
                                 identifier + u' ' +
                                 clock.now().toTimeZone(marketTimeZone()).toString(u"HH:mm"_s));
                         });
        QObject::connect(&centre, &DesktopNotificationCentre::requestMissed, &centre,
                         [this](const QString &identifier) { delivered.append(identifier); });
    }
    // What a rebuild of the records does: both switches on.
    void rebuild() {
        QCoro::waitFor(manager.syncReminders(records(), {ReminderKind::darkMarket().settingsKey,
                                                         ReminderKind::closingDay().settingsKey}));
    }
    int pending() { return int(QCoro::waitFor(centre.pendingNotificationRequests()).size()); }
    // The armed timer runs out: the clock stands at the moment it was armed for.
    bool fireArmedCheck() {
        if (!centre.isCheckScheduled())
            return false;
        clock.advance(centre.checkInterval().count());
        const int before = pending();
        centre.checkDueRequests();
        inFlight += before - pending();
        return QTest::qWaitFor([this] { return delivered.size() == inFlight; });
    }

    WallClockMonitor monitor;
    testsupport::ManualClock clock;
    DesktopNotificationCentre centre;
    NotificationManager manager;
    QStringList delivered;
    int inFlight = 0;
};

} // namespace

// Reminders are moments of the Hong Kong market: wherever the machine is, and wherever it is
// carried, each comes once, at 09:00 or 16:15 in Hong Kong.
class ReminderZonesTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QVERIFY2(QDBusConnection::sessionBus().isConnected(),
                 "run under dbus-run-session: the tests need a private session bus");
        QVERIFY2(QTimeZone("Europe/Berlin").isValid(), "the system's zone data is missing");
    }

    void onceAtTheMarketsMoment_data() {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<QDateTime>("start");
        QTest::addColumn<QStringList>("delivered");
        const QString closing = u"closing_day_2025-01-13 09:00"_s;
        const QString grey = u"dark_market_02590 16:15"_s;
        // Berlin is 7 hours behind Hong Kong in January, Tokyo 1 hour ahead.
        for (const char *zone : {"Asia/Hong_Kong", "Europe/Berlin", "Asia/Tokyo"}) {
            const auto row = [&](const char *start, const QDateTime &at, const QStringList &due) {
                QTest::addRow("%s, %s", zone, start) << QByteArray(zone) << at << due;
            };
            row("08:59", market(8, 59), {closing, grey});
            row("09:01", market(9, 1), {grey});
            row("16:14", market(16, 14), {grey});
            row("16:16", market(16, 16), {});
        }
    }
    void onceAtTheMarketsMoment() {
        QFETCH(QByteArray, zone);
        QFETCH(QDateTime, start);
        QFETCH(QStringList, delivered);
        TestNotificationServer server;
        QVERIFY(server.start());
        const MachineZone machine(zone);
        Reminders reminders(start);
        reminders.rebuild();
        // Every timer runs out in turn, and the records are rebuilt a minute after each.
        for (int check = 0; check < 5 && reminders.fireArmedCheck(); ++check) {
            reminders.clock.advanceSecs(60);
            reminders.rebuild();
        }
        QCOMPARE(reminders.delivered, delivered);
        QCOMPARE(reminders.pending(), 0);
        roundTripToServer();
        QCOMPARE(server.received.size(), delivered.size());
    }

    // Carried from Tokyo to Berlin with the grey-market reminder pending: the zone change makes
    // the centre look at the clock again (the monitor's test: what reports it), and the
    // reminder keeps its moment.
    void aZoneChangeKeepsThePendingMoment() {
        TestNotificationServer server;
        QVERIFY(server.start());
        const MachineZone machine("Asia/Tokyo");
        Reminders reminders(market(16, 0));
        reminders.rebuild();
        QCOMPARE(qint64(reminders.centre.checkInterval().count()), qint64(15 * 60 * 1000));

        reminders.clock.advanceSecs(5 * 60);
        MachineZone::move("Europe/Berlin");
        emit reminders.monitor.moved();
        QCOMPARE(qint64(reminders.centre.checkInterval().count()), qint64(10 * 60 * 1000));
        reminders.rebuild();
        QVERIFY(reminders.fireArmedCheck());
        reminders.clock.advanceSecs(60);
        reminders.rebuild();
        QCOMPARE(reminders.delivered, QStringList{u"dark_market_02590 16:15"_s});
        QVERIFY(!reminders.centre.isCheckScheduled());
    }
};

ORVEL_TEST_CLASS(ReminderZonesTest);

#include "ReminderZonesTest.moc"
