#include "StoreTestSupport.h"
#include "TestFolder.h"
#include "TestRegistry.h"

#include "store/UserIPOStore.h"

#include <QFile>
#include <QRandomGenerator>
#include <QSqlQuery>
#include <QTest>

#include <sys/fsuid.h>
#include <unistd.h>

using namespace storetest;

namespace {

enum class BadStore {
    textFile,
    randomBytes,
    foreignDatabase,
    newerSchema,
    folderInPlace,
    fileInPlaceOfFolder,
    readOnlyFolderNewFile,
    readOnlyFolderExistingStore,
    readOnlyFile,
};

bool writeFile(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

bool runSql(const QString &path, const QStringList &statements) {
    const QString name = QStringLiteral("store-opening-test");
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        ok = db.open();
        QSqlQuery query(db);
        for (const QString &statement : statements)
            ok = ok && query.exec(statement);
        query.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}

bool makeStoreWithOneEntry(const QString &path) {
    auto opened = UserIPOStore::open({.filePath = path});
    return opened && (*opened)->saveEntry(QStringLiteral("00700"), 2000, 500, SubMethod::margin);
}

// Root passes every permission check, so for the read-only cases a root test run looks at the
// files as "nobody" for a while (the file-system uid only; it is per thread and restored).
class ReadOnlyView {
public:
    explicit ReadOnlyView(bool wanted) {
        if (wanted && ::geteuid() == 0) {
            m_previous = static_cast<int>(::setfsuid(65534));
            m_switched = true;
        }
    }
    ~ReadOnlyView() {
        if (m_switched)
            ::setfsuid(static_cast<uid_t>(m_previous));
    }
    ReadOnlyView(const ReadOnlyView &) = delete;
    ReadOnlyView &operator=(const ReadOnlyView &) = delete;

private:
    int m_previous = 0;
    bool m_switched = false;
};

// Gives permissions back at the end, so the test folder can always be removed.
class PermissionsRestorer {
public:
    void change(const QString &path, QFile::Permissions permissions) {
        m_saved.append({path, QFile::permissions(path)});
        QFile::setPermissions(path, permissions);
    }
    ~PermissionsRestorer() {
        for (auto it = m_saved.crbegin(); it != m_saved.crend(); ++it)
            QFile::setPermissions(it->first, it->second);
    }

private:
    QList<std::pair<QString, QFile::Permissions>> m_saved;
};

constexpr QFile::Permissions readOnlyDir = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup |
                                           QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
constexpr QFile::Permissions openDir =
    readOnlyDir | QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
constexpr QFile::Permissions readOnlyFile = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;

} // namespace

class UserIPOStoreOpeningTest : public QObject {
    Q_OBJECT

private slots:
    // Opening fails with a description, and nothing under the folder changes: the user's file
    // may be the only copy of their figures.
    void unusableStoreIsLeftAlone_data() {
        QTest::addColumn<BadStore>("kind");
        QTest::addColumn<bool>("folderMayGainJournal");
        QTest::newRow("text file") << BadStore::textFile << false;
        QTest::newRow("random bytes") << BadStore::randomBytes << false;
        QTest::newRow("another program's database") << BadStore::foreignDatabase << false;
        QTest::newRow("newer schema") << BadStore::newerSchema << false;
        QTest::newRow("folder in place of the file") << BadStore::folderInPlace << false;
        QTest::newRow("file in place of the folder") << BadStore::fileInPlaceOfFolder << false;
        QTest::newRow("read-only folder, no file yet") << BadStore::readOnlyFolderNewFile << false;
        QTest::newRow("read-only folder with a store")
            << BadStore::readOnlyFolderExistingStore << false;
        // SQLite may leave its shared-memory and journal files beside a file it could only
        // read; the store file itself must still be byte for byte the same.
        QTest::newRow("read-only file") << BadStore::readOnlyFile << true;
    }
    void unusableStoreIsLeftAlone() {
        QFETCH(BadStore, kind);
        QFETCH(bool, folderMayGainJournal);
        testsupport::TestFolder folder;
        QVERIFY(folder.isValid());
        PermissionsRestorer permissions;
        // Root-owned temporary folders are private; "nobody" must be able to walk into them.
        permissions.change(folder.path(), readOnlyDir | QFile::WriteOwner);
        const QString dataFolder = folder.filePath(QStringLiteral("data"));
        QVERIFY(QDir().mkpath(dataFolder));
        QString path = dataFolder + QStringLiteral("/entries.sqlite");

        switch (kind) {
        case BadStore::textFile:
            QVERIFY(writeFile(path, QByteArray("code,sub_quantity\n00700,1\n").repeated(300)));
            break;
        case BadStore::randomBytes: {
            QByteArray bytes(8192, '\0');
            QRandomGenerator generator(20250304);
            for (char &byte : bytes)
                byte = static_cast<char>(generator.bounded(256));
            QVERIFY(writeFile(path, bytes));
            break;
        }
        case BadStore::foreignDatabase:
            QVERIFY(runSql(path, {QStringLiteral("CREATE TABLE notes (body TEXT)"),
                                  QStringLiteral("INSERT INTO notes VALUES ('keep me')")}));
            break;
        case BadStore::newerSchema:
            QVERIFY(makeStoreWithOneEntry(path));
            QVERIFY(runSql(
                path, {QStringLiteral("UPDATE meta SET value = 99 WHERE key = 'schema_version'")}));
            break;
        case BadStore::folderInPlace:
            QVERIFY(QDir().mkpath(path));
            QVERIFY(writeFile(path + QStringLiteral("/inside.txt"), "still here"));
            break;
        case BadStore::fileInPlaceOfFolder:
            QVERIFY(writeFile(dataFolder + QStringLiteral("/sub"), "a file, not a folder"));
            path = dataFolder + QStringLiteral("/sub/entries.sqlite");
            break;
        case BadStore::readOnlyFolderNewFile:
            permissions.change(dataFolder, readOnlyDir);
            break;
        case BadStore::readOnlyFolderExistingStore:
            QVERIFY(makeStoreWithOneEntry(path));
            permissions.change(path, readOnlyFile);
            permissions.change(dataFolder, readOnlyDir);
            break;
        case BadStore::readOnlyFile:
            QVERIFY(makeStoreWithOneEntry(path));
            permissions.change(path, readOnlyFile);
            permissions.change(dataFolder, openDir);
            break;
        }

        const QMap<QString, QByteArray> before = folderSnapshot(dataFolder);
        QString error;
        {
            const bool readOnly = kind == BadStore::readOnlyFolderNewFile ||
                                  kind == BadStore::readOnlyFolderExistingStore ||
                                  kind == BadStore::readOnlyFile;
            ReadOnlyView view(readOnly);
            auto opened = UserIPOStore::open({.filePath = path});
            QVERIFY(!opened);
            error = opened.error();
        }
        QVERIFY(!error.isEmpty());
        qInfo("%s", qUtf8Printable(UserIPOStore::fatalOpenMessage(error)));

        QMap<QString, QByteArray> after = folderSnapshot(dataFolder);
        if (folderMayGainJournal) {
            after.remove(QStringLiteral("entries.sqlite-wal"));
            after.remove(QStringLiteral("entries.sqlite-shm"));
        }
        QCOMPARE(after, before);
    }

