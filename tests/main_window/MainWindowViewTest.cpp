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
#include "ui/main_window/TableSearchField.h"
#include "ui/main_window/ToolbarRefreshButton.h"
#include "ui/main_window/ToolbarSettingsButton.h"

#include <QAccessible>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <functional>
#include <memory>
#include <optional>

using namespace mainwindowtest;
using namespace Qt::StringLiterals;

namespace {

// Counts the paints a widget gets, or swallows them all (a window shown but never exposed).
class PaintCounter : public QObject {
public:
    PaintCounter(QWidget &widget, bool swallow)
        : swallow(swallow) {
        widget.installEventFilter(this);
    }
    bool eventFilter(QObject *, QEvent *event) override {
        const bool paint = event->type() == QEvent::Paint;
        count += paint && !swallow;
        return paint && swallow;
    }
    int count = 0;
    bool swallow;
};

class CountingSettingsSheet : public SettingsSheetPresenting {
public:
    void presentSettingsSheet() override { ++presented; }
    int presented = 0;
};

// Wednesday 9 July 2025, 10:00 in the market: the week runs from 6 to 12 July.
QDateTime startTime() {
    return marketTime(2025, 7, 9, 10);
}

} // namespace

class MainWindowViewTest : public QObject {
    Q_OBJECT

private:
    testsupport::ManualClock m_clock{startTime()};
    std::unique_ptr<FakeServiceClient> m_client;
    std::unique_ptr<UserIPOStore> m_store;
    std::unique_ptr<IPORepository> m_repository;
    CountingSettingsSheet m_settingsSheet;
    std::unique_ptr<MainWindowView> m_view;

