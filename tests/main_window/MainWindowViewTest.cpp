#include "FakeServiceClient.h"
#include "MainWindowTestData.h"
#include "ManualClock.h"
#include "TestRegistry.h"

#include "reminders/WallClockMonitor.h"
#include "repository/IPORepository.h"
#include "store/UserIPOStore.h"
#include "ui/look/AppearanceMonitor.h"
#include "ui/look/Palette.h"
#include "ui/look/ViewStyle.h"
#include "ui/main_window/ClearRecordButton.h"
#include "ui/main_window/MainTableList.h"
#include "ui/main_window/MainTableModel.h"
#include "ui/main_window/MainWindowView.h"
#include "ui/main_window/QuantityField.h"
#include "ui/main_window/RecordDetailPanel.h"
#include "ui/main_window/SaveRecordButton.h"
#include "ui/main_window/SegmentedControl.h"
#include "ui/main_window/SettingsSheetPresenting.h"
#include "ui/main_window/StatusCapsule.h"
#include "ui/main_window/ToolbarRefreshButton.h"
#include "ui/main_window/ToolbarSettingsButton.h"

#include <QAbstractItemModelTester>
#include <QCoroTask>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <memory>
#include <optional>

using namespace mainwindowtest;

namespace {

// Counts the paint events a widget handles, or keeps every one from it (a window that is
// shown but never exposed).
class PaintCounter : public QObject {
public:
    PaintCounter(QWidget &widget, bool swallow)
        : m_swallow(swallow) {
        widget.installEventFilter(this);
    }
    bool eventFilter(QObject *, QEvent *event) override {
        if (event->type() != QEvent::Paint)
            return false;
        if (!m_swallow)
            ++count;
        return m_swallow;
    }
    int count = 0;

private:
    bool m_swallow;
};

class CountingSettingsSheet : public SettingsSheetPresenting {
public:
    void presentSettingsSheet() override { ++presented; }
    int presented = 0;
};

const QString codeA = QStringLiteral("02513");
const QString codeB = QStringLiteral("02100");
const QString codeC = QStringLiteral("09988");
const QString codeD = QStringLiteral("01234");
const QString codeE = QStringLiteral("06666");

// Wednesday 9 July 2025, 10:00 in the market: the week runs from 6 to 12 July.
QDateTime startTime() {
    return marketTime(2025, 7, 9, 10);
}

QList<RemoteIPO> serviceItems() {
    return {
        makeRemoteIPO(codeA, QStringLiteral("星河智能科技"), QStringLiteral("2025-07-08"),
                      QStringLiteral("https://www1.hkexnews.hk/a.pdf")),
        makeRemoteIPO(codeB, QStringLiteral("云启医疗集团"), QStringLiteral("2025-07-08")),
        makeRemoteIPO(codeC, QStringLiteral("华澜新能源"), QStringLiteral("2025-07-07")),
        makeRemoteIPO(codeD, QStringLiteral("顺安智慧物流"), QStringLiteral("2025-06-02"), {},
                      IPOStatus::listed),
        makeRemoteIPO(codeE, QStringLiteral("瑞丰生物-B"), QString(), {}, IPOStatus::upcoming),
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
    std::unique_ptr<QAbstractItemModelTester> m_modelTester;
    bool m_failCommits = false;

    bool prepare(bool failingStore = false) {
        m_clock.set(startTime());
        m_client = std::make_unique<FakeServiceClient>();
        m_client->setItems(serviceItems());
        UserIPOStore::Options options{.inMemory = true};
        m_failCommits = failingStore;
        options.persistChanges = [this](QSqlDatabase &database) -> UserIPOStore::Result {
            if (m_failCommits)
                return QStringLiteral("disk full (injected)");
            return UserIPOStore::commitChanges(database);
        };
        auto opened = UserIPOStore::open(options);
        if (!opened)
            return false;
        m_store = std::move(opened.value());
        m_repository = std::make_unique<IPORepository>(*m_client, *m_store, m_clock.clock(), 45.0);
        m_settingsSheet.presented = 0;
        return true;
    }

    bool showView() {
        m_view = std::make_unique<MainWindowView>(*m_repository, m_clock.clock(), &m_settingsSheet);
        m_modelTester = std::make_unique<QAbstractItemModelTester>(
            &m_view->tableModel(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        m_view->resize(1000, 600);
        m_view->show();
        return QTest::qWaitForWindowExposed(m_view.get());
    }

    bool build(bool failingStore = false) { return prepare(failingStore) && showView(); }

    // Shows the window and waits for the first refresh to publish the service's items.
    bool buildLoaded(bool failingStore = false) {
        if (!build(failingStore))
            return false;
        for (int i = 0; i < 100 && m_repository->records().size() != serviceItems().size(); ++i)
            QTest::qWait(20);
        return m_repository->records().size() == serviceItems().size();
    }

    void clickRow(const QString &code) {
        const int row = m_view->tableModel().rowOf(code);
        QVERIFY2(row >= 0, qPrintable(code));
        MainTableList *list = m_view->tableList();
        // The name column: well away from the prospectus link.
        const QRect item = list->itemRect(row);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          QPoint(item.left() + 120, item.center().y()));
    }

    void clickSegment(SegmentedControl *control, int index) {
        QTest::mouseClick(control, Qt::LeftButton, {}, control->segmentRect(index).center());
    }

    QStringList listedCodes() const { return codesOf(m_view->tableModel().listed()); }

private slots:
    void cleanup() {
        m_modelTester.reset();
        m_view.reset();
        m_repository.reset();
        m_store.reset();
        m_client.reset();
    }

    void appearingRefreshesOnceWithTheServiceArguments() {
        QVERIFY(buildLoaded());
        QCOMPARE(m_client->listRequests.size(), 1);
        QCOMPARE(m_client->listRequests.first(),
                 std::make_tuple(QStringLiteral("all"), qint64(500), qint64(0)));
        QCOMPARE(m_client->statsRequests, 1);

        // This week, newest first; 云 (U+4E91) sorts before 星 (U+661F) on the same day.
        QCOMPARE(m_view->timeFilter(), TimeFilter::thisWeek);
        QCOMPARE(m_view->timeFilterControl()->currentIndex(), 0);
        QCOMPARE(listedCodes(), QStringList({codeB, codeA, codeC}));
        const MainTableModel &model = m_view->tableModel();
        QCOMPARE(model.bandAt(0), TableRowBand::warmLight);
        QCOMPARE(model.bandAt(1), TableRowBand::warmLight);
        QCOMPARE(model.bandAt(2), TableRowBand::warmGray);
        QCOMPARE(model.data(model.index(1), Qt::DisplayRole).toString(),
                 QStringLiteral("星河智能科技"));
        QVERIFY(!m_view->syncStatus()); // automatic refreshes report nothing

        // Shown again within the freshness window: no request; after it: one more.
        m_view->hide();
        m_clock.advanceSecs(44);
        m_view->show();
        QTest::qWait(50);
        QCOMPARE(m_client->listRequests.size(), 1);
        m_view->hide();
        m_clock.advanceSecs(1);
        m_view->show();
        QTRY_COMPARE(m_client->listRequests.size(), 2);
        QTRY_VERIFY(!m_repository->isRefreshing());
        QCOMPARE(m_client->statsRequests, 2);
    }

    void firstAppearanceAfterAnotherViewRefreshed_data() {
        QTest::addColumn<int>("secondsLater");
        QTest::addColumn<int>("requests");
        // Something else (the menu-bar panel) fetched already: the window only asks through the
        // freshness gate, so a fresh list is not fetched again.
        QTest::newRow("still fresh") << 10 << 1;
        QTest::newRow("stale") << 45 << 2;
    }
    void firstAppearanceAfterAnotherViewRefreshed() {
        QFETCH(int, secondsLater);
        QFETCH(int, requests);
        QVERIFY(prepare());
        QCoro::waitFor(m_repository->refreshIfNeeded());
        QCOMPARE(m_client->listRequests.size(), 1);
        m_clock.advanceSecs(secondsLater);
        QVERIFY(showView());
        QTest::qWait(50);
        QTRY_VERIFY(!m_repository->isRefreshing());
        QCOMPARE(m_client->listRequests.size(), requests);
        QCOMPARE(m_view->tableModel().rowCount(), 3);
    }

    // The refresh waits for the window's first frame, so starting TLS never delays it; a window
    // that is shown but never exposed refreshes all the same.
    void showingRefreshesAfterItsFirstFrame_data() {
        QTest::addColumn<bool>("onScreen");
        QTest::newRow("painted") << true;
        QTest::newRow("never painted") << false;
    }
    void showingRefreshesAfterItsFirstFrame() {
        QFETCH(bool, onScreen);
        QVERIFY(prepare());
        m_view = std::make_unique<MainWindowView>(*m_repository, m_clock.clock(), &m_settingsSheet);
        PaintCounter paints(*m_view, !onScreen);
        std::optional<int> paintsWhenRefreshing;
        connect(m_repository.get(), &IPORepository::isRefreshingChanged, this,
                [&](bool refreshing) {
                    if (refreshing && !paintsWhenRefreshing)
                        paintsWhenRefreshing = paints.count;
                });
        m_view->resize(1000, 600);
        m_view->show();
        QCOMPARE(m_client->listRequests.size(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(m_client->listRequests.size(), 1, 5000);
        QVERIFY(paintsWhenRefreshing);
        if (onScreen)
            QVERIFY(*paintsWhenRefreshing > 0);
        else
            QCOMPARE(*paintsWhenRefreshing, 0);
        QTRY_COMPARE(m_repository->records().size(), serviceItems().size());
    }

    void becomingActiveRefreshesThroughTheGate() {
        QVERIFY(buildLoaded());
        m_view->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_view.get()));
        QTRY_VERIFY(!m_repository->isRefreshing());
        const qsizetype before = m_client->listRequests.size();

        QWidget other;
        other.resize(200, 100);
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        m_clock.advanceSecs(30);
        m_view->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_view.get()));
        QTest::qWait(50);
        QCOMPARE(m_client->listRequests.size(), before); // fresh: the gate holds

        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        m_clock.advanceSecs(20);
        m_view->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_view.get()));
        QTRY_COMPARE(m_client->listRequests.size(), before + 1);
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

