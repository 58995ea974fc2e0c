#include "StoreTestSupport.h"
#include "TestFolder.h"
#include "TestRegistry.h"

#include "store/UserIPOStore.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlQuery>
#include <QTest>

#include <csignal>
#include <cstdio>
#include <sys/prctl.h>
#include <unistd.h>

using namespace storetest;

// The crash test needs a second process that saves entries until it is killed. Rather than a
// helper executable of its own, this test executable plays that part: started with
// ORVEL_STORE_CRASH_CHILD set to a store file, it runs the child loop from a static initialiser,
// before main and before any test class, and never returns into the test runner. Static
// initialisers run before main on every platform this builds for; the test registry relies on
// the same thing.
namespace {

const char crashChildVariable[] = "ORVEL_STORE_CRASH_CHILD";
const char crashPrefixVariable[] = "ORVEL_STORE_CRASH_PREFIX";

[[noreturn]] void fail(const QString &message) {
    std::fprintf(stderr, "crash child: %s\n", qUtf8Printable(message));
    std::fflush(stderr);
    ::_exit(2);
}

// Saves new codes in a loop and now and then updates an earlier one. Each line "code sub win"
// is printed only after its save returned, so every printed line is a promise the store must
// keep whatever happens next.
[[noreturn]] void runCrashChild(const QString &path, const QString &prefix) {
    // Never outlive the test: die with the parent, and stop on our own after a minute.
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (::getppid() == 1)
        ::_exit(3);
    static int argc = 1;
    static char name[] = "orvel-store-crash-child";
    static char *argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);

    auto opened = UserIPOStore::open({.filePath = path});
    if (!opened)
        fail(opened.error());
    UserIPOStore &store = *opened.value();
    QElapsedTimer elapsed;
    elapsed.start();
    for (qint64 i = 0; elapsed.elapsed() < 60000; ++i) {
        QString code = prefix + QString::number(i);
        qint64 sub = i;
        if (i % 3 == 2)
            code = prefix + QString::number(sub = i / 2);
        const auto saved =
            store.saveEntry(code, sub, i, i % 2 ? SubMethod::margin : SubMethod::cash);
        if (!saved)
            fail(saved.error());
        std::printf("%s %lld %lld\n", qUtf8Printable(code), sub, i);
        std::fflush(stdout);
    }
    ::_exit(0);
}

[[maybe_unused]] const bool crashChildChecked = [] {
    if (qEnvironmentVariableIsSet(crashChildVariable))
        runCrashChild(qEnvironmentVariable(crashChildVariable),
                      qEnvironmentVariable(crashPrefixVariable));
    return true;
}();

struct Promise {
    qint64 subQuantity = 0;
    qint64 winQuantity = 0;
};

QString integrityCheck(const QString &path) {
    const QString name = QStringLiteral("store-crash-integrity");
    QString result;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        if (db.open()) {
            QSqlQuery query(db);
            if (query.exec(QStringLiteral("PRAGMA integrity_check")))
                while (query.next())
                    result += query.value(0).toString();
            query.finish();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return result;
}

} // namespace

class UserIPOStoreCrashTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QVERIFY(m_folder.isValid());
        m_path = m_folder.filePath(QStringLiteral("entries.sqlite"));
    }

    // Rounds share one file, so later rounds also show that earlier promises survive.
    void killedWriterLosesNothingItReported_data() {
        QTest::addColumn<int>("round");
        for (int round = 1; round <= 2; ++round)
            QTest::addRow("round %d", round) << round;
    }
    void killedWriterLosesNothingItReported() {
        QFETCH(int, round);
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QString::fromLatin1(crashChildVariable), m_path);
        environment.insert(QString::fromLatin1(crashPrefixVariable),
                           QStringLiteral("r%1-").arg(round));
        child.setProcessEnvironment(environment);
        child.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY2(child.waitForStarted(10000), qPrintable(child.errorString()));

        // Let it get going, then kill it at a moment nobody chose.
        QByteArray output;
        const QDeadlineTimer deadline(30000);
        while (!output.contains('\n') && child.state() == QProcess::Running &&
               !deadline.hasExpired()) {
            child.waitForReadyRead(int(deadline.remainingTime()));
            output += child.readAllStandardOutput();
        }
        QVERIFY2(child.state() == QProcess::Running, child.readAllStandardError().constData());
        QVERIFY2(output.contains('\n'), "the child reported no save");
        const int delay = int(QRandomGenerator::global()->bounded(20, 700));
        QTest::qWait(delay);
        child.kill();
        QVERIFY(child.waitForFinished(10000));
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);
        output += child.readAllStandardOutput();

        // Only whole lines: a line cut by the kill promised nothing.
        const QList<QByteArray> lines = output.left(output.lastIndexOf('\n')).split('\n');
        for (const QByteArray &line : lines) {
            const QList<QByteArray> parts = line.split(' ');
            QCOMPARE(parts.size(), 3);
            Promise &promise = m_promises[QString::fromUtf8(parts[0])];
            promise.subQuantity = parts[1].toLongLong();
            promise.winQuantity = parts[2].toLongLong();
        }
        qInfo("round %d: killed after %d ms and %lld reported saves", round, delay,
              qint64(lines.size()));

        auto opened = UserIPOStore::open({.filePath = m_path});
        QVERIFY2(opened, qPrintable(failureText(opened)));
        QCOMPARE(integrityCheck(m_path), QStringLiteral("ok"));
        const QHash<QString, UserIPOEntry> stored = (*opened)->entriesByCode();
        for (auto it = m_promises.cbegin(); it != m_promises.cend(); ++it) {
            const auto entry = stored.constFind(it.key());
            QVERIFY2(entry != stored.cend(), qPrintable(it.key()));
            QCOMPARE(entry->subQuantity, it->subQuantity);
            // A save that finished after the last report may have moved it further on.
            QVERIFY2(entry->winQuantity >= it->winQuantity, qPrintable(it.key()));
        }
    }

private:
    testsupport::TestFolder m_folder;
    QString m_path;
    QHash<QString, Promise> m_promises;
};

ORVEL_TEST_CLASS(UserIPOStoreCrashTest);

#include "UserIPOStoreCrashTest.moc"
