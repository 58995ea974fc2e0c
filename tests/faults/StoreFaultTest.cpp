#include "FakeServiceClient.h"
#include "TestFolder.h"
#include "TestRegistry.h"

#include "repository/IPORepository.h"
#include "store/UserIPOStore.h"
#include "ui/main_window/MainTableModel.h"
#include "ui/main_window/MainWindowView.h"
#include "ui/main_window/QuantityField.h"
#include "ui/main_window/RecordDetailPanel.h"
#include "ui/main_window/SaveRecordButton.h"

#include <QLineEdit>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>

#include <memory>

// A store that cannot take another write: SQLite's page limit set to the pages the file already
// has (what a full disk looks like to SQLite: "database or disk is full"), or a commit that the
// file system refuses. A save from the detail panel fails visibly, and every entry that was
// stored before is still there, in the open store and in the file read afresh.

namespace {

const QStringList listedCodes = {QStringLiteral("90001"), QStringLiteral("90002"),
                                 QStringLiteral("90003")};
constexpr int storedCount = 200;

QList<RemoteIPO> listedIPOs() {
    QList<RemoteIPO> items;
    for (const QString &code : listedCodes) {
        RemoteIPO remote;
        remote.code = code;
        remote.name = QStringLiteral("示例") + code;
        remote.subStart = QStringLiteral("2025-07-08");
        remote.lotAmount = QStringLiteral("3,030");
        remote.priceRange = QStringLiteral("2.80-3.03");
        remote.status = IPOStatus::open;
        items.append(remote);
    }
    return items;
}

QList<UserIPOBackupRow> storedRows() {
    QList<UserIPOBackupRow> rows;
    const QDateTime base(QDate(2025, 6, 1), QTime(9, 0), Qt::UTC);
    for (int i = 0; i < storedCount; ++i)
        rows.append({QStringLiteral("1%1").arg(i, 4, 10, QLatin1Char('0')), 1000 + i, i % 3,
                     i % 2 ? SubMethod::margin : SubMethod::cash, base.addSecs(i * 60)});
    return rows;
}

// The store's own connection (same thread, same handle), found by its file.
QSqlDatabase connectionOf(const QString &path) {
    for (const QString &name : QSqlDatabase::connectionNames()) {
        QSqlDatabase database = QSqlDatabase::database(name, false);
        if (database.databaseName() == path)
            return database;
    }
    return {};
}

qint64 pragma(QSqlDatabase &database, const QString &statement) {
    QSqlQuery query(database);
    if (!query.exec(statement) || !query.next())
        return -1;
    return query.value(0).toLongLong();
}

} // namespace

class StoreFaultTest : public QObject {
    Q_OBJECT

private:
    // Caps the file at the pages it has, then writes entries that sort after every stored one
    // (newest, highest code) until SQLite refuses one: from then on the last page of each index
    // is full, and so is the next entry's place. Returns how many went in.
    static int fillToPageLimit(UserIPOStore &store, QSqlDatabase &database) {
        const qint64 pages = pragma(database, QStringLiteral("PRAGMA page_count"));
        if (pages <= 0 ||
            pragma(database, QStringLiteral("PRAGMA max_page_count = %1").arg(pages)) != pages)
            return -1;
        for (int i = 0; i < 5000; ++i) {
            const UserIPOStore::Result saved = store.saveEntry(
                QStringLiteral("5%1").arg(i, 4, 10, QLatin1Char('0')), 100, 0, SubMethod::cash);
            if (!saved)
                return saved.error().contains(QStringLiteral("full")) ? i : -1;
        }
        return -1;
    }

private slots:
    void fullStoreFailsSaveVisibly_data() {
        QTest::addColumn<bool>("pageLimit");
        QTest::addColumn<QStringList>("savedCodes");
        // At the page limit only a write that needs a new page fails: a new entry. A change to
        // a stored entry rewrites it in place and still goes in (as it would on a full disk).
        QTest::newRow("SQLite page limit reached")
            << true << QStringList{listedCodes.at(2), listedCodes.at(0)};
        QTest::newRow("commit refused by the file system")
            << false << QStringList{listedCodes.at(2), listedCodes.at(1)};
    }

