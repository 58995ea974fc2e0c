#include "ManualClock.h"
#include "StoreTestSupport.h"
#include "TestFolder.h"
#include "TestRegistry.h"

#include "repository/RecordMerge.h"
#include "service/RemoteIPO.h"
#include "store/UserIPOStore.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QTest>

#include <limits>

using namespace storetest;

namespace {

// One store with its collaborators, on a file of its own.
struct Fixture {
    testsupport::TestFolder folder;
    testsupport::ManualClock clock{utc(2025, 3, 4, 5, 6, 7, 890)};
    FakeAnalyticsTracker tracker;
    CommitSwitch commits;
    std::unique_ptr<UserIPOStore> store;

    QString path() const { return folder.filePath(QStringLiteral("entries.sqlite")); }

    UserIPOStore::Options options() {
        UserIPOStore::Options options;
        options.filePath = path();
        options.analyticsTracker = &tracker;
        options.persistChanges = commits.function();
        options.clock = clock.clock();
        return options;
    }

    bool open() {
        store.reset();
        auto opened = UserIPOStore::open(options());
        if (!opened) {
            qWarning("%s", qUtf8Printable(opened.error()));
            return false;
        }
        store = std::move(opened.value());
        return true;
    }
};

UserIPOBackupRow row(const QString &code, qint64 sub, qint64 win, SubMethod method,
                     const QDateTime &at) {
    return UserIPOBackupRow{code, sub, win, method, at};
}

// Runs SQL against the store file on a connection of the test's own, as another program would.
bool execOnFile(const QString &path, const QString &sql, QString *error = nullptr) {
    const QString name = QStringLiteral("store-test-raw");
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        if (db.open()) {
            QSqlQuery query(db);
            ok = query.exec(sql);
            if (!ok && error)
                *error = query.lastError().text();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}

RemoteIPO remoteFor(const QString &code) {
    RemoteIPO remote;
    remote.code = code;
    remote.name = QStringLiteral("示例");
    remote.lotAmount = QStringLiteral("3,030");
    remote.priceRange = QStringLiteral("2.80-3.03");
    remote.status = IPOStatus::open;
    return remote;
}

enum class FailingOperation { insert, update, remove, restore };

} // namespace

Q_DECLARE_METATYPE(FailingOperation)

class UserIPOStoreTest : public QObject {
    Q_OBJECT

private slots:
    void saveInsertsThenUpdatesTheSameEntry() {
        Fixture f;
        QVERIFY(f.open());
        QVERIFY(f.store->saveEntry(QStringLiteral("00700"), 2000, 0, SubMethod::cash));
        const QDateTime firstSave = f.clock.now();
        f.clock.advance(1500);
        QVERIFY(f.store->saveEntry(QStringLiteral("00700"), 4000, 500, SubMethod::margin));

        const QList<UserIPOEntry> entries = f.store->fetchAllEntries();
        QCOMPARE(entries.size(), 1);
        QCOMPARE(entries.first(),
                 (UserIPOEntry{QStringLiteral("00700"), 4000, 500, 1, f.clock.now()}));
        QVERIFY(entries.first().updatedAt > firstSave);
        QCOMPARE(f.commits.calls, 2);
        QCOMPARE(f.tracker.savedCodes,
                 QStringList({QStringLiteral("00700"), QStringLiteral("00700")}));
    }

    void codesMatchExactly_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("other");
        QTest::newRow("leading zero") << "00700"
                                      << "0700";
        QTest::newRow("letter case") << "abc1"
                                     << "ABC1";
        QTest::newRow("trailing space") << "00700"
                                        << "00700 ";
        QTest::newRow("leading space") << "00700"
                                       << " 00700";
        QTest::newRow("full-width digits") << "00700"
                                           << "００７００";
    }
    void codesMatchExactly() {
        QFETCH(QString, stored);
        QFETCH(QString, other);
        Fixture f;
        QVERIFY(f.open());
        QVERIFY(f.store->saveEntry(stored, 1000, 0, SubMethod::cash));
        f.clock.advance(10);
        QVERIFY(f.store->saveEntry(other, 3000, 0, SubMethod::margin));

        const QHash<QString, UserIPOEntry> byCode = f.store->entriesByCode();
        QCOMPARE(byCode.size(), 2);
        QCOMPARE(byCode.value(stored).subQuantity, 1000);
        QCOMPARE(byCode.value(other).subQuantity, 3000);

        QVERIFY(f.store->deleteEntry(other));
        QCOMPARE(f.store->entriesByCode().keys(), QList<QString>{stored});
    }