    void rowClicksToggleTheDetailPanel() {
        QVERIFY(buildLoaded());
        QVERIFY(!m_view->detailPanel());
        clickRow(codeA);
        QCOMPARE(m_view->selectedCode(), std::optional<QString>(codeA));
        QVERIFY(m_view->detailPanel());
        QCOMPARE(m_view->detailPanel()->record().ipo.code, codeA);
        const MainTableModel &model = m_view->tableModel();
        QVERIFY(model.data(model.index(model.rowOf(codeA)), MainTableModel::SelectedRole).toBool());
        QVERIFY(
            !model.data(model.index(model.rowOf(codeB)), MainTableModel::SelectedRole).toBool());
        const QLabel *name =
            m_view->detailPanel()->findChild<QLabel *>(QStringLiteral("RecordName"));
        QVERIFY(name);
        QCOMPARE(name->text(), QStringLiteral("星河智能科技"));

        // Another row switches the panel; the selected row again closes it.
        clickRow(codeC);
        QCOMPARE(m_view->selectedCode(), std::optional<QString>(codeC));
        QCOMPARE(m_view->detailPanel()->record().ipo.code, codeC);
        QCOMPARE(name->text(), QStringLiteral("华澜新能源"));
        clickRow(codeC);
        QVERIFY(!m_view->selectedCode());
        QVERIFY(!m_view->detailPanel());
        QVERIFY(
            !model.data(model.index(model.rowOf(codeC)), MainTableModel::SelectedRole).toBool());
    }

