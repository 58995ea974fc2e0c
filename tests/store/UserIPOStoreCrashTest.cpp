#include "TestFolder.h"
#include "TestRegistry.h"

#include "store/UserIPOStore.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>

#include <thread>

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

// Opens a store that needs migrating and stops at the migration's commit, everything staged,
// until it is killed.
[[noreturn]] void runMigrationChild(const QString &path) {
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    static int argc = 1;
    static char name[] = "orvel-store-migration-child";
    static char *argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    UserIPOStore::open({.filePath = path, .persistMigration = [](QSqlDatabase &) {
                            std::printf("staged\n");
                            std::fflush(stdout);
                            std::this_thread::sleep_for(std::chrono::minutes(1));
                            return UserIPOStore::Result(QStringLiteral("not killed"));
                        }});
    ::_exit(2);
}

// A store file as the release before the sale figures wrote it (schema version 1).
bool writeVersionOneStore(const QString &path, qint64 entries) {
    bool written = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "v1");
        db.setDatabaseName(path);
        QSqlQuery q(db.open() ? db : QSqlDatabase());
        for (const char *statement :
             {"PRAGMA journal_mode = WAL",
              "CREATE TABLE meta (key TEXT PRIMARY KEY NOT NULL, value INTEGER NOT NULL)",
              "CREATE TABLE user_ipo_entry (code TEXT NOT NULL UNIQUE, sub_quantity INTEGER NOT "
              "NULL, win_quantity INTEGER NOT NULL, sub_method_raw_value INTEGER NOT NULL, "
              "updated_at_ms INTEGER NOT NULL)",
              "CREATE INDEX user_ipo_entry_by_updated_at ON user_ipo_entry (updated_at_ms)",
              "INSERT INTO meta VALUES ('schema_version', 1)"})
            written = written && q.exec(statement);
        q.prepare("INSERT INTO user_ipo_entry VALUES (?, ?, ?, ?, ?)");
        for (qint64 i = 0; i < entries; ++i) {
            q.addBindValue(QStringLiteral("%1").arg(i, 5, 10, QLatin1Char('0')));
            q.addBindValue(i * 1000);
            q.addBindValue(i * 100);
            q.addBindValue(i % 2);
            q.addBindValue(1'700'000'000'000 + i);
            written = written && q.exec();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase("v1");
    return written;
}

[[maybe_unused]] const bool crashChildChecked = [] {
    if (qEnvironmentVariableIsSet("ORVEL_STORE_MIGRATION_CHILD"))
        runMigrationChild(qEnvironmentVariable("ORVEL_STORE_MIGRATION_CHILD"));
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

    // A file of the previous schema opens and upgrades with every entry; a migration that fails
    // or is killed before its commit leaves a file that the next start upgrades just the same.
    void previousSchemaUpgradesKeepingEveryEntry_data() {
        QTest::addColumn<QString>("interruption");
        QTest::newRow("none") << "";
        QTest::newRow("commit fails") << "fail";
        QTest::newRow("killed before the commit") << "kill";
    }
    void previousSchemaUpgradesKeepingEveryEntry() {
        QFETCH(QString, interruption);
        testsupport::TestFolder folder;
        const QString path = folder.filePath("entries.sqlite");
        QVERIFY(writeVersionOneStore(path, 500));
        if (interruption == "fail") {
            auto failed = UserIPOStore::open(
                {.filePath = path, .persistMigration = [](QSqlDatabase &) {
                     return UserIPOStore::Result(QStringLiteral("disk full (injected)"));
                 }});
            QVERIFY(!failed && failed.error().contains("disk full (injected)"));
        } else if (interruption == "kill") {
            QProcess child;
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert("ORVEL_STORE_MIGRATION_CHILD", path);
            child.setProcessEnvironment(environment);
            child.start(QCoreApplication::applicationFilePath(), {});
            QVERIFY(child.waitForReadyRead(30000));
            QCOMPARE(child.readAllStandardOutput(), "staged\n");
            child.kill();
            QVERIFY(child.waitForFinished(10000));
        }
        auto opened = UserIPOStore::open({.filePath = path});
        QVERIFY2(opened, opened ? "" : qPrintable(opened.error()));
        const QHash<QString, UserIPOEntry> entries = (*opened)->entriesByCode();
        QCOMPARE(entries.size(), 500);
        const UserIPOEntry last = entries.value("00499");
        QCOMPARE(last, (UserIPOEntry{"00499",
                                     499000,
                                     49900,
                                     1,
                                     QDateTime::fromMSecsSinceEpoch(1'700'000'000'499, Qt::UTC),
                                     {},
                                     {}}));
        opened->reset();
        // Upgraded for good: the listing, which only reads, takes the file now.
        QVERIFY(UserIPOStore::open({.filePath = path, .readOnly = true}));
    }
};

ORVEL_TEST_CLASS(UserIPOStoreCrashTest);

#include "UserIPOStoreCrashTest.moc"
