#include "ManualClock.h"
#include "StoreTestSupport.h"
#include "TestFolder.h"
#include "TestRegistry.h"

#include "store/UserIPOStore.h"

#include <QTest>

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

enum class FailingOperation { insert, update, remove, restore };

} // namespace

Q_DECLARE_METATYPE(FailingOperation)

class UserIPOStoreTest : public QObject {
    Q_OBJECT

private slots:
    void saveUpdatesInPlaceAndDeleteCommitsOnlyARemoval() {
        Fixture f;
        QVERIFY(f.open());
        QVERIFY(f.store->saveEntry(QStringLiteral("00700"), 2000, 0, SubMethod::cash));
        f.clock.advance(1500);
        QVERIFY(f.store->saveEntry(QStringLiteral("00700"), 4000, 500, SubMethod::margin));
        const UserIPOEntry saved{QStringLiteral("00700"), 4000, 500, 1, f.clock.now()};
        QCOMPARE(f.store->fetchAllEntries(), QList<UserIPOEntry>{saved});
        QCOMPARE(f.tracker.savedCodes, QStringList(2, QStringLiteral("00700")));

        // Codes match exactly: "0700" is another company.
        QVERIFY(f.store->deleteEntry(QStringLiteral("0700")));
        QCOMPARE(f.commits.calls, 2);
        QCOMPARE(f.store->fetchAllEntries().size(), 1);
        QVERIFY(f.store->deleteEntry(QStringLiteral("00700")));
        QCOMPARE(f.commits.calls, 3);
        QVERIFY(f.store->fetchAllEntries().isEmpty());
        QCOMPARE(f.tracker.savedCodes.size(), 2); // deleting is not a save
    }

    // Restoring adds codes the store lacks (the first row of a code wins) with the rows' own
    // instants, in one commit, and sends no usage event: it is not the user saving.
    void restoreInsertsOnlyMissingCodes() {
        Fixture f;
        QVERIFY(f.open());
        QVERIFY(f.store->saveEntry(QStringLiteral("A"), 100, 0, SubMethod::cash));
        const UserIPOEntry storedA = f.store->fetchAllEntries().first();
        const QList<UserIPOBackupRow> rows = {
            row(QStringLiteral("A"), 9, 9, SubMethod::margin, utc(2024, 1, 1)),
            row(QStringLiteral("B"), 200, 100, SubMethod::margin, utc(2024, 2, 2, 1, 2, 3, 456)),
            row(QStringLiteral("B"), 7, 7, SubMethod::cash, utc(2025, 3, 3)),
            row(QStringLiteral("C"), 1, 0, SubMethod::cash, utc(2026, 1, 1, 0, 0, 0, 999)),
        };
        const auto counts = f.store->restoreMissing(rows);
        QVERIFY(counts);
        QCOMPARE(*counts, (UserIPOStore::RestoreCounts{2, 2}));
        QCOMPARE(f.commits.calls, 2);
        QCOMPARE(f.store->fetchAllEntries(),
                 (QList<UserIPOEntry>{rows[3].toEntry(), storedA, rows[1].toEntry()}));
        QCOMPARE(f.tracker.savedCodes, QStringList{QStringLiteral("A")});
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
        QList<UserIPOBackupRow> rows;
        if (!emptyList)
            rows = {row(QStringLiteral("A"), 5, 5, SubMethod::margin, utc(2020, 1, 1))};
        const auto counts = f.store->restoreMissing(rows);
        QVERIFY(counts);
        QCOMPARE(*counts, (UserIPOStore::RestoreCounts{0, rows.size()}));
        QCOMPARE(f.commits.calls, 1);
    }

    // Only another program (or an older release) can leave method values other than 0 and 1;
    // they read as cash.
    void storedMethodValuesReadAsCashUnlessOne() {
        const auto methodOf = [](qint64 stored) {
            return UserIPOBackupRow::fromEntry({QStringLiteral("A"), 1, 0, stored, {}}).subMethod;
        };
        QCOMPARE(methodOf(2), SubMethod::cash);
        QCOMPARE(methodOf(-1), SubMethod::cash);
        QCOMPARE(methodOf(1), SubMethod::margin);
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
};

ORVEL_TEST_CLASS(UserIPOStoreTest);

#include "UserIPOStoreTest.moc"
