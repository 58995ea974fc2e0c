#include "ManualClock.h"
#include "ResultAccess.h"
#include "TestFolder.h"
#include "TestRegistry.h"

#include "analytics/AnalyticsTracking.h"
#include "store/UserIPOStore.h"

#include <QDirIterator>
#include <QTest>

#include <sys/fsuid.h>
#include <unistd.h>

using testsupport::errorOf;
using testsupport::valueOf;

namespace {

QDateTime utc(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0) {
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s, ms), Qt::UTC);
}

UserIPOBackupRow row(const char *code, qint64 sub, qint64 win, SubMethod method,
                     const QDateTime &at) {
    return {QString::fromUtf8(code), sub, win, method, at, {}, {}};
}

// A store in folders that do not exist yet; a tracker keeping the saved codes; a commit that
// counts its calls and fails, committing nothing, while `failing` is set.
struct Fixture : AnalyticsTracking {
    testsupport::TestFolder folder;
    testsupport::ManualClock clock{utc(2025, 3, 4, 5, 6, 7, 890)};
    QStringList savedCodes;
    int commits = 0;
    bool failing = false;
    std::unique_ptr<UserIPOStore> store;

    void start() override {}
    void trackUserDataSaved(const QString &code) override { savedCodes.append(code); }
    QString path() const { return folder.filePath("a/b/entries.sqlite"); }
    UserIPOStore::Options options() {
        const auto persist = [this](QSqlDatabase &database) -> UserIPOStore::Result {
            ++commits;
            if (failing)
                return QStringLiteral("disk full (injected)");
            return UserIPOStore::commitChanges(database);
        };
        return {.filePath = path(),
                .analyticsTracker = this,
                .persistChanges = persist,
                .clock = clock.clock()};
    }
    bool open() {
        store.reset();
        auto opened = UserIPOStore::open(options());
        store = opened ? std::move(*opened) : nullptr;
        return bool(store);
    }
};

// Everything under a folder with the bytes of each file.
QMap<QString, QByteArray> folderSnapshot(const QString &path) {
    QMap<QString, QByteArray> snapshot;
    for (QDirIterator it(path, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                         QDirIterator::Subdirectories);
         it.hasNext();) {
        QFile file(it.next());
        snapshot.insert(it.filePath(), file.open(QIODevice::ReadOnly) ? file.readAll() : "<dir>");
    }
    return snapshot;
}

enum class BadStore { folderInPlace, readOnlyFolder, readOnlyFile };

} // namespace

Q_DECLARE_METATYPE(BadStore)

class UserIPOStoreTest : public QObject {
    Q_OBJECT

private slots:
    void saveUpdatesInPlaceAndDeleteCommitsOnlyARemoval() {
        Fixture f;
        QVERIFY(f.open());
        QVERIFY(f.store->saveEntry("00700", 2000, 0, SubMethod::cash));
        f.clock.advance(1500);
        // Every field in one save, each back as it went in after a restart; updatedAt is the
        // clock's, whatever the entry said.
        UserIPOEntry saved{"00700", 4000, 500, 1, utc(2000, 1, 1), {}, {}};
        saved.sale = {30500, 400, 3030, QDate(2025, 3, 5), 7622};
        saved.ipo = {"腾讯, \"控股\"\n", QDate(2025, 3, 6), QDate(2025, 3, 1), "28.00-30.50"};
        QVERIFY(f.store->saveEntry(saved));
        saved.updatedAt = f.clock.now();
        QVERIFY(f.open());
        QCOMPARE(f.store->fetchAllEntries(), QList<UserIPOEntry>{saved});
        // The short form replaces the whole entry: nothing of the sale lingers.
        QVERIFY(f.store->saveEntry("00700", 4000, 500, SubMethod::margin));
        saved.sale = {};
        saved.ipo = {};
        QCOMPARE(f.store->fetchAllEntries(), QList<UserIPOEntry>{saved});
        QCOMPARE(f.savedCodes, QStringList(3, "00700"));

        // Codes match exactly: "0700" is another company.
        QVERIFY(f.store->deleteEntry("0700"));
        QCOMPARE(f.commits, 3);
        QCOMPARE(f.store->fetchAllEntries().size(), 1);
        QVERIFY(f.store->deleteEntry("00700"));
        QCOMPARE(f.commits, 4);
        QVERIFY(f.store->fetchAllEntries().isEmpty());
        QCOMPARE(f.savedCodes.size(), 3); // deleting is not a save
    }