    void typingAndSavingStoresTheEntry() {
        QVERIFY(buildLoaded());
        clickRow(codeA);
        RecordDetailPanel *panel = m_view->detailPanel();
        QVERIFY(panel);
        // No figures yet: empty fields on margin.
        QCOMPARE(panel->subQtyText(), QString());
        QCOMPARE(panel->subMethod(), SubMethod::margin);

        QTest::keyClicks(panel->subscriptionField()->input(), QStringLiteral("+2500"));
        QCOMPARE(panel->subscriptionField()->lotCountText(), QStringLiteral("2 手"));
        QCOMPARE(panel->financingText(), QStringLiteral("融资 HK$6817  手续费 HK$0"));
        QTest::keyClicks(panel->allotmentField()->input(), QStringLiteral("1000"));
        QCOMPARE(panel->allotmentField()->lotCountText(), QStringLiteral("1 手"));
        clickSegment(panel->methodControl(), 0);
        QCOMPARE(panel->subMethod(), SubMethod::cash);
        QCOMPARE(panel->financingText(), QString());

        QTest::mouseClick(panel->saveButton(), Qt::LeftButton);
        const UserIPOEntry entry = m_store->entriesByCode().value(codeA);
        QCOMPARE(entry.subQuantity, qint64(2500));
        QCOMPARE(entry.winQuantity, qint64(1000));
        QCOMPARE(entry.subMethodRawValue, qint64(0));
        QVERIFY(panel->isSaved());
        QCOMPARE(panel->saveButton()->title(), QStringLiteral("已保存"));
        // The republished record keeps the panel and what was typed.
        QCOMPARE(m_view->detailPanel(), panel);
        QCOMPARE(panel->subQtyText(), QStringLiteral("+2500"));
        const IPORecord *row = m_view->tableModel().recordAt(m_view->tableModel().rowOf(codeA));
        QCOMPARE(row->subQuantity, qint64(2500));
        QCOMPARE(row->winQuantity, qint64(1000));
        QTRY_VERIFY_WITH_TIMEOUT(!panel->isSaved(), 5000);
        QCOMPARE(panel->saveButton()->title(), QStringLiteral("保存记录"));
    }