    void fullStoreFailsSaveVisibly() {
        QFETCH(bool, pageLimit);
        QFETCH(QStringList, savedCodes);
        testsupport::TestFolder folder;
        QVERIFY(folder.isValid());
        const QString path = folder.filePath(QStringLiteral("user-entries.sqlite"));
        bool refuseCommits = false;
        UserIPOStore::Options options;
        options.filePath = path;
        options.persistChanges = [&refuseCommits](QSqlDatabase &database) -> UserIPOStore::Result {
            if (refuseCommits)
                return QStringLiteral("commit failed: disk I/O error");
            return UserIPOStore::commitChanges(database);
        };
        auto opened = UserIPOStore::open(options);
        QVERIFY2(opened, qPrintable(opened ? QString() : opened.error()));
        UserIPOStore &store = *opened.value();
        const auto restored = store.restoreMissing(storedRows());
        QVERIFY(restored && restored->inserted == storedCount);
        // One listed IPO already has the user's figures.
        QVERIFY(store.saveEntry(listedCodes.at(1), 3000, 1000, SubMethod::margin));

        QSqlDatabase database = connectionOf(path);
        QVERIFY(database.isValid());
        if (pageLimit)
            QVERIFY(fillToPageLimit(store, database) >= 0);
        else
            refuseCommits = true;
        const QList<UserIPOEntry> entriesBefore = store.fetchAllEntries();
        QVERIFY(entriesBefore.size() > storedCount);

        FakeServiceClient client;
        client.setItems(listedIPOs());
        IPORepository repository(client, store);
        MainWindowView view(repository, systemClock(), nullptr);
        view.setTimeFilter(TimeFilter::all);
        view.resize(1000, 600);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QTRY_COMPARE(repository.records().size(), listedCodes.size());
        const QList<IPORecord> recordsBefore = repository.records();

        for (const QString &code : savedCodes) {
            view.toggleSelection(code);
            RecordDetailPanel *panel = view.detailPanel();
            QVERIFY(panel);
            QCOMPARE(panel->record().ipo.code, code);
            panel->subscriptionField()->input()->clear();
            QTest::keyClicks(panel->subscriptionField()->input(), QStringLiteral("8000"));
            QTest::ignoreMessage(
                QtWarningMsg,
                QRegularExpression(pageLimit ? QStringLiteral("^\\[Store\\] Failed saving user "
                                                              "IPO entry: .*full")
                                             : QStringLiteral("^\\[Store\\] Failed saving user "
                                                              "IPO entry: .*disk I/O error")));
            QTest::mouseClick(panel->saveButton(), Qt::LeftButton);
            QVERIFY(panel->showsSaveFailure());
            QVERIFY(!panel->isSaved());
            QCOMPARE(panel->saveButton()->title(), QStringLiteral("保存失败"));
            QCOMPARE(panel->subQtyText(), QStringLiteral("8000"));
            QCOMPARE(store.fetchAllEntries(), entriesBefore);
            QCOMPARE(repository.records(), recordsBefore);
            view.toggleSelection(code);
        }

        // The file read afresh holds exactly what was stored before.
        UserIPOStore::Options reopen;
        reopen.filePath = path;
        auto again = UserIPOStore::open(reopen);
        QVERIFY2(again, qPrintable(again ? QString() : again.error()));
        QCOMPARE(again.value()->fetchAllEntries(), entriesBefore);
    }

    // A backup restored into a full store goes in whole or not at all.
    void restoreIntoFullStoreKeepsEntries() {
        testsupport::TestFolder folder;
        QVERIFY(folder.isValid());
        const QString path = folder.filePath(QStringLiteral("user-entries.sqlite"));
        UserIPOStore::Options options;
        options.filePath = path;
        auto opened = UserIPOStore::open(options);
        QVERIFY(opened);
        UserIPOStore &store = *opened.value();
        QVERIFY(store.restoreMissing(storedRows()));
        QSqlDatabase database = connectionOf(path);
        QVERIFY(fillToPageLimit(store, database) >= 0);
        const QList<UserIPOEntry> entriesBefore = store.fetchAllEntries();

        QList<UserIPOBackupRow> backup;
        for (int i = 0; i < 500; ++i)
            backup.append({QStringLiteral("7%1").arg(i, 4, 10, QLatin1Char('0')), 500, 0,
                           SubMethod::cash, QDateTime(QDate(2025, 7, 1), QTime(), Qt::UTC)});
        const auto counts = store.restoreMissing(backup);
        QVERIFY(!counts);
        QVERIFY2(counts.error().contains(QStringLiteral("full")), qPrintable(counts.error()));
        QCOMPARE(store.fetchAllEntries(), entriesBefore);
    }
};

ORVEL_TEST_CLASS(StoreFaultTest);
#include "StoreFaultTest.moc"
