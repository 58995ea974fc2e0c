#include "FakeServiceClient.h"
#include "MainWindowTestData.h"
#include "ManualClock.h"
#include "TestRegistry.h"

#include "reminders/WallClockMonitor.h"
#include "repository/IPORepository.h"
#include "store/UserIPOStore.h"
#include "ui/main_window/ClearRecordButton.h"
#include "ui/main_window/MainTableList.h"
#include "ui/main_window/MainTableModel.h"
#include "ui/main_window/MainWindowView.h"
#include "ui/main_window/QuantityField.h"
#include "ui/main_window/RecordDetailPanel.h"
#include "ui/main_window/SaveRecordButton.h"
#include "ui/main_window/SegmentedControl.h"
#include "ui/main_window/SettingsSheetPresenting.h"
#include "ui/main_window/ToolbarRefreshButton.h"
#include "ui/main_window/ToolbarSettingsButton.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <memory>

using namespace mainwindowtest;
using namespace Qt::StringLiterals;

namespace {

class CountingSettingsSheet : public SettingsSheetPresenting {
public:
    void presentSettingsSheet() override { ++presented; }
    int presented = 0;
};

const QString codeA = u"02513"_s;
const QString codeB = u"02100"_s;
const QString codeC = u"09988"_s;
const QString codeD = u"01234"_s;
const QString codeE = u"06666"_s;

// Wednesday 9 July 2025, 10:00 in the market: the week runs from 6 to 12 July.
QDateTime startTime() {
    return marketTime(2025, 7, 9, 10);
}

QList<RemoteIPO> serviceItems() {
    return {
        makeRemoteIPO(codeA, u"星河智能科技"_s, u"2025-07-08"_s),
        makeRemoteIPO(codeB, u"云启医疗集团"_s, u"2025-07-08"_s),
        makeRemoteIPO(codeC, u"华澜新能源"_s, u"2025-07-07"_s),
        makeRemoteIPO(codeD, u"顺安智慧物流"_s, u"2025-06-02"_s, IPOStatus::listed),
        makeRemoteIPO(codeE, u"瑞丰生物-B"_s, QString(), IPOStatus::upcoming),
    };
}

} // namespace

// The main window content over a real repository and store, with the service faked: what the
// user clicks and types, and what reaches the repository.
class MainWindowViewTest : public QObject {
    Q_OBJECT

private:
    testsupport::ManualClock m_clock{startTime()};
    std::unique_ptr<FakeServiceClient> m_client;
    std::unique_ptr<UserIPOStore> m_store;
    std::unique_ptr<IPORepository> m_repository;
    CountingSettingsSheet m_settingsSheet;
    std::unique_ptr<MainWindowView> m_view;
    bool m_failCommits = false;

    bool prepare() {
        m_clock.set(startTime());
        m_client = std::make_unique<FakeServiceClient>();
        m_client->setItems(serviceItems());
        m_failCommits = false;
        m_settingsSheet.presented = 0;
        UserIPOStore::Options options{.inMemory = true};
        options.persistChanges = [this](QSqlDatabase &database) -> UserIPOStore::Result {
            if (m_failCommits)
                return u"disk full (injected)"_s;
            return UserIPOStore::commitChanges(database);
        };
        auto opened = UserIPOStore::open(options);
        if (!opened)
            return false;
        m_store = std::move(opened.value());
        m_repository = std::make_unique<IPORepository>(*m_client, *m_store, m_clock.clock(), 45.0);
        return true;
    }

    // Shows the window and waits for the first refresh to publish the service's items.
    bool buildLoaded() {
        if (!prepare())
            return false;
        m_view = std::make_unique<MainWindowView>(*m_repository, m_clock.clock(), &m_settingsSheet);
        m_view->resize(1000, 600);
        m_view->show();
        return QTest::qWaitForWindowExposed(m_view.get()) &&
               QTest::qWaitFor([this] { return m_repository->records().size() == 5; });
    }

    void clickRow(const QString &code) {
        const int row = m_view->tableModel().rowOf(code);
        QVERIFY2(row >= 0, qPrintable(code));
        // The name column: well away from the prospectus link.
        const QRect item = m_view->tableList()->itemRect(row);
        QTest::mouseClick(m_view->tableList()->viewport(), Qt::LeftButton, {},
                          QPoint(item.left() + 120, item.center().y()));
    }

    void clickSegment(SegmentedControl *control, int index) {
        QTest::mouseClick(control, Qt::LeftButton, {}, control->segmentRect(index).center());
    }

    QStringList listedCodes() const { return codesOf(m_view->tableModel().listed()); }

    const IPORecord &row(const QString &code) const {
        return *m_view->tableModel().recordAt(m_view->tableModel().rowOf(code));
    }

private slots:
    void cleanup() {
        m_view.reset();
        m_repository.reset();
        m_store.reset();
        m_client.reset();
    }