    void refusedSaveSaysSoAndKeepsTheTexts() {
        QVERIFY(buildLoaded(true));
        clickRow(codeB);
        RecordDetailPanel *panel = m_view->detailPanel();
        QVERIFY(panel);
        QTest::keyClicks(panel->subscriptionField()->input(), QStringLiteral("4000"));
        QTest::mouseClick(panel->saveButton(), Qt::LeftButton);
        QVERIFY(m_store->entriesByCode().isEmpty());
        QVERIFY(!panel->isSaved());
        QVERIFY(panel->showsSaveFailure());
        QCOMPARE(panel->saveButton()->title(), QStringLiteral("保存失败"));
        QCOMPARE(panel->subQtyText(), QStringLiteral("4000"));
        QCOMPARE(m_view->tableModel().recordAt(m_view->tableModel().rowOf(codeB))->subQuantity,
                 qint64(0));
        QTRY_VERIFY_WITH_TIMEOUT(!panel->showsSaveFailure(), 5000);
        QCOMPARE(panel->subQtyText(), QStringLiteral("4000"));

        // Once the store takes writes again the same texts save.
        m_failCommits = false;
        QTest::mouseClick(panel->saveButton(), Qt::LeftButton);
        QVERIFY(panel->isSaved());
        QCOMPARE(m_store->entriesByCode().value(codeB).subQuantity, qint64(4000));
    }

    void clearingAsksFirstAndClosesThePanel() {
        QVERIFY(buildLoaded());
        IPORecord stored = m_repository->records().at(0);
        QCOMPARE(stored.ipo.code, codeA);
        stored.subQuantity = 4000;
        stored.winQuantity = 1000;
        stored.subMethod = SubMethod::margin;
        QVERIFY(m_repository->saveRecord(stored));
        clickRow(codeA);
        RecordDetailPanel *panel = m_view->detailPanel();
        QVERIFY(panel);
        QCOMPARE(panel->subQtyText(), QStringLiteral("4000"));
        QCOMPARE(panel->winQtyText(), QStringLiteral("1000"));
        QCOMPARE(panel->subMethod(), SubMethod::margin);

        QTest::mouseClick(panel->clearButton(), Qt::LeftButton);
        QMessageBox *box = panel->deleteConfirmation();
        QVERIFY(box);
        QCOMPARE(box->text(), QStringLiteral("确定要清除 星河智能科技 的本地记录吗？"));
        box->findChild<QPushButton *>(QStringLiteral("CancelClearButton"))->click();
        QTRY_VERIFY(!panel->showsDeleteConfirm());
        QCOMPARE(m_store->entriesByCode().size(), 1);
        QCOMPARE(m_view->detailPanel(), panel);

        QTest::mouseClick(panel->clearButton(), Qt::LeftButton);
        box = panel->deleteConfirmation();
        QVERIFY(box);
        box->findChild<QPushButton *>(QStringLiteral("ConfirmClearButton"))->click();
        QVERIFY(m_store->entriesByCode().isEmpty());
        QVERIFY(!m_view->selectedCode());
        QVERIFY(!m_view->detailPanel());
        // The IPO stays listed, now without figures.
        const int row = m_view->tableModel().rowOf(codeA);
        QVERIFY(row >= 0);
        QCOMPARE(m_view->tableModel().recordAt(row)->subQuantity, qint64(0));
        QCOMPARE(m_view->tableModel().recordAt(row)->subMethod, SubMethod::cash);
    }

