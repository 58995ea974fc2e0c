#include "TestFolder.h"
#include "TestRegistry.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>

// The one fatal stop, run as the user meets it: the real application started on a data folder
// whose store file is not a store it can use. It must say why on standard error, end with
// status 1, and leave the file exactly as it was: no byte changed, nothing created beside it.

namespace {

constexpr int exitTimeoutMs = 15000;

// Where the application keeps its store under XDG_DATA_HOME: the organisation and application
// folders of its QStandardPaths::AppDataLocation, then the file name of
// UserIPOStore::defaultFilePath().
const QString storeRelativePath = QStringLiteral("orvel/orvel/user-entries.sqlite");

// A real SQLite file written by someone else, built with its own connection and closed again.
QByteArray sqliteFile(const QString &folder, const QStringList &statements) {
    const QString path = QDir(folder).filePath(QStringLiteral("made.sqlite"));
    {
        QSqlDatabase database =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fatal-maker"));
        database.setDatabaseName(path);
        if (!database.open())
            return {};
        QSqlQuery query(database);
        for (const QString &statement : statements) {
            if (!query.exec(statement))
                return {};
        }
        query.finish();
        database.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("fatal-maker"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    file.close();
    QFile::remove(path);
    return bytes;
}

QStringList folderListing(const QString &folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                                  QDir::Name);
}

} // namespace

class FatalStoreTest : public QObject {
    Q_OBJECT

private slots:
    void unusableStoreStopsTheProgram_data() {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<QString>("reason");
        testsupport::TestFolder maker;
        QVERIFY(maker.isValid());
        QTest::newRow("a text file")
            << QByteArray("code,sub_quantity,win_quantity,sub_method,updated_at\n"
                          "00700,2000,500,margin,2025-03-04T05:06:07.890Z\n")
            << "file is not a database";
        const QByteArray other =
            sqliteFile(maker.path(), {QStringLiteral("CREATE TABLE notes (id INTEGER, body TEXT)"),
                                      QStringLiteral("INSERT INTO notes VALUES (1, 'keep me')")});
        QVERIFY(!other.isEmpty());
        QTest::newRow("another application's database")
            << other << "is a database of another application";
        const QByteArray newer = sqliteFile(
            maker.path(),
            {QStringLiteral("CREATE TABLE meta (key TEXT PRIMARY KEY NOT NULL, value INTEGER)"),
             QStringLiteral("INSERT INTO meta VALUES ('schema_version', 99)"),
             QStringLiteral("CREATE TABLE user_ipo_entry (code TEXT NOT NULL UNIQUE)")});
        QVERIFY(!newer.isEmpty());
        QTest::newRow("a newer release's store") << newer << "written by a newer release";
    }

    void unusableStoreStopsTheProgram() {
        QFETCH(QByteArray, contents);
        QFETCH(QString, reason);
        testsupport::TestFolder home;
        QVERIFY(home.isValid());
        const QString data = home.filePath(QStringLiteral("data"));
        const QString storePath = QDir(data).filePath(storeRelativePath);
        QVERIFY(QDir().mkpath(QFileInfo(storePath).absolutePath()));
        {
            QFile file(storePath);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QCOMPARE(file.write(contents), contents.size());
        }
        const QByteArray digestBefore =
            QCryptographicHash::hash(contents, QCryptographicHash::Sha256);
        const QStringList listingBefore = folderListing(QFileInfo(storePath).absolutePath());

        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_DATA_HOME"), data);
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"),
                           home.filePath(QStringLiteral("config")));
        environment.insert(QStringLiteral("XDG_CACHE_HOME"),
                           home.filePath(QStringLiteral("cache")));
        const QString runtime = home.filePath(QStringLiteral("runtime"));
        QVERIFY(QDir().mkpath(runtime));
        QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));

        QProcess app;
        app.setProcessEnvironment(environment);
        app.start(QStringLiteral(ORVEL_APP_EXECUTABLE), {});
        QVERIFY2(app.waitForStarted(), qPrintable(app.errorString()));
        const bool exited = app.waitForFinished(exitTimeoutMs);
        if (!exited) {
            app.kill();
            app.waitForFinished();
        }
        const QString errors = QString::fromUtf8(app.readAllStandardError());
        QVERIFY2(exited, qPrintable(QStringLiteral("still running after %1 ms; stderr: %2")
                                        .arg(exitTimeoutMs)
                                        .arg(errors)));
        QCOMPARE(app.exitStatus(), QProcess::NormalExit);
        QCOMPARE(app.exitCode(), 1);
        QVERIFY2(errors.contains(QStringLiteral("Failed to create ModelContainer: ")),
                 qPrintable(errors));
        QVERIFY2(errors.contains(reason), qPrintable(errors));

        QFile file(storePath);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray after = file.readAll();
        QCOMPARE(after.size(), contents.size());
        QCOMPARE(QCryptographicHash::hash(after, QCryptographicHash::Sha256), digestBefore);
        QCOMPARE(folderListing(QFileInfo(storePath).absolutePath()), listingBefore);
    }
};

ORVEL_TEST_CLASS(FatalStoreTest);
#include "FatalStoreTest.moc"