    void fetchAllEntriesIsNewestFirst() {
        Fixture f;
        QVERIFY(f.open());
        for (const QString &code :
             {QStringLiteral("B"), QStringLiteral("A"), QStringLiteral("C")}) {
            QVERIFY(f.store->saveEntry(code, 1, 1, SubMethod::cash));
            f.clock.advance(1);
        }
        QVERIFY(f.store->saveEntry(QStringLiteral("B"), 2, 2, SubMethod::cash));
        QStringList order;
        for (const UserIPOEntry &entry : f.store->fetchAllEntries())
            order.append(entry.code);
        QCOMPARE(order, QStringList({"B", "C", "A"}));
    }

    void deletingAnUnknownCodeCommitsNothing() {
        Fixture f;
        QVERIFY(f.open());
        QVERIFY(f.store->saveEntry(QStringLiteral("00700"), 2000, 0, SubMethod::cash));
        const QList<UserIPOEntry> before = f.store->fetchAllEntries();
        const int commitsBefore = f.commits.calls;

        QVERIFY(f.store->deleteEntry(QStringLiteral("00701")));
        QVERIFY(f.store->deleteEntry(QStringLiteral("0700")));
        QCOMPARE(f.commits.calls, commitsBefore);
        QCOMPARE(f.store->fetchAllEntries(), before);

        QVERIFY(f.store->deleteEntry(QStringLiteral("00700")));
        QCOMPARE(f.commits.calls, commitsBefore + 1);
        QVERIFY(f.store->fetchAllEntries().isEmpty());
        // Deleting is not a save: no usage event.
        QCOMPARE(f.tracker.savedCodes.size(), 1);
    }

    void restoreInsertsOnlyMissingCodes() {
        Fixture f;
        QVERIFY(f.open());
        QVERIFY(f.store->saveEntry(QStringLiteral("A"), 100, 0, SubMethod::cash));
        const UserIPOEntry storedA = f.store->fetchAllEntries().first();
        const int commitsBefore = f.commits.calls;

        const QList<UserIPOBackupRow> rows = {
            row(QStringLiteral("A"), 9, 9, SubMethod::margin, utc(2024, 1, 1)),
            row(QStringLiteral("B"), 200, 100, SubMethod::margin, utc(2024, 2, 2, 1, 2, 3, 456)),
            row(QStringLiteral("A"), 8, 8, SubMethod::margin, utc(2024, 3, 3)),
        };
        const auto counts = f.store->restoreMissing(rows);
        QVERIFY(counts);
        QCOMPARE(*counts, (UserIPOStore::RestoreCounts{1, 2}));
        QCOMPARE(f.commits.calls, commitsBefore + 1);

        const QHash<QString, UserIPOEntry> byCode = f.store->entriesByCode();
        QCOMPARE(byCode.value(QStringLiteral("A")), storedA);
        QCOMPARE(byCode.value(QStringLiteral("B")), rows[1].toEntry());
        // Restoring is not the user saving: no usage event.
        QCOMPARE(f.tracker.savedCodes, QStringList{QStringLiteral("A")});
    }

    void restoreKeepsDuplicateCodesFirstOccurrence() {
        Fixture f;
        QVERIFY(f.open());
        const QList<UserIPOBackupRow> rows = {
            row(QStringLiteral("C"), 1, 0, SubMethod::cash, utc(2024, 1, 1)),
            row(QStringLiteral("C"), 2, 0, SubMethod::margin, utc(2025, 1, 1)),
        };
        const auto counts = f.store->restoreMissing(rows);
        QVERIFY(counts);
        QCOMPARE(*counts, (UserIPOStore::RestoreCounts{1, 1}));
        QCOMPARE(f.store->fetchAllEntries(), QList<UserIPOEntry>{rows[0].toEntry()});
    }

    void restoreWithNothingToInsertCommitsNothing_data() {
        QTest::addColumn<bool>("emptyList");
        QTest::newRow("empty list") << true;
        QTest::newRow("every code stored") << false;
    }
    void restoreWithNothingToInsertCommitsNothing() {
        QFETCH(bool, emptyList);
        Fixture f;
        QVERIFY(f.open());
        QVERIFY(f.store->saveEntry(QStringLiteral("A"), 1, 0, SubMethod::cash));
        const int commitsBefore = f.commits.calls;
        QList<UserIPOBackupRow> rows;
        if (!emptyList)
            rows = {row(QStringLiteral("A"), 5, 5, SubMethod::margin, utc(2020, 1, 1))};
        const auto counts = f.store->restoreMissing(rows);
        QVERIFY(counts);
        QCOMPARE(*counts, (UserIPOStore::RestoreCounts{0, rows.size()}));
        QCOMPARE(f.commits.calls, commitsBefore);
    }