    void refusedClearKeepsThePanel() {
        QVERIFY(buildLoaded());
        IPORecord stored = m_repository->records().at(1);
        stored.subQuantity = 2000;
        QVERIFY(m_repository->saveRecord(stored));
        m_failCommits = true;
        clickRow(stored.ipo.code);
        RecordDetailPanel *panel = m_view->detailPanel();
        QVERIFY(panel);
        QTest::mouseClick(panel->clearButton(), Qt::LeftButton);
        QVERIFY(panel->deleteConfirmation());
        panel->deleteConfirmation()
            ->findChild<QPushButton *>(QStringLiteral("ConfirmClearButton"))
            ->click();
        QCOMPARE(m_store->entriesByCode().value(stored.ipo.code).subQuantity, qint64(2000));
        QCOMPARE(m_view->selectedCode(), std::optional<QString>(stored.ipo.code));
        QCOMPARE(m_view->detailPanel(), panel);
        QVERIFY(panel->clearButton()->showsFailure());
        QTRY_VERIFY_WITH_TIMEOUT(!panel->clearButton()->showsFailure(), 5000);
    }

    void filterChangesKeepTheSelection() {
        QVERIFY(buildLoaded());
        SegmentedControl *filter = m_view->timeFilterControl();
        clickSegment(filter, 3);
        QCOMPARE(m_view->timeFilter(), TimeFilter::all);
        QCOMPARE(listedCodes(), QStringList({codeB, codeA, codeC, codeD, codeE}));
        QCOMPARE(m_view->tableModel().bandAt(4), TableRowBand::missing);
        clickRow(codeD);
        QVERIFY(m_view->detailPanel());

        clickSegment(filter, 1); // this month (July): the June IPO is not listed
        QCOMPARE(m_view->timeFilter(), TimeFilter::thisMonth);
        QCOMPARE(listedCodes(), QStringList({codeB, codeA, codeC}));
        QCOMPARE(m_view->selectedCode(), std::optional<QString>(codeD));
        QVERIFY(!m_view->selectedRecord());
        QVERIFY(!m_view->detailPanel());

        clickSegment(filter, 3);
        QVERIFY(m_view->detailPanel());
        QCOMPARE(m_view->detailPanel()->record().ipo.code, codeD);
        QCOMPARE(m_view->selectedRecord()->ipo.name, QStringLiteral("顺安智慧物流"));

        clickSegment(filter, 2); // last 30 days from 9 July: 2 June is older
        QCOMPARE(listedCodes(), QStringList({codeB, codeA, codeC}));
        QVERIFY(!m_view->detailPanel());
    }

    void manualRefreshShowsItsOutcome() {
        QVERIFY(buildLoaded());
        RemoteIPOStatsResponse stats;
        RemoteSyncSummary sync;
        sync.status = QStringLiteral("success");
        sync.insertedCount = 2;
        sync.updatedCount = 1;
        stats.latestSync = sync;
        m_client->statsAnswer = stats;
        QSignalSpy statusChanged(m_view.get(), &MainWindowView::syncStatusChanged);

        QTest::mouseClick(m_view->refreshButton(), Qt::LeftButton);
        QTRY_VERIFY(m_view->syncStatus());
        QCOMPARE(*m_view->syncStatus(), QStringLiteral("API 数据已更新：3 条变更"));
        QVERIFY(!m_view->syncStatusIsError());
        StatusCapsule *capsule = m_view->statusCapsule();
        QVERIFY(capsule->isShowing());
        QCOMPARE(capsule->text(), *m_view->syncStatus());
        QCOMPARE(capsule->textColor(), ViewStyle::color(PaletteColor::textSecondary));
        QCOMPARE(m_client->listRequests.size(), 2);
        QTRY_VERIFY_WITH_TIMEOUT(!m_view->syncStatus(), 6000);
        QVERIFY(!capsule->isShowing());
        QCOMPARE(statusChanged.count(), 2);

        // A failure shows in red; the table keeps what it listed.
        m_client->listAnswer = IPOAPIClientError::serverError(QStringLiteral("维护中"));
        QTest::mouseClick(m_view->refreshButton(), Qt::LeftButton);
        QTRY_VERIFY(m_view->syncStatus());
        QVERIFY(m_view->syncStatusIsError());
        QCOMPARE(*m_view->syncStatus(),
                 IPOAPIClientError::serverError(QStringLiteral("维护中")).description());
        QCOMPARE(capsule->textColor(), ViewStyle::failureRed());
        QCOMPARE(listedCodes(), QStringList({codeB, codeA, codeC}));
        QTRY_VERIFY_WITH_TIMEOUT(!m_view->syncStatus(), 6000);
        QVERIFY(!m_view->syncStatusIsError());
    }

