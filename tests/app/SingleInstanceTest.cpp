#include "TestFolder.h"
#include "TestRegistry.h"

#include "app/SingleInstance.h"

#include <QCoreApplication>
#include <QFile>
#include <QLocalServer>
#include <QSignalSpy>
#include <QTest>

#include <atomic>
#include <thread>

class SingleInstanceTest : public QObject {
    Q_OBJECT

private slots:
    void secondLaunchAsksFirstToReopen() {
        testsupport::TestFolder folder;
        SingleInstance first(folder.path());
        QCOMPARE(first.claim(), SingleInstance::Role::primary);
        QSignalSpy reopened(&first, &SingleInstance::reopenRequested);

        // The later launch blocks on its socket, as a real second process would; the first
        // instance answers from this thread's event loop.
        std::atomic<int> role{-1};
        std::thread second([&] {
            SingleInstance later(folder.path());
            role = int(later.claim());
        });
        QTRY_VERIFY_WITH_TIMEOUT(role != -1, 10000);
        second.join();
        QCOMPARE(role.load(), int(SingleInstance::Role::secondary));
        QCOMPARE(reopened.count(), 1);
    }

    void staleLockIsTakenOverAndOwnLockReleased() {
        testsupport::TestFolder folder;
        // A crashed instance leaves its lock (with a process id that no longer runs) and socket.
        QFile lock(folder.filePath(QStringLiteral("orvel.lock")));
        QVERIFY(lock.open(QIODevice::WriteOnly));
        lock.write("999999\norvel\n" + QSysInfo::machineHostName().toUtf8() + "\n");
        lock.close();
        QFile socket(folder.filePath(QStringLiteral("orvel.socket")));
        QVERIFY(socket.open(QIODevice::WriteOnly));
        socket.close();

        {
            SingleInstance instance(folder.path());
            QCOMPARE(instance.claim(), SingleInstance::Role::primary);
        }
        // Its own lock goes with the instance that ends.
        SingleInstance next(folder.path());
        QCOMPARE(next.claim(), SingleInstance::Role::primary);
    }
};

ORVEL_TEST_CLASS(SingleInstanceTest);

#include "SingleInstanceTest.moc"