    void restoredEntriesSortByTheirOwnUpdatedAt() {
        Fixture f;
        QVERIFY(f.open());
        f.clock.set(utc(2025, 6, 1));
        QVERIFY(f.store->saveEntry(QStringLiteral("NOW"), 1, 0, SubMethod::cash));
        const auto counts = f.store->restoreMissing({
            row(QStringLiteral("OLD"), 1, 0, SubMethod::cash, utc(2023, 1, 1, 0, 0, 0, 1)),
            row(QStringLiteral("NEWER"), 1, 0, SubMethod::cash, utc(2026, 1, 1, 0, 0, 0, 999)),
            row(QStringLiteral("MID"), 1, 0, SubMethod::cash, utc(2024, 7, 7, 7, 7, 7, 7)),
        });
        QVERIFY(counts);
        QStringList order;
        QList<QDateTime> instants;
        for (const UserIPOEntry &entry : f.store->fetchAllEntries()) {
            order.append(entry.code);
            instants.append(entry.updatedAt);
        }
        QCOMPARE(order, QStringList({"NEWER", "NOW", "MID", "OLD"}));
        QCOMPARE(instants.first(), utc(2026, 1, 1, 0, 0, 0, 999));
        QCOMPARE(instants.last(), utc(2023, 1, 1, 0, 0, 0, 1));
    }

    void exportRowsAreInBackupOrder() {
        Fixture f;
        QVERIFY(f.open());
        for (const QString &code :
             {QStringLiteral("09988"), QStringLiteral("00700"), QStringLiteral("02590")}) {
            QVERIFY(f.store->saveEntry(code, 100, 0, SubMethod::margin));
            f.clock.advance(1);
        }
        QStringList codes;
        for (const UserIPOBackupRow &r : f.store->exportRows())
            codes.append(r.code);
        QCOMPARE(codes, QStringList({"00700", "02590", "09988"}));
    }

    // Only another program (or an older release) can leave method values other than 0 and 1;
    // they read as cash in the export and in the merged record alike.
    void storedMethodValuesReadAsCashUnlessOne_data() {
        QTest::addColumn<qint64>("stored");
        QTest::addColumn<SubMethod>("expected");
        QTest::newRow("7") << qint64(7) << SubMethod::cash;
        QTest::newRow("2") << qint64(2) << SubMethod::cash;
        QTest::newRow("-1") << qint64(-1) << SubMethod::cash;
        QTest::newRow("0") << qint64(0) << SubMethod::cash;
        QTest::newRow("1") << qint64(1) << SubMethod::margin;
    }
    void storedMethodValuesReadAsCashUnlessOne() {
        QFETCH(qint64, stored);
        QFETCH(SubMethod, expected);
        Fixture f;
        QVERIFY(f.open());
        QVERIFY(f.store->saveEntry(QStringLiteral("02590"), 2500, 1000, SubMethod::cash));
        f.store.reset();
        QString error;
        QVERIFY2(
            execOnFile(
                f.path(),
                QStringLiteral("UPDATE user_ipo_entry SET sub_method_raw_value = %1").arg(stored),
                &error),
            qPrintable(error));
        QVERIFY(f.open());

        QCOMPARE(f.store->fetchAllEntries().first().subMethodRawValue, stored);
        QCOMPARE(f.store->exportRows().first().subMethod, expected);
        const IPORecord record =
            makeRecord(remoteFor(QStringLiteral("02590")), f.store->entriesByCode());
        QCOMPARE(record.subMethod, expected);
    }

    void entriesByCodeFeedsMakeRecord() {
        Fixture f;
        QVERIFY(f.open());
        QVERIFY(f.store->saveEntry(QStringLiteral("02590"), 2500, 1000, SubMethod::margin));
        const QHash<QString, UserIPOEntry> byCode = f.store->entriesByCode();

        const IPORecord stored = makeRecord(remoteFor(QStringLiteral("02590")), byCode);
        QCOMPARE(stored.subQuantity, 2500);
        QCOMPARE(stored.winQuantity, 1000);
        QCOMPARE(stored.subMethod, SubMethod::margin);
        QCOMPARE(stored.subscribedLots(), 2);

        const IPORecord other = makeRecord(remoteFor(QStringLiteral("2590")), byCode);
        QCOMPARE(other.subQuantity, 0);
        QCOMPARE(other.winQuantity, 0);
        QCOMPARE(other.subMethod, SubMethod::cash);
    }

