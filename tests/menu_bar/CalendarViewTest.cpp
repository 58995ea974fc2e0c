#include "ManualClock.h"
#include "MenuBarTestData.h"
#include "TestRegistry.h"

#include "ui/menu_bar/CalendarDayCell.h"
#include "ui/menu_bar/CalendarView.h"
#include "ui/menu_bar/ElidedLabel.h"
#include "ui/menu_bar/EmptyDaySlot.h"
#include "ui/menu_bar/IPOTag.h"
#include "ui/menu_bar/LotBadge.h"

#include <QAbstractButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <memory>

using namespace menubartest;

namespace {

const QStringList dayLabels{"一", "二", "三", "四", "五"};

QStringList tagTexts(const CalendarDayCell *cell) {
    QStringList texts;
    for (const IPOTag *tag : cell->tags()) {
        QString text = tag->nameLabel()->text();
        for (const LotBadge *badge : tag->badges())
            text += QLatin1Char(' ') + badge->text();
        texts.append(text);
    }
    return texts;
}

} // namespace

// The panel's month grid as drawn: its cells, their records, today and the month steps.
class CalendarViewTest : public QObject {
    Q_OBJECT

private:
    // Wednesday 15 January 2025, mid-morning in the market.
    testsupport::ManualClock m_clock{utc("2025-01-15T02:00:00Z")};
    std::unique_ptr<QWidget> m_host;
    CalendarView *m_view = nullptr;

    CalendarDayCell *cellOf(int day) const {
        for (CalendarDayCell *cell : m_view->dayCells())
            if (cell->dayNumber() == day)
                return cell;
        return nullptr;
    }

    void click(const char *button) {
        QTest::mouseClick(m_view->findChild<QAbstractButton *>(button), Qt::LeftButton);
    }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void cleanupTestCase() { QLocale::setDefault(QLocale::system()); }

    void init() {
        m_clock.set(utc("2025-01-15T02:00:00Z"));
        // "5,000" at 5.00 is 1000 shares per lot.
        const QList<IPORecord> sample = records({
            {"A", "2025-01-15", "", 2000, 1000},
            {"B", "2025-01-15", ""},
            {"C", "2025-01-15", "", 1500},
            {"S", "2025-01-11", ""},
            {"E", "2025-01-09", "", 500},
            {"F", "2025-02-04", ""},
        });
        // The calendar sits in a window of its own, as in the panel.
        m_host = std::make_unique<QWidget>();
        m_view = new CalendarView(::recordsByDay(sample), m_clock.now(), dayLabels, m_clock.clock(),
                                  m_host.get());
        auto *layout = new QVBoxLayout(m_host.get());
        layout->setSizeConstraint(QLayout::SetNoConstraint);
        layout->addWidget(m_view, 0, Qt::AlignTop);
        m_host->resize(700, 900);
        m_host->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_host.get()));
    }
    void cleanup() { m_host.reset(); }

    void showsTheWeekdaysOfTheMonthWithTheirRecords() {
        QCOMPARE(m_view->title(), QStringLiteral("January 2025"));
        // 23 weekdays in January 2025, no weekend cells, two leading empty slots.
        QCOMPARE(m_view->dayCells().size(), 23);
        QCOMPARE(m_view->findChildren<EmptyDaySlot *>().size(), 2);
        QVERIFY(!cellOf(11));
        // Lots applied for and allotted; less than a lot shows no badge.
        QCOMPARE(tagTexts(cellOf(15)), (QStringList{"名A 申2 中1", "名B", "名C 申1"}));
        QCOMPARE(tagTexts(cellOf(9)), QStringList{"名E"});
        // The week of the 15th has three tags on one day: the whole row grows.
        QCOMPARE(cellOf(13)->height(), 114);
        QCOMPARE(cellOf(20)->height(), 96);

        QList<int> marked;
        for (const CalendarDayCell *cell : m_view->dayCells())
            if (cell->isToday())
                marked.append(cell->dayNumber());
        QCOMPARE(marked, QList<int>{15});
    }

    void arrowsAndTodayStepThroughMonths() {
        QSignalSpy changed(m_view, &CalendarView::selectedMonthChanged);
        click("previousMonthButton");
        QCOMPARE(m_view->title(), QStringLiteral("December 2024"));
        QCOMPARE(marketCalendar().dayOf(changed.at(0).at(0).toDateTime()), QDate(2024, 12, 15));
        for (int i = 0; i < 3; ++i)
            click("nextMonthButton");
        QCOMPARE(m_view->title(), QStringLiteral("March 2025"));
        QCOMPARE(changed.size(), 4);
        for (const CalendarDayCell *cell : m_view->dayCells())
            QVERIFY(!cell->isToday());

        // "Today" goes to the clock's day when it is pressed, not the day the panel opened.
        m_clock.set(utc("2025-02-19T03:00:00Z"));
        click("todayButton");
        QCOMPARE(m_view->title(), QStringLiteral("February 2025"));
        QCOMPARE(m_view->selectedMonth(), marketDay("2025-02-19"));
        QVERIFY(cellOf(19)->isToday());
        QCOMPARE(tagTexts(cellOf(4)), QStringList{"名F"});
    }

    void newRecordsRedrawAsOneLineOfPlainText() {
        IPORecord odd = record({"O", "2025-01-14", ""});
        odd.ipo.name = QStringLiteral("<b>甲</b>\n乙");
        m_view->setIpos(::recordsByDay({odd}));
        QCOMPARE(tagTexts(cellOf(14)), QStringList{"<b>甲</b> 乙"});
        QVERIFY(cellOf(15)->tags().isEmpty());
    }
};

ORVEL_TEST_CLASS(CalendarViewTest);
#include "CalendarViewTest.moc"