    // A read-only file system stops even root.
    void readOnlyFileSystem() {
        const QString path = QStringLiteral("/proc/orvel-store-test/entries.sqlite");
        auto opened = UserIPOStore::open({.filePath = path});
        QVERIFY(!opened);
        QVERIFY(!opened.error().isEmpty());
        QVERIFY(!QFileInfo::exists(path));
    }

    void emptyFileBecomesAStore() {
        testsupport::TestFolder folder;
        const QString path = folder.filePath(QStringLiteral("entries.sqlite"));
        QVERIFY(writeFile(path, {}));
        auto opened = UserIPOStore::open({.filePath = path});
        QVERIFY2(opened, qPrintable(failureText(opened)));
        QVERIFY((*opened)->saveEntry(QStringLiteral("A"), 1, 1, SubMethod::cash));
    }

    void missingFoldersAreCreated() {
        testsupport::TestFolder folder;
        const QString path = folder.filePath(QStringLiteral("a/b/c/entries.sqlite"));
        auto opened = UserIPOStore::open({.filePath = path});
        QVERIFY2(opened, qPrintable(failureText(opened)));
        QVERIFY(QFileInfo(path).isFile());
        QCOMPARE((*opened)->filePath(), path);
    }

    void reopeningKeepsTheEntries() {
        testsupport::TestFolder folder;
        const QString path = folder.filePath(QStringLiteral("entries.sqlite"));
        QVERIFY(makeStoreWithOneEntry(path));
        auto reopened = UserIPOStore::open({.filePath = path});
        QVERIFY2(reopened, qPrintable(failureText(reopened)));
        const QList<UserIPOEntry> entries = (*reopened)->fetchAllEntries();
        QCOMPARE(entries.size(), 1);
        QCOMPARE(entries.first().code, QStringLiteral("00700"));
        QCOMPARE(entries.first().subMethodRawValue, 1);
    }
};

ORVEL_TEST_CLASS(UserIPOStoreOpeningTest);

#include "UserIPOStoreOpeningTest.moc"