    // A failed commit is rolled back at once: nothing of it shows, and the next successful
    // commit of another code does not carry it along.
    void failedCommitLeavesTheStoreAsItWas_data() {
        QTest::addColumn<FailingOperation>("operation");
        QTest::newRow("insert") << FailingOperation::insert;
        QTest::newRow("update") << FailingOperation::update;
        QTest::newRow("delete") << FailingOperation::remove;
        QTest::newRow("restore") << FailingOperation::restore;
    }
    void failedCommitLeavesTheStoreAsItWas() {
        QFETCH(FailingOperation, operation);
        Fixture f;
        QVERIFY(f.open());
        QVERIFY(f.store->saveEntry(QStringLiteral("A"), 100, 10, SubMethod::margin));
        f.clock.advance(1000);
        const QList<UserIPOEntry> before = f.store->fetchAllEntries();
        const QStringList eventsBefore = f.tracker.savedCodes;

        f.commits.failing = true;
        QString error;
        switch (operation) {
        case FailingOperation::insert:
            error = f.store->saveEntry(QStringLiteral("NEW"), 1, 1, SubMethod::cash).error();
            break;
        case FailingOperation::update:
            error = f.store->saveEntry(QStringLiteral("A"), 999, 999, SubMethod::cash).error();
            break;
        case FailingOperation::remove:
            error = f.store->deleteEntry(QStringLiteral("A")).error();
            break;
        case FailingOperation::restore:
            error = f.store
                        ->restoreMissing(
                            {row(QStringLiteral("NEW"), 1, 1, SubMethod::cash, utc(2024, 1, 1))})
                        .error();
            break;
        }
        QCOMPARE(error, QStringLiteral("disk full (injected)"));
        QCOMPARE(f.store->fetchAllEntries(), before);
        QCOMPARE(f.tracker.savedCodes, eventsBefore);

        f.commits.failing = false;
        f.clock.advance(1000);
        QVERIFY(f.store->saveEntry(QStringLiteral("OTHER"), 5, 5, SubMethod::cash));
        QList<UserIPOEntry> expected = before;
        expected.prepend(UserIPOEntry{QStringLiteral("OTHER"), 5, 5, 0, f.clock.now()});
        QCOMPARE(f.store->fetchAllEntries(), expected);

        // And so it is on disk.
        QVERIFY(f.open());
        QCOMPARE(f.store->fetchAllEntries(), expected);
    }

    // The application answers from its own copy of the entries; a second process (the
    // command-line listing) reads the file. After every kind of write, failed ones included,
    // both show the same entries, and the second process never writes.
    void readOnlyStoreSeesWhatTheWriterCommitted() {
        Fixture f;
        QVERIFY(f.open());
        UserIPOStore::Options readOnly = f.options();
        readOnly.readOnly = true;
        auto reader = UserIPOStore::open(readOnly);
        QVERIFY2(reader, qPrintable(failureText(reader)));
        const auto sameAsFile = [&] {
            return (*reader)->fetchAllEntries() == f.store->fetchAllEntries();
        };

        QVERIFY(f.store->saveEntry(QStringLiteral("A"), 100, 0, SubMethod::cash));
        QVERIFY(sameAsFile());
        f.clock.advance(1);
        QVERIFY(f.store->restoreMissing({
            row(QStringLiteral("B"), 2, 1, SubMethod::margin, utc(2024, 2, 2, 1, 2, 3, 456)),
            row(QStringLiteral("A"), 9, 9, SubMethod::margin, utc(2024, 1, 1)),
            row(QStringLiteral("B"), 7, 7, SubMethod::cash, utc(2024, 3, 3)),
        }));
        QVERIFY(sameAsFile());
        f.commits.failing = true;
        QVERIFY(!f.store->saveEntry(QStringLiteral("A"), 5, 5, SubMethod::margin));
        QVERIFY(!f.store->deleteEntry(QStringLiteral("B")));
        QVERIFY(!f.store->restoreMissing(
            {row(QStringLiteral("C"), 1, 1, SubMethod::cash, utc(2024, 1, 1))}));
        QVERIFY(sameAsFile());
        f.commits.failing = false;
        QVERIFY(f.store->deleteEntry(QStringLiteral("A")));
        QVERIFY(sameAsFile());
        QCOMPARE((*reader)->fetchAllEntries().size(), 1);

        const QString refusal = f.path() + QStringLiteral(" is open for reading only");
        QCOMPARE((*reader)->saveEntry(QStringLiteral("Z"), 1, 1, SubMethod::cash).error(), refusal);
        QCOMPARE((*reader)->deleteEntry(QStringLiteral("B")).error(), refusal);
        QVERIFY(sameAsFile());
        QCOMPARE(f.commits.calls, 6);

        // Before ORVEL ever ran there is nothing to read, and reading creates nothing.
        readOnly.filePath = f.folder.filePath(QStringLiteral("never-written.sqlite"));
        auto empty = UserIPOStore::open(readOnly);
        QVERIFY2(empty, qPrintable(failureText(empty)));
        QVERIFY((*empty)->entriesByCode().isEmpty());
        QVERIFY(!QFile::exists(readOnly.filePath));
    }