    // Restoring adds the codes the store lacks (the first row of a code wins) with their own
    // instants in one commit and no usage event; with nothing to add it commits nothing.
    void restoreInsertsOnlyMissingCodes() {
        Fixture f;
        QVERIFY(f.open());
        QVERIFY(f.store->saveEntry("A", 100, 0, SubMethod::cash));
        const UserIPOEntry storedA = f.store->fetchAllEntries().first();
        const QList<UserIPOBackupRow> rows = {
            row("A", 9, 9, SubMethod::margin, utc(2024, 1, 1)),
            row("B", 200, 100, SubMethod::margin, utc(2024, 2, 2, 1, 2, 3, 456)),
            row("B", 7, 7, SubMethod::cash, utc(2025, 3, 3)),
            row("C", 1, 0, SubMethod::cash, utc(2026, 1, 1, 0, 0, 0, 999)),
        };
        QCOMPARE(valueOf(f.store->restoreMissing(rows)), (UserIPOStore::RestoreCounts{2, 2}));
        QCOMPARE(f.commits, 2);
        QCOMPARE(f.store->fetchAllEntries(),
                 (QList<UserIPOEntry>{rows[3].toEntry(), storedA, rows[1].toEntry()}));
        QCOMPARE(f.savedCodes, QStringList{"A"});

        QCOMPARE(valueOf(f.store->restoreMissing(rows)), (UserIPOStore::RestoreCounts{0, 4}));
        QCOMPARE(valueOf(f.store->restoreMissing({})), (UserIPOStore::RestoreCounts{0, 0}));
        QCOMPARE(f.commits, 2);
        // Only another program (or an older release) leaves methods other than 0 and 1: cash.
        QCOMPARE(UserIPOBackupRow::fromEntry({"A", 1, 0, 2, {}, {}, {}}).subMethod,
                 SubMethod::cash);
        QCOMPARE(UserIPOBackupRow::fromEntry({"A", 1, 0, -1, {}, {}, {}}).subMethod,
                 SubMethod::cash);
        QCOMPARE(UserIPOBackupRow::fromEntry({"A", 1, 0, 1, {}, {}, {}}).subMethod,
                 SubMethod::margin);
    }

    // A failed commit is rolled back at once: no later commit carries it along.
    void failedCommitLeavesTheStoreAsItWas() {
        const std::function<UserIPOStore::Result(UserIPOStore &)> operations[] = {
            [](UserIPOStore &store) { return store.saveEntry("NEW", 1, 1, SubMethod::cash); },
            [](UserIPOStore &store) { return store.saveEntry("A", 999, 999, SubMethod::cash); },
            [](UserIPOStore &store) { return store.deleteEntry("A"); },
            [](UserIPOStore &store) -> UserIPOStore::Result {
                const auto restored =
                    store.restoreMissing({row("NEW", 1, 1, SubMethod::cash, utc(2024, 1, 1))});
                return restored ? UserIPOStore::Result(std::monostate()) : restored.error();
            }};
        for (const auto &operation : operations) {
            Fixture f;
            QVERIFY(f.open());
            QVERIFY(f.store->saveEntry("A", 100, 10, SubMethod::margin));
            f.clock.advance(1000);
            const QList<UserIPOEntry> before = f.store->fetchAllEntries();
            f.failing = true;
            QCOMPARE(errorOf(operation(*f.store)), "disk full (injected)");
            QCOMPARE(f.store->fetchAllEntries(), before);
            QCOMPARE(f.savedCodes, QStringList{"A"});

            f.failing = false;
            f.clock.advance(1000);
            QVERIFY(f.store->saveEntry("OTHER", 5, 5, SubMethod::cash));
            QList<UserIPOEntry> expected = before;
            expected.prepend(UserIPOEntry{"OTHER", 5, 5, 0, f.clock.now(), {}, {}});
            QCOMPARE(f.store->fetchAllEntries(), expected);
            QVERIFY(f.open()); // and so it is on disk
            QCOMPARE(f.store->fetchAllEntries(), expected);
        }
    }

