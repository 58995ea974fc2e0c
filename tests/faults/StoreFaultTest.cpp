#include "FakeServiceClient.h"
#include "ResultAccess.h"
#include "TestFolder.h"
#include "TestRegistry.h"

#include "repository/IPORepository.h"
#include "store/UserIPOStore.h"
#include "ui/main_window/MainWindowView.h"
#include "ui/main_window/QuantityField.h"
#include "ui/main_window/RecordDetailPanel.h"
#include "ui/main_window/SaveRecordButton.h"

#include <QLineEdit>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QTest>

// A store at SQLite's page limit (a full disk as SQLite sees it): a save from the detail panel
// fails visibly, a restored backup goes in whole or not at all, and every entry stored before is
// still there, in the open store and in the file.

using testsupport::errorOf;

namespace {

// Caps the store's connection at the file's pages, then saves entries until SQLite refuses: then
// the last page of each index, the next entry's place, is full.
bool fillToPageLimit(UserIPOStore &store, const QString &path) {
    for (const QString &name : QSqlDatabase::connectionNames()) {
        QSqlQuery query(QSqlDatabase::database(name, false));
        if (QSqlDatabase::database(name, false).databaseName() != path ||
            !query.exec("PRAGMA page_count") || !query.next() ||
            !query.exec("PRAGMA max_page_count = " + query.value(0).toString()))
            continue;
        for (int i = 0; i < 5000; ++i) {
            const auto saved = store.saveEntry(QString::number(50000 + i), 100, 0, SubMethod::cash);
            if (!saved)
                return saved.error().contains("full");
        }
    }
    return false;
}

} // namespace

class StoreFaultTest : public QObject {
    Q_OBJECT

private slots:
    // A commit the file system refuses fails the same way: UserIPOStoreTest's failed commits.
    void fullStoreFailsSaveVisibly() {
        testsupport::TestFolder folder;
        const QString path = folder.filePath("user-entries.sqlite");
        auto opened = UserIPOStore::open({.filePath = path});
        QVERIFY(opened);
        UserIPOStore &store = *opened.value();
        QList<UserIPOBackupRow> rows;
        for (int i = 0; i < 200; ++i)
            rows.append({QString::number(10000 + i),
                         1000 + i,
                         i % 3,
                         SubMethod(i % 2),
                         QDateTime(QDate(2025, 6, 1), QTime(9, i % 60), Qt::UTC),
                         {},
                         {}});
        QVERIFY(fillToPageLimit(store, path));
        const QList<UserIPOEntry> entriesBefore = store.fetchAllEntries();

        FakeServiceClient client;
        QList<RemoteIPO> listed;
        for (const char *code : {"90001", "90003"})
            listed.append({code, {}, {}, {}, {}, "3,030", {}, {}, IPOStatus::open, {}});
        client.setItems(listed);
        IPORepository repository(client, store);
        MainWindowView view(repository, systemClock(), nullptr);
        view.setTimeFilter(TimeFilter::all);
        view.resize(1000, 600);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QTRY_COMPARE(repository.records().size(), 2);
        const QList<IPORecord> recordsBefore = repository.records();

        for (const char *code : {"90003", "90001"}) {
            view.toggleSelection(code);
            RecordDetailPanel *panel = view.detailPanel();
            QVERIFY(panel);
            panel->subscriptionField()->input()->clear();
            QTest::keyClicks(panel->subscriptionField()->input(), "8000");
            QTest::ignoreMessage(
                QtWarningMsg,
                QRegularExpression("^\\[Store\\] Failed saving user IPO entry: .*full"));
            QTest::mouseClick(panel->saveButton(), Qt::LeftButton);
            QVERIFY(panel->showsSaveFailure() && !panel->isSaved());
            QCOMPARE(panel->subQtyText(), "8000");
            QCOMPARE(store.fetchAllEntries(), entriesBefore);
            QCOMPARE(repository.records(), recordsBefore);
            view.toggleSelection(code);
        }

        for (UserIPOBackupRow &row : rows)
            row.code.prepend(u'7');
        QVERIFY(errorOf(store.restoreMissing(rows)).contains("full"));
        QCOMPARE(store.fetchAllEntries(), entriesBefore);
        // The file read afresh holds exactly what was stored before.
        auto again = UserIPOStore::open({.filePath = path});
        QVERIFY(again);
        QCOMPARE((*again)->fetchAllEntries(), entriesBefore);
    }
};

ORVEL_TEST_CLASS(StoreFaultTest);
#include "StoreFaultTest.moc"