    void failedSaveSendsNoEvent() {
        Fixture f;
        QVERIFY(f.open());
        f.commits.failing = true;
        QVERIFY(!f.store->saveEntry(QStringLiteral("A"), 1, 1, SubMethod::cash));
        QVERIFY(f.tracker.savedCodes.isEmpty());
        f.commits.failing = false;
        QVERIFY(f.store->saveEntry(QStringLiteral("A"), 1, 1, SubMethod::cash));
        QCOMPARE(f.tracker.savedCodes, QStringList{QStringLiteral("A")});
    }

    void trackerCanBeHandedOverLater() {
        Fixture f;
        auto options = f.options();
        options.analyticsTracker = nullptr;
        auto opened = UserIPOStore::open(options);
        QVERIFY2(opened, qPrintable(failureText(opened)));
        UserIPOStore &store = *opened.value();
        QVERIFY(store.saveEntry(QStringLiteral("A"), 1, 1, SubMethod::cash));
        store.setAnalyticsTracker(&f.tracker);
        QVERIFY(store.saveEntry(QStringLiteral("B"), 1, 1, SubMethod::cash));
        QCOMPARE(f.tracker.savedCodes, QStringList{QStringLiteral("B")});
    }

    void entriesSurviveReopeningWithExactValues() {
        Fixture f;
        QVERIFY(f.open());
        const qint64 min = std::numeric_limits<qint64>::min();
        const qint64 max = std::numeric_limits<qint64>::max();
        f.clock.set(utc(2025, 3, 4, 5, 6, 7, 891));
        QVERIFY(f.store->saveEntry(QStringLiteral("極端,\"值\"\n"), min, max, SubMethod::margin));
        f.clock.set(QDateTime::fromMSecsSinceEpoch(-1, Qt::UTC));
        QVERIFY(f.store->saveEntry(QStringLiteral("before-epoch"), -1, 0, SubMethod::cash));
        const QList<UserIPOEntry> before = f.store->fetchAllEntries();

        QVERIFY(f.open());
        QCOMPARE(f.store->fetchAllEntries(), before);
        QCOMPARE(before.first().subQuantity, min);
        QCOMPARE(before.first().updatedAt.toMSecsSinceEpoch(),
                 utc(2025, 3, 4, 5, 6, 7, 891).toMSecsSinceEpoch());
    }

    void fileUsesWriteAheadJournalAndUniqueCodes() {
        Fixture f;
        QVERIFY(f.open());
        QVERIFY(f.store->saveEntry(QStringLiteral("A"), 1, 1, SubMethod::cash));

        const QString name = QStringLiteral("store-test-inspect");
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
            db.setDatabaseName(f.path());
            QVERIFY(db.open());
            QSqlQuery query(db);
            QVERIFY(query.exec(QStringLiteral("PRAGMA journal_mode")) && query.next());
            QCOMPARE(query.value(0).toString(), QStringLiteral("wal"));
            QVERIFY(
                query.exec(QStringLiteral("SELECT value FROM meta WHERE key = 'schema_version'")) &&
                query.next());
            QCOMPARE(query.value(0).toInt(), 1);
            QVERIFY(
                !query.exec(QStringLiteral("INSERT INTO user_ipo_entry VALUES ('A', 2, 2, 0, 0)")));
            query.finish();
            db.close();
        }
        QSqlDatabase::removeDatabase(name);
    }

    void storesSideBySideStayApart() {
        auto first = UserIPOStore::open({.inMemory = true});
        auto second = UserIPOStore::open({.inMemory = true});
        QVERIFY(first && second);
        QVERIFY((*first)->isInMemory());
        QVERIFY((*first)->saveEntry(QStringLiteral("A"), 1, 1, SubMethod::cash));
        QVERIFY((*second)->fetchAllEntries().isEmpty());
        QCOMPARE((*first)->fetchAllEntries().size(), 1);
    }
};

ORVEL_TEST_CLASS(UserIPOStoreTest);

#include "UserIPOStoreTest.moc"