    // The application answers from its own copy; the command-line listing reads the file. After
    // every kind of write, failed ones included, both agree, and the reader never writes.
    void readOnlyStoreSeesWhatTheWriterCommitted() {
        Fixture f;
        QVERIFY(f.open());
        UserIPOStore::Options readOnly = f.options();
        readOnly.readOnly = true;
        auto opened = UserIPOStore::open(readOnly);
        QVERIFY(opened);
        UserIPOStore *reader = opened->get();
        const auto sameAsFile = [&] {
            return reader->fetchAllEntries() == f.store->fetchAllEntries();
        };

        QVERIFY(f.store->saveEntry("A", 100, 0, SubMethod::cash));
        QVERIFY(sameAsFile());
        f.clock.advance(1);
        QVERIFY(f.store->restoreMissing({
            row("B", 2, 1, SubMethod::margin, utc(2024, 2, 2, 1, 2, 3, 456)),
            row("A", 9, 9, SubMethod::margin, utc(2024, 1, 1)),
            row("B", 7, 7, SubMethod::cash, utc(2024, 3, 3)),
        }));
        QVERIFY(sameAsFile());
        f.failing = true;
        QVERIFY(!f.store->saveEntry("A", 5, 5, SubMethod::margin));
        QVERIFY(!f.store->deleteEntry("B"));
        QVERIFY(!f.store->restoreMissing({row("C", 1, 1, SubMethod::cash, utc(2024, 1, 1))}));
        QVERIFY(sameAsFile());
        f.failing = false;
        QVERIFY(f.store->deleteEntry("A"));
        QVERIFY(sameAsFile());
        QCOMPARE(reader->fetchAllEntries().size(), 1);

        const QString refusal = f.path() + " is open for reading only";
        QCOMPARE(errorOf(reader->saveEntry("Z", 1, 1, SubMethod::cash)), refusal);
        QCOMPARE(errorOf(reader->deleteEntry("B")), refusal);
        QVERIFY(sameAsFile());
        QCOMPARE(f.commits, 6);

        // Before ORVEL ever ran there is nothing to read, and reading creates nothing.
        readOnly.filePath = f.folder.filePath("never-written.sqlite");
        opened = UserIPOStore::open(readOnly);
        QVERIFY(opened && (*opened)->entriesByCode().isEmpty());
        QVERIFY(!QFile::exists(readOnly.filePath));
    }

    // Opening fails with a description and changes nothing under the folder: the file may be the
    // only copy of the user's figures. (Files that are no usable store: the fatal store test.)
    void unusableStoreIsLeftAlone_data() {
        QTest::addColumn<BadStore>("kind");
        QTest::newRow("folder in place of the file") << BadStore::folderInPlace;
        QTest::newRow("read-only folder with a store") << BadStore::readOnlyFolder;
        QTest::newRow("read-only file") << BadStore::readOnlyFile;
    }
    void unusableStoreIsLeftAlone() {
        QFETCH(BadStore, kind);
        Fixture f;
        const QString folder = QFileInfo(f.path()).path();
        QVERIFY(QDir().mkpath(folder));
        if (kind == BadStore::folderInPlace) {
            QVERIFY(QDir().mkpath(f.path() + "/inside"));
        } else {
            QVERIFY(f.open() && f.store->saveEntry("00700", 2000, 500, SubMethod::margin));
            f.store.reset();
            QFile::setPermissions(f.path(), QFile::ReadOwner | QFile::ReadOther);
            // A read-only file in a folder anyone may write to, or a read-only folder.
            const auto readOnly =
                QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther;
            QFile::setPermissions(folder, kind == BadStore::readOnlyFolder
                                              ? readOnly
                                              : readOnly | QFile::WriteOwner | QFile::WriteOther);
        }
        // Root passes every permission check: a root run opens as "nobody" (this thread only).
        QFile::setPermissions(f.folder.path(),
                              QFile::permissions(f.folder.path()) | QFile::ExeOther);
        const QMap<QString, QByteArray> before = folderSnapshot(folder);
        const uid_t previous = ::geteuid() == 0 ? uid_t(::setfsuid(65534)) : ::geteuid();
        auto opened = UserIPOStore::open(f.options());
        ::setfsuid(previous);
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(!opened && !opened.error().isEmpty());
        // SQLite may leave its shared-memory and journal files beside a file it could only read.
        QMap<QString, QByteArray> after = folderSnapshot(folder);
        after.remove(f.path() + "-wal");
        after.remove(f.path() + "-shm");
        QCOMPARE(after, before);
    }
};

ORVEL_TEST_CLASS(UserIPOStoreTest);

#include "UserIPOStoreTest.moc"
