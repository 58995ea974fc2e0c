#include "TestFolder.h"
#include "TestRegistry.h"

#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>

// The one fatal stop, as the user meets it: the real application on a store file it cannot use
// says why, ends with status 1, and leaves the file exactly as it was, nothing created beside it.

namespace {

// A real SQLite file written by someone else.
QByteArray sqliteFile(const QString &path, const QStringList &statements) {
    {
        QSqlDatabase database = QSqlDatabase::addDatabase("QSQLITE", "fatal-maker");
        database.setDatabaseName(path);
        if (!database.open())
            return {};
        QSqlQuery query(database);
        for (const QString &statement : statements)
            if (!query.exec(statement))
                return {};
    }
    QSqlDatabase::removeDatabase("fatal-maker");
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class FatalStoreTest : public QObject {
    Q_OBJECT

    testsupport::TestFolder m_maker;

private slots:
    void unusableStoreStopsTheProgram_data() {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<QString>("reason");
        QTest::newRow("a text file")
            << QByteArray("code,sub_quantity\n00700,2000\n") << "file is not a database";
        QTest::newRow("another application's database")
            << sqliteFile(m_maker.filePath("other"), {"CREATE TABLE notes (id INTEGER, body TEXT)",
                                                      "INSERT INTO notes VALUES (1, 'keep me')"})
            << "is a database of another application";
        QTest::newRow("a newer release's store")
            << sqliteFile(m_maker.filePath("newer"),
                          {"CREATE TABLE meta (key TEXT PRIMARY KEY NOT NULL, value INTEGER)",
                           "INSERT INTO meta VALUES ('schema_version', 99)",
                           "CREATE TABLE user_ipo_entry (code TEXT NOT NULL UNIQUE)"})
            << "written by a newer release";
    }

    void unusableStoreStopsTheProgram() {
        QFETCH(QByteArray, contents);
        QFETCH(QString, reason);
        QVERIFY(!contents.isEmpty());
        testsupport::TestFolder home;
        // Under XDG_DATA_HOME: organisation and application folders, then the store's name.
        const QDir storeFolder(home.filePath("data/orvel/orvel"));
        QVERIFY(storeFolder.mkpath("."));
        QFile file(storeFolder.filePath("user-entries.sqlite"));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size());
        file.close();

        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"data", "config", "cache"})
            environment.insert("XDG_" + QString(name).toUpper() + "_HOME", home.filePath(name));
        QVERIFY(QDir(home.path()).mkdir("runtime"));
        QFile::setPermissions(home.filePath("runtime"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        environment.insert("XDG_RUNTIME_DIR", home.filePath("runtime"));
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.remove("DBUS_SESSION_BUS_ADDRESS");
        QProcess app;
        app.setProcessEnvironment(environment);
        app.start(ORVEL_APP_EXECUTABLE, {});
        const bool exited = app.waitForFinished(15000);
        if (!exited)
            app.kill();
        const QString errors = QString::fromUtf8(app.readAllStandardError());
        QVERIFY2(exited, qPrintable(errors));
        QCOMPARE(app.exitStatus(), QProcess::NormalExit);
        QCOMPARE(app.exitCode(), 1);
        // The message names the file, so a user can find what to check or send.
        QVERIFY2(errors.contains(file.fileName()) && errors.contains(reason), qPrintable(errors));

        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), contents);
        QCOMPARE(storeFolder.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{"user-entries.sqlite"});
    }
};

ORVEL_TEST_CLASS(FatalStoreTest);
#include "FatalStoreTest.moc"
