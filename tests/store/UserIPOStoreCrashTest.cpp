#include "TestFolder.h"
#include "TestRegistry.h"

#include "store/UserIPOStore.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QTest>

#include <csignal>
#include <cstdio>
#include <sys/prctl.h>
#include <unistd.h>

// This executable is also the writer that gets killed: started with ORVEL_STORE_CRASH_CHILD set,
// a static initialiser runs the child loop before main and never returns into the test runner.
namespace {

// Saves new codes and now and then updates an earlier one, printing "code sub win" only after
// its save returned: every printed line is a promise the store must keep whatever happens next.
[[noreturn]] void runCrashChild(const QString &path, const QString &prefix) {
    ::prctl(PR_SET_PDEATHSIG, SIGKILL); // never outlive the test, and stop after a minute
    static int argc = 1;
    static char name[] = "orvel-store-crash-child";
    static char *argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    auto opened = UserIPOStore::open({.filePath = path});
    QElapsedTimer elapsed;
    elapsed.start();
    for (qint64 i = 0; opened && ::getppid() != 1 && elapsed.elapsed() < 60000; ++i) {
        const qint64 sub = i % 3 == 2 ? i / 2 : i;
        const QString code = prefix + QString::number(sub);
        if (!(*opened)->saveEntry(code, sub, i, i % 2 ? SubMethod::margin : SubMethod::cash))
            ::_exit(2);
        std::printf("%s %lld %lld\n", qUtf8Printable(code), sub, i);
        std::fflush(stdout);
    }
    ::_exit(opened ? 0 : 2);
}

[[maybe_unused]] const bool crashChildChecked = [] {
    if (qEnvironmentVariableIsSet("ORVEL_STORE_CRASH_CHILD"))
        runCrashChild(qEnvironmentVariable("ORVEL_STORE_CRASH_CHILD"),
                      qEnvironmentVariable("ORVEL_STORE_CRASH_PREFIX"));
    return true;
}();

} // namespace

class UserIPOStoreCrashTest : public QObject {
    Q_OBJECT

    testsupport::TestFolder m_folder;
    QHash<QString, std::pair<qint64, qint64>> m_promises; // sub and least win by code

private slots:
    // Rounds share one file, so the second also shows that the first one's promises survive.
    void killedWriterLosesNothingItReported_data() {
        QTest::addColumn<QString>("prefix");
        QTest::newRow("round 1") << "r1-";
        QTest::newRow("round 2") << "r2-";
    }
    void killedWriterLosesNothingItReported() {
        QFETCH(QString, prefix);
        const QString path = m_folder.filePath("entries.sqlite");
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("ORVEL_STORE_CRASH_CHILD", path);
        environment.insert("ORVEL_STORE_CRASH_PREFIX", prefix);
        child.setProcessEnvironment(environment);
        child.start(QCoreApplication::applicationFilePath(), {});

        // Let it get going, then kill it at a moment nobody chose.
        QVERIFY2(child.waitForReadyRead(30000), child.readAllStandardError().constData());
        QTest::qWait(QRandomGenerator::global()->bounded(20, 700));
        QCOMPARE(child.state(), QProcess::Running);
        child.kill();
        QVERIFY(child.waitForFinished(10000));
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);
        const QByteArray output = child.readAllStandardOutput();
        // Only whole lines: a line cut by the kill promised nothing.
        for (const QByteArray &line : output.left(output.lastIndexOf('\n')).split('\n')) {
            const QList<QByteArray> parts = line.split(' ');
            QCOMPARE(parts.size(), 3);
            m_promises[QString::fromUtf8(parts[0])] = {parts[1].toLongLong(),
                                                       parts[2].toLongLong()};
        }

        auto opened = UserIPOStore::open({.filePath = path});
        QVERIFY(opened);
        const QHash<QString, UserIPOEntry> stored = (*opened)->entriesByCode();
        for (auto it = m_promises.cbegin(); it != m_promises.cend(); ++it) {
            QVERIFY2(stored.contains(it.key()), qPrintable(it.key()));
            QCOMPARE(stored[it.key()].subQuantity, it->first);
            // A save that finished after the last report may have moved it further on.
            QVERIFY(stored[it.key()].winQuantity >= it->second);
        }
    }
};

ORVEL_TEST_CLASS(UserIPOStoreCrashTest);

#include "UserIPOStoreCrashTest.moc"
