#include "StoreTestSupport.h"
#include "TestFolder.h"
#include "TestRegistry.h"

#include "store/UserIPOStore.h"

#include <QFile>
#include <QTest>

#include <sys/fsuid.h>
#include <unistd.h>

using namespace storetest;

namespace {

enum class BadStore { folderInPlace, readOnlyFolderExistingStore, readOnlyFile };

bool writeFile(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
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
    // may be the only copy of their figures. (Files that are not a usable store are the fatal
    // store test's, run through the application itself.)
    void unusableStoreIsLeftAlone_data() {
        QTest::addColumn<BadStore>("kind");
        QTest::addColumn<bool>("folderMayGainJournal");
        QTest::newRow("folder in place of the file") << BadStore::folderInPlace << false;
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
        case BadStore::folderInPlace:
            QVERIFY(QDir().mkpath(path));
            QVERIFY(writeFile(path + QStringLiteral("/inside.txt"), "still here"));
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
            ReadOnlyView view(kind != BadStore::folderInPlace);
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

    void missingFoldersAreCreated() {
        testsupport::TestFolder folder;
        const QString path = folder.filePath(QStringLiteral("a/b/c/entries.sqlite"));
        auto opened = UserIPOStore::open({.filePath = path});
        QVERIFY2(opened, qPrintable(failureText(opened)));
        QVERIFY(QFileInfo(path).isFile());
        QCOMPARE((*opened)->filePath(), path);
    }
};

ORVEL_TEST_CLASS(UserIPOStoreOpeningTest);

#include "UserIPOStoreOpeningTest.moc"