    bool buildLoaded(const std::function<void()> &beforeShowing = {}) {
        m_clock.set(startTime());
        m_client = std::make_unique<FakeServiceClient>();
        const auto remote = [](QString code, QString name, std::optional<QString> day) {
            return RemoteIPO{code, name, day, {}, {}, u"3,030"_s, u"2.80-3.03"_s, {}, {}, {}};
        };
        m_client->setItems({remote(u"02513"_s, u"星河智能科技"_s, u"2025-07-08"_s),
                            remote(u"02100"_s, u"云启医疗集团"_s, u"2025-07-08"_s),
                            remote(u"09988"_s, u"华澜新能源"_s, u"2025-07-07"_s),
                            remote(u"01234"_s, u"顺安智慧物流"_s, u"2025-06-02"_s),
                            remote(u"06666"_s, u"瑞丰生物-B"_s, std::nullopt)});
        m_store = std::move(UserIPOStore::open({.inMemory = true}).value());
        m_repository = std::make_unique<IPORepository>(*m_client, *m_store, m_clock.clock(), 45.0);
        m_view = std::make_unique<MainWindowView>(*m_repository, m_clock.clock(), &m_settingsSheet);
        m_view->resize(1000, 600);
        if (beforeShowing)
            beforeShowing();
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

    QStringList listedCodes() const {
        QStringList codes;
        for (const IPORecord &record : m_view->tableModel().listed())
            codes.append(record.ipo.code);
        return codes;
    }

private slots:
    void cleanup() {
        m_view.reset();
        m_repository.reset();
    }

    // The refresh waits for the window's first frame, so setting up TLS never holds it back; a
    // window that is shown but never exposed refreshes all the same.
    void showingRefreshesAfterItsFirstFrame_data() {
        QTest::addColumn<bool>("onScreen");
        QTest::newRow("painted") << true;
        QTest::newRow("never painted") << false;
    }
    void showingRefreshesAfterItsFirstFrame() {
        QFETCH(bool, onScreen);
        std::unique_ptr<PaintCounter> paints;
        std::optional<int> paintsWhenAsked;
        QObject listening; // ends the connection with this test
        QVERIFY(buildLoaded([&] {
            paints = std::make_unique<PaintCounter>(*m_view, !onScreen);
            connect(m_repository.get(), &IPORepository::isRefreshingChanged, &listening,
                    [&](bool on) {
                        if (on && !paintsWhenAsked)
                            paintsWhenAsked = paints->count;
                    });
        }));
        QVERIFY(paintsWhenAsked);
        QCOMPARE(*paintsWhenAsked > 0, onScreen);
    }

    // Becoming active asks the freshness gate, except while a showing's refreshes still wait
    // for its first frame (they ask the same gate once it is out).
    void becomingActiveAsksTheFreshnessGate_data() {
        QTest::addColumn<int>("secondsLater");
        QTest::addColumn<bool>("firstFramePending");
        QTest::addColumn<int>("requests");
        QTest::newRow("still fresh") << 10 << false << 0;
        QTest::newRow("stale") << 60 << false << 1;
        QTest::newRow("first frame pending") << 60 << true << 0;
    }
    void becomingActiveAsksTheFreshnessGate() {
        QFETCH(int, secondsLater);
        QFETCH(bool, firstFramePending);
        QFETCH(int, requests);
        QVERIFY(buildLoaded());
        QWidget other;
        other.resize(200, 100);
        other.show();
        std::unique_ptr<PaintCounter> swallowed;
        if (firstFramePending) {
            m_view->hide();
            swallowed = std::make_unique<PaintCounter>(*m_view, true);
            m_view->show();
        }
        for (QWidget *window : {static_cast<QWidget *>(m_view.get()), &other}) {
            window->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(window));
        }
        const qsizetype before = m_client->listRequests.size();
        m_clock.advanceSecs(secondsLater);
        m_view->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_view.get()));
        QCOMPARE(m_client->listRequests.size() - before, qsizetype(requests));
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
        clickRow(u"02513"_s);
        QTest::keyClicks(m_view->detailPanel()->subscriptionField()->input(), u"9"_s);
        // Another row loads its own figures; the selected row again closes the panel.
        clickRow(u"09988"_s);
        QCOMPARE(m_view->detailPanel()->subQtyText(), QString());
        clickRow(u"09988"_s);
        QVERIFY(!m_view->detailPanel());

        // This week, newest first, then by name.
        QCOMPARE(listedCodes(), QStringList({"02100", "02513", "09988"}));
        clickSegment(m_view->timeFilterControl(), 3);
        QCOMPARE(listedCodes(), QStringList({"02100", "02513", "09988", "01234", "06666"}));

        QTest::mouseClick(m_view->settingsButton(), Qt::LeftButton);
        QCOMPARE(m_settingsSheet.presented, 1);
        // Only a refresh the user asks for reports its outcome.
        QVERIFY(!m_view->syncStatus());
        QTest::mouseClick(m_view->refreshButton(), Qt::LeftButton);
        QTRY_COMPARE(m_view->syncStatus(), std::optional(u"API 数据已更新"_s));
    }

    // The year sheet lists the year's IPOs from the store; choosing one that the time range or
    // the search hides lists everything again, selects it and closes the sheet.
    void yearSheetChoosesAnIPO() {
        QVERIFY(buildLoaded());
        IPORecord sold = m_repository->records().at(3);
        QCOMPARE(sold.ipo.code, u"01234"_s);
        sold.subQuantity = 2000;
        sold.winQuantity = 1000;
        sold.sale = IPOSale{{}, 1000, 3500, QDate(2025, 7, 8), {}};
        QVERIFY(m_repository->saveRecord(sold));
        m_view->searchField()->setText(u"云启"_s); // a search that hides it, too
        QVERIFY(!listedCodes().contains(u"01234"_s));
        m_view->presentResults();
        QDialog *sheet = m_view->resultsSheet();
        QVERIFY(sheet);
        auto *list = sheet->findChild<QListWidget *>(u"YearIPOList"_s);
        QCOMPARE(list->count(), 1);
        QVERIFY(list->item(0)->text().startsWith(u"01234  顺安智慧物流  HK$"_s));
        emit list->itemClicked(list->item(0));
        QCOMPARE(m_view->selectedCode(), std::optional(u"01234"_s));
        QCOMPARE(m_view->timeFilter(), TimeFilter::all);
        QVERIFY(m_view->searchField()->text().isEmpty());
        QTRY_VERIFY(!m_view->resultsSheet());
    }

    // The whole round by keyboard: through the rows into the panel and back, searching, copying.
    void keyboardOnly() {
        QVERIFY(buildLoaded([this] { m_view->setTimeFilter(TimeFilter::all); }));
        m_view->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_view.get()));
        QWindow *window = m_view->windowHandle();
        QCOMPARE(QApplication::focusWidget(), m_view->tableList());
        QVERIFY(!m_view->detailPanel());
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(window, Qt::Key_Down);
        QCOMPARE(m_view->selectedCode(), std::optional(u"01234"_s));
        QTest::keyClick(window, Qt::Key_End);
        QCOMPARE(m_view->selectedCode(), std::optional(u"06666"_s));
        QTest::keyClicks(m_view->tableList(), u"02"_s); // the first code starting with 02
        QCOMPARE(m_view->selectedCode(), std::optional(u"02100"_s));

        QTest::keyClick(window, Qt::Key_Return);
        QLineEdit *input = m_view->detailPanel()->subscriptionField()->input();
        QCOMPARE(QApplication::focusWidget(), input);
        QTest::keyClicks(QApplication::focusWidget(), u"3000"_s);
        QTest::keyClick(window, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(m_store->entriesByCode().value(u"02100"_s).subQuantity, qint64(3000));
        QTest::keyClick(window, Qt::Key_Escape);
        QCOMPARE(QApplication::focusWidget(), m_view->tableList());
        QCOMPARE(m_view->detailPanel()->subQtyText(), u"3000"_s);

        QTest::keyClick(window, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), u"02100"_s);
        QTest::keyClick(window, Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(QApplication::focusWidget(), m_view->searchField());
        QTest::keyClicks(QApplication::focusWidget(), u"ZZ"_s);
        QVERIFY(listedCodes().isEmpty());
        // The clear button comes with the first text, not with the first frame.
        QVERIFY(m_view->searchField()->isClearButtonEnabled());
        QTest::keyClick(window, Qt::Key_Escape);
        QCOMPARE(listedCodes().size(), 5);
        QTest::keyClicks(QApplication::focusWidget(), u"-b"_s);
        QCOMPARE(listedCodes(), QStringList({"06666"}));
        QTest::keyClick(window, Qt::Key_2, Qt::ControlModifier); // 本月: no date, not listed
        QVERIFY(listedCodes().isEmpty());
        QVERIFY(m_view->refreshButton()->toolTip().contains(u"F5"_s));
    }

    // A screen reader finds the four time filters as tabs, the selected one marked, can press
    // one, and finds the column headings.
    void accessibleChoicesAndHeadings() {
        QVERIFY(buildLoaded());
        QAccessibleInterface *filter =
            QAccessible::queryAccessibleInterface(m_view->timeFilterControl());
        QCOMPARE(filter->role(), QAccessible::PageTabList);
        QStringList tabs;
        for (int i = 0; i < filter->childCount(); ++i)
            tabs.append(filter->child(i)->text(QAccessible::Name) +
                        (filter->child(i)->state().selected ? u"*"_s : QString()));
        QCOMPARE(tabs, QStringList({u"本周*"_s, u"本月"_s, u"近30天"_s, u"全部"_s}));
        filter->child(3)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(m_view->timeFilter(), TimeFilter::all);
        QVERIFY(filter->child(3)->state().selected && !filter->child(0)->state().selected);

        QAccessibleInterface *header = QAccessible::queryAccessibleInterface(
            m_view->findChild<QWidget *>(u"TableHeaderBar"_s));
        QCOMPARE(header->childCount(), 8);
        QCOMPARE(header->child(0)->role(), QAccessible::ColumnHeader);
        QCOMPARE(header->child(0)->text(QAccessible::Name), u"股票代码"_s);
    }

    // What the panel saves and clears reaches the store. (A refused clear keeps the records:
    // IPORepositoryTest; a refused save shows in the panel: StoreFaultTest.)
    void savingAndClearingReachTheStore() {
        QVERIFY(buildLoaded());
        clickRow(u"02513"_s);
        RecordDetailPanel *panel = m_view->detailPanel();
        QTest::keyClicks(panel->subscriptionField()->input(), u"+2500"_s);
        QTest::keyClicks(panel->allotmentField()->input(), u"1000"_s);
        clickSegment(panel->methodControl(), 0);
        QTest::mouseClick(panel->saveButton(), Qt::LeftButton);
        const UserIPOEntry entry = m_store->entriesByCode().value(u"02513"_s);
        QCOMPARE(QList({entry.subQuantity, entry.winQuantity, entry.subMethodRawValue}),
                 QList<qint64>({2500, 1000, 0}));
        // The republished record keeps the panel and what was typed.
        QCOMPARE(m_view->detailPanel(), panel);
        QCOMPARE(panel->subQtyText(), u"+2500"_s);

        QTest::mouseClick(panel->clearButton(), Qt::LeftButton);
        panel->deleteConfirmation()->findChild<QPushButton *>(u"ConfirmClearButton"_s)->click();
        // The IPO stays listed without figures and the panel closes.
        QVERIFY(m_store->entriesByCode().isEmpty());
        QVERIFY(!m_view->detailPanel());
        QCOMPARE(m_view->tableModel().listed().value(1).subQuantity, qint64(0));
    }
};

ORVEL_TEST_CLASS(MainWindowViewTest);

#include "MainWindowViewTest.moc"