    void repeatedPressesJoinOneRun() {
        QVERIFY(buildLoaded());
        m_client->holdAnswers = true;
        QTest::mouseClick(m_view->refreshButton(), Qt::LeftButton);
        QTest::mouseClick(m_view->refreshButton(), Qt::LeftButton);
        QTRY_COMPARE(m_client->listRequests.size(), 2);
        QVERIFY(m_repository->isRefreshing());
        m_client->release();
        QTRY_VERIFY(m_view->syncStatus());
        QCOMPARE(m_client->listRequests.size(), 2);
        QCOMPARE(*m_view->syncStatus(), QStringLiteral("API 数据已更新"));
    }

    void settingsButtonAsksTheShell() {
        QVERIFY(buildLoaded());
        QCOMPARE(m_view->settingsButton()->toolTip(), QStringLiteral("设置"));
        QCOMPARE(m_view->refreshButton()->toolTip(), QStringLiteral("刷新"));
        QTest::mouseClick(m_view->settingsButton(), Qt::LeftButton);
        QCOMPARE(m_settingsSheet.presented, 1);
    }

    void serviceTextStaysPlainText() {
        QVERIFY(buildLoaded());
        QList<RemoteIPO> items = serviceItems();
        items[0].name = QStringLiteral("<b>粗体</b><img src=x>");
        m_client->setItems(items);
        m_clock.advanceSecs(60);
        m_view->hide();
        m_view->show();
        QTRY_COMPARE(m_repository->records().first().ipo.name, items[0].name);
        clickRow(codeA);
        const QLabel *name =
            m_view->detailPanel()->findChild<QLabel *>(QStringLiteral("RecordName"));
        QCOMPARE(name->textFormat(), Qt::PlainText);
        QCOMPARE(name->text(), items[0].name);
        const MainTableModel &model = m_view->tableModel();
        const QString tooltip =
            model.data(model.index(model.rowOf(codeA)), Qt::ToolTipRole).toString();
        QVERIFY(!tooltip.contains(QStringLiteral("<img")));
        QVERIFY(tooltip.contains(QStringLiteral("&lt;img src=x&gt;")));
        QTest::mouseClick(m_view->detailPanel()->clearButton(), Qt::LeftButton);
        QCOMPARE(m_view->detailPanel()->deleteConfirmation()->textFormat(), Qt::PlainText);
        m_view->detailPanel()->deleteConfirmation()->reject();
    }

    void appearanceSwitchesWhileOpen() {
        QVERIFY(buildLoaded());
        clickRow(codeA);
        RecordDetailPanel *panel = m_view->detailPanel();
        QTRY_COMPARE(panel->x(), 0);
        AppearanceMonitor &appearance = AppearanceMonitor::shared();
        const bool startedDark = appearance.isDark();
        for (bool dark : {!startedDark, startedDark}) {
            appearance.setOverride(dark);
            const QImage image = m_view->grab().toImage();
            // The toolbar's background, and the panel's fields, take the other value at once.
            QCOMPARE(image.pixelColor(4, 4), Palette::color(PaletteColor::canvasBackground, dark));
            const QLabel *name = panel->findChild<QLabel *>(QStringLiteral("RecordName"));
            QCOMPARE(name->palette().color(QPalette::WindowText),
                     Palette::color(PaletteColor::textPrimary, dark));
            QCOMPARE(panel->subscriptionField()->input()->palette().color(QPalette::Text),
                     Palette::color(PaletteColor::textPrimary, dark));
        }
        appearance.setOverride(std::nullopt);
    }

    void contentKeepsItsMinimumSize() {
        QVERIFY(buildLoaded());
        QCOMPARE(m_view->minimumSizeHint(), QSize(900, 520));
        clickRow(codeA);
        // The panel starts at the trailing edge and moves in.
        QVERIFY(m_view->detailPanel()->x() > 0);
        QTRY_VERIFY(m_view->detailPanel()->x() == 0);
        const QWidget *slot = m_view->findChild<QWidget *>(QStringLiteral("DetailPanelSlot"));
        QVERIFY(slot->width() >= 240 && slot->width() <= 280);
        QVERIFY(m_view->tableList()->parentWidget()->width() >= 700);
        // With the panel the content needs the table's and the panel's minimum side by side.
        QVERIFY(m_view->minimumSizeHint().width() >= 700 + 1 + 240);
        clickRow(codeA);
        QTRY_COMPARE(m_view->minimumSizeHint(), QSize(900, 520));
    }
};

ORVEL_TEST_CLASS(MainWindowViewTest);

#include "MainWindowViewTest.moc"