    // No minute tick: the shown window reads the clock again just past the market's next
    // midnight, and at once when the machine wakes or the clock is set.
    void clockIsReadAgainPastMidnightAndAfterAJump() {
        QVERIFY(buildLoaded());
        QCOMPARE(m_view->nextEvaluation(), std::optional(marketTime(2025, 7, 10, 0, 0, 1)));
        QVERIFY(!listedCodes().isEmpty());

        // Slept into the next week: no timer fired meanwhile.
        m_clock.set(marketTime(2025, 7, 14, 9));
        emit WallClockMonitor::shared().moved();
        QVERIFY(listedCodes().isEmpty());
        QCOMPARE(m_view->nextEvaluation(), std::optional(marketTime(2025, 7, 15, 0, 0, 1)));

        m_view->hide();
        QVERIFY(!m_view->nextEvaluation());
    }

    void selectionFollowsClicksAndFilters() {
        QVERIFY(buildLoaded());
        clickRow(codeA);
        QCOMPARE(m_view->detailPanel()->record().ipo.code, codeA);
        QTest::keyClicks(m_view->detailPanel()->subscriptionField()->input(), u"9"_s);
        // Another row switches the panel and loads its own figures; the selected row again
        // closes it.
        clickRow(codeC);
        QCOMPARE(m_view->detailPanel()->record().ipo.code, codeC);
        QCOMPARE(m_view->detailPanel()->subQtyText(), QString());
        clickRow(codeC);
        QVERIFY(!m_view->detailPanel());

        // This week, newest first; 云 (U+4E91) sorts before 星 (U+661F) on the same day.
        QCOMPARE(listedCodes(), QStringList({codeB, codeA, codeC}));
        clickSegment(m_view->timeFilterControl(), 3);
        QCOMPARE(listedCodes(), QStringList({codeB, codeA, codeC, codeD, codeE}));
        clickRow(codeD);
        clickSegment(m_view->timeFilterControl(), 1); // this month (July): not the June IPO
        QCOMPARE(listedCodes(), QStringList({codeB, codeA, codeC}));
        QCOMPARE(m_view->selectedCode(), std::optional(codeD));
        QVERIFY(!m_view->detailPanel());
        clickSegment(m_view->timeFilterControl(), 3);
        QCOMPARE(m_view->detailPanel()->record().ipo.code, codeD);

        QTest::mouseClick(m_view->settingsButton(), Qt::LeftButton);
        QCOMPARE(m_settingsSheet.presented, 1);
        // Only a refresh the user asks for reports its outcome.
        QVERIFY(!m_view->syncStatus());
        QTest::mouseClick(m_view->refreshButton(), Qt::LeftButton);
        QTRY_COMPARE(m_view->syncStatus(), std::optional(u"API 数据已更新"_s));
    }

    // What the panel saves and clears reaches the store; a refused clear says so and keeps
    // the entry and the panel.
    void savingAndClearingReachTheStore() {
        QVERIFY(buildLoaded());
        clickRow(codeA);
        RecordDetailPanel *panel = m_view->detailPanel();
        QCOMPARE(panel->subMethod(), SubMethod::margin); // no figures yet
        QTest::keyClicks(panel->subscriptionField()->input(), u"+2500"_s);
        QCOMPARE(panel->subscriptionField()->lotCountText(), u"2 手"_s);
        QCOMPARE(panel->financingText(), u"融资 HK$6817  手续费 HK$0"_s);
        QTest::keyClicks(panel->allotmentField()->input(), u"1000"_s);
        clickSegment(panel->methodControl(), 0);
        QCOMPARE(panel->financingText(), QString());

        QTest::mouseClick(panel->saveButton(), Qt::LeftButton);
        const UserIPOEntry entry = m_store->entriesByCode().value(codeA);
        QCOMPARE(entry.subQuantity, qint64(2500));
        QCOMPARE(entry.winQuantity, qint64(1000));
        QCOMPARE(entry.subMethodRawValue, qint64(0));
        // The republished record keeps the panel and what was typed.
        QCOMPARE(m_view->detailPanel(), panel);
        QCOMPARE(panel->subQtyText(), u"+2500"_s);
        QCOMPARE(row(codeA).subQuantity, qint64(2500));

        const auto confirmClear = [panel] {
            QTest::mouseClick(panel->clearButton(), Qt::LeftButton);
            panel->deleteConfirmation()->findChild<QPushButton *>(u"ConfirmClearButton"_s)->click();
        };
        m_failCommits = true;
        confirmClear();
        QVERIFY(panel->clearButton()->showsFailure());
        QCOMPARE(m_view->detailPanel(), panel);
        QCOMPARE(m_store->entriesByCode().value(codeA).subQuantity, qint64(2500));
        m_failCommits = false;
        confirmClear();
        // The IPO stays listed without figures and the panel closes.
        QVERIFY(m_store->entriesByCode().isEmpty());
        QVERIFY(!m_view->detailPanel());
        QCOMPARE(row(codeA).subQuantity, qint64(0));
    }
};

ORVEL_TEST_CLASS(MainWindowViewTest);

#include "MainWindowViewTest.moc"
