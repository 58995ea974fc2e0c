#include "TestRegistry.h"

#include "reminders/WallClockMonitor.h"

#include <QDBusMessage>
#include <QSignalSpy>
#include <QTest>

class WallClockMonitorTest : public QObject {
    Q_OBJECT

public slots:
    // Counts logind's sleep signals as they reach this process, beside the monitor under test.
    void prepareForSleep(bool) { ++m_sleepSignals; }

private slots:
    // A stand-in for systemd-logind on the private session bus, on a connection of its own:
    // the monitor speaks up on waking (false), never on going to sleep (true).
    void wakingFromSleepIsReported() {
        const QString name = QStringLiteral("orvel-test-logind");
        QDBusConnection logind = QDBusConnection::connectToBus(QDBusConnection::SessionBus, name);
        const auto disconnect = qScopeGuard([&] { QDBusConnection::disconnectFromBus(name); });
        QVERIFY(logind.registerService(WallClockMonitor::loginService));
        WallClockMonitor monitor;
        QVERIFY(monitor.watchesClockChanges());
        QVERIFY(monitor.watchSleepOn(QDBusConnection::sessionBus()));
        QVERIFY(QDBusConnection::sessionBus().connect(
            WallClockMonitor::loginService, WallClockMonitor::loginPath,
            WallClockMonitor::loginInterface, QStringLiteral("PrepareForSleep"), this,
            SLOT(prepareForSleep(bool))));
        QSignalSpy moved(&monitor, &WallClockMonitor::moved);
        for (const bool goingToSleep : {true, false}) {
            QDBusMessage signal = QDBusMessage::createSignal(WallClockMonitor::loginPath,
                                                             WallClockMonitor::loginInterface,
                                                             QStringLiteral("PrepareForSleep"));
            QVERIFY(logind.send(signal << goingToSleep));
        }
        QTRY_COMPARE(m_sleepSignals, 2);
        QCoreApplication::processEvents();
        QCOMPARE(moved.size(), 1);
    }

private:
    int m_sleepSignals = 0;
};

ORVEL_TEST_CLASS(WallClockMonitorTest);

#include "WallClockMonitorTest.moc"
