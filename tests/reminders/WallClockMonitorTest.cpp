#include "TestRegistry.h"

#include "reminders/WallClockMonitor.h"

#include <QDBusMessage>
#include <QSignalSpy>
#include <QTest>

class WallClockMonitorTest : public QObject {
    Q_OBJECT

public slots:
    // Counts the system services' signals as they reach this process, beside the monitor.
    void heard() { ++m_signals; }

private slots:
    // Stand-ins for systemd-logind and timedated on the private session bus, on a connection of
    // their own: the monitor speaks up on waking (false), never on going to sleep (true), and
    // on a change of zone, not of another clock setting.
    void wakingAndZoneChangesAreReported() {
        const QString name = QStringLiteral("orvel-test-system-services");
        QDBusConnection services = QDBusConnection::connectToBus(QDBusConnection::SessionBus, name);
        const auto disconnect = qScopeGuard([&] { QDBusConnection::disconnectFromBus(name); });
        QVERIFY(services.registerService(WallClockMonitor::loginService));
        QVERIFY(services.registerService(WallClockMonitor::timedateService));
        WallClockMonitor monitor;
        QVERIFY(monitor.watchesClockChanges());
        QVERIFY(monitor.watchSystemBus(QDBusConnection::sessionBus()));
        const QString properties = QStringLiteral("org.freedesktop.DBus.Properties");
        QDBusConnection bus = QDBusConnection::sessionBus();
        QVERIFY(bus.connect(WallClockMonitor::loginService, WallClockMonitor::loginPath,
                            WallClockMonitor::loginInterface, QStringLiteral("PrepareForSleep"),
                            this, SLOT(heard())));
        QVERIFY(bus.connect(QString(), WallClockMonitor::timedatePath, properties,
                            QStringLiteral("PropertiesChanged"), this, SLOT(heard())));
        QSignalSpy moved(&monitor, &WallClockMonitor::moved);
        for (const bool goingToSleep : {true, false}) {
            QDBusMessage signal = QDBusMessage::createSignal(WallClockMonitor::loginPath,
                                                             WallClockMonitor::loginInterface,
                                                             QStringLiteral("PrepareForSleep"));
            QVERIFY(services.send(signal << goingToSleep));
        }
        for (const char *property : {"NTP", "Timezone"}) {
            QDBusMessage signal = QDBusMessage::createSignal(
                WallClockMonitor::timedatePath, properties, QStringLiteral("PropertiesChanged"));
            signal << WallClockMonitor::timedateService
                   << QVariantMap{{QString::fromLatin1(property), QStringLiteral("Europe/Berlin")}}
                   << QStringList();
            QVERIFY(services.send(signal));
        }
        QTRY_COMPARE(m_signals, 4);
        QCoreApplication::processEvents();
        QCOMPARE(moved.size(), 2);
    }

private:
    int m_signals = 0;
};

ORVEL_TEST_CLASS(WallClockMonitorTest);

#include "WallClockMonitorTest.moc"
