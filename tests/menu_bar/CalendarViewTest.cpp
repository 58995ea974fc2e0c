#include "ManualClock.h"
#include "MenuBarTestData.h"
#include "TestRegistry.h"

#include "ui/menu_bar/CalendarDayCell.h"
#include "ui/menu_bar/CalendarView.h"
#include "ui/menu_bar/ElidedLabel.h"
#include "ui/menu_bar/EmptyDaySlot.h"
#include "ui/menu_bar/IPOTag.h"
#include "ui/menu_bar/LotBadge.h"
#include "ui/menu_bar/NavArrowButton.h"
#include "ui/menu_bar/TodayButtonStyle.h"

#include <QApplication>
#include <QEnterEvent>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <memory>

using namespace menubartest;

namespace {

const QStringList dayLabels{"一", "二", "三", "四", "五"};

CalendarDayCell *cellOf(const CalendarView &view, int day) {
    for (CalendarDayCell *cell : view.dayCells())
        if (cell->dayNumber() == day)
            return cell;
    return nullptr;
}

QStringList tagNames(const CalendarDayCell *cell) {
    QStringList names;
    for (const IPOTag *tag : cell->tags())
        names.append(tag->nameLabel()->text());
    return names;
}

QStringList badgeTexts(const IPOTag *tag) {
    QStringList texts;
    for (const LotBadge *badge : tag->badges())
        texts.append(badge->text());
    return texts;
}

} // namespace

class CalendarViewTest : public QObject {
    Q_OBJECT

private:
    // Wednesday 15 January 2025, mid-morning in the market.
    testsupport::ManualClock m_clock{utc("2025-01-15T02:00:00Z")};
    // The calendar sits in a window of its own, as in the panel; a fixed host keeps the
    // offscreen platform from being asked for size hints.
    std::unique_ptr<QWidget> m_host;
    CalendarView *m_view = nullptr;
    QLocale m_savedLocale;

    QList<IPORecord> sample() const {
        // "5,000" at 5.00 is 1000 shares per lot.
        return records({
            {"A", "2025-01-15", "", 2000, 1000},
            {"B", "2025-01-15", ""},
            {"C", "2025-01-15", "", 1500},
            {"S", "2025-01-11", ""},
            {"E", "2025-01-09", "", 500},
            {"F", "2025-02-04", ""},
        });
    }

private slots:
    void initTestCase() {
        m_savedLocale = QLocale();
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }
    void cleanupTestCase() { QLocale::setDefault(m_savedLocale); }

    void init() {
        m_clock.set(utc("2025-01-15T02:00:00Z"));
        m_host = std::make_unique<QWidget>();
        m_view = new CalendarView(::recordsByDay(sample()), m_clock.now(), dayLabels,
                                  m_clock.clock(), m_host.get());
        auto *layout = new QVBoxLayout(m_host.get());
        layout->setSizeConstraint(QLayout::SetNoConstraint);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(m_view, 0, Qt::AlignTop);
        m_host->resize(700, 900);
        m_host->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_host.get()));
    }
    void cleanup() { m_host.reset(); }

    void showsTheMonthOfWeekdays() {
        QCOMPARE(m_view->title(), QStringLiteral("January 2025"));
        QStringList headings;
        for (const ElidedLabel *label : m_view->findChildren<ElidedLabel *>("weekdayLabel"))
            headings.append(label->text());
        QCOMPARE(headings, dayLabels);
        // 23 weekdays in January 2025, no weekend cells, two leading empty slots.
        QCOMPARE(m_view->dayCells().size(), 23);
        QCOMPARE(m_view->findChildren<EmptyDaySlot *>().size(), 2);
        QCOMPARE(m_view->rowCount(), 5);
        QVERIFY(!cellOf(*m_view, 11));
        QVERIFY(!cellOf(*m_view, 12));
    }

    void cellsListTheirRecordsWithLotBadges() {
        const CalendarDayCell *today = cellOf(*m_view, 15);
        QVERIFY(today);
        QCOMPARE(tagNames(today), (QStringList{"名A", "名B", "名C"}));
        const QList<IPOTag *> tags = today->tags();
        QCOMPARE(badgeTexts(tags.at(0)), (QStringList{"申2", "中1"}));
        QCOMPARE(tags.at(0)->badges().at(0)->color(), PaletteColor::accentAmber);
        QCOMPARE(tags.at(0)->badges().at(1)->color(), PaletteColor::accentAmberDeep);
        QCOMPARE(badgeTexts(tags.at(1)), QStringList());
        QCOMPARE(badgeTexts(tags.at(2)), QStringList{"申1"});
        // 500 shares is less than a lot of 1000: no badge.
        QCOMPARE(badgeTexts(cellOf(*m_view, 9)->tags().at(0)), QStringList());
        // The Saturday record is grouped but nowhere in the grid.
        QStringList everyName;
        for (const CalendarDayCell *cell : m_view->dayCells())
            everyName += tagNames(cell);
        QCOMPARE(everyName.count("名S"), 0);
    }

    void rowsGrowWithTheFullestDay() {
        // The week of the 15th has three tags on one day; the others at most one.
        QCOMPARE(cellOf(*m_view, 13)->height(), 114);
        QCOMPARE(cellOf(*m_view, 17)->height(), 114);
        QCOMPARE(cellOf(*m_view, 9)->height(), 96);
        QCOMPARE(cellOf(*m_view, 20)->height(), 96);
    }

    void everyTagFitsItsRow_data() {
        QTest::addColumn<int>("count");
        QTest::newRow("1") << 1;
        QTest::newRow("3") << 3;
        QTest::newRow("6") << 6;
        QTest::newRow("10") << 10;
    }
    void everyTagFitsItsRow() {
        QFETCH(int, count);
        QList<RecordFields> fieldList;
        for (int i = 0; i < count; ++i)
            fieldList.append({QStringLiteral("T%1").arg(i), "2025-01-22", "", 3000, 1000});
        m_view->setIpos(::recordsByDay(records(fieldList)));
        QApplication::processEvents();
        const CalendarDayCell *cell = cellOf(*m_view, 22);
        QCOMPARE(cell->height(), std::max(96, 60 + 18 * count));
        QCOMPARE(cell->tags().size(), count);
        int previousBottom = 6 + 22; // the first tag starts below the day number
        for (const IPOTag *tag : cell->tags()) {
            QVERIFY(tag->isVisible());
            QVERIFY(tag->geometry().top() > previousBottom);
            QVERIFY2(
                tag->geometry().bottom() < cell->height() - 5,
                qPrintable(
                    QStringLiteral("%1 of %2").arg(tag->geometry().bottom()).arg(cell->height())));
            previousBottom = tag->geometry().bottom();
        }
    }

    void onlyTodaysCellIsMarked() {
        QList<int> marked;
        for (const CalendarDayCell *cell : m_view->dayCells())
            if (cell->isToday())
                marked.append(cell->dayNumber());
        QCOMPARE(marked, QList<int>{15});

        // The same day number in the next month is not today.
        QTest::mouseClick(m_view->findChild<NavArrowButton *>("nextMonthButton"), Qt::LeftButton);
        for (const CalendarDayCell *cell : m_view->dayCells())
            QVERIFY(!cell->isToday());
    }

    void arrowsStepMonthsAcrossYears() {
        QSignalSpy changed(m_view, &CalendarView::selectedMonthChanged);
        auto *previous = m_view->findChild<NavArrowButton *>("previousMonthButton");
        auto *next = m_view->findChild<NavArrowButton *>("nextMonthButton");
        QCOMPARE(previous->systemName(), QStringLiteral("chevron.left"));
        QCOMPARE(next->systemName(), QStringLiteral("chevron.right"));

        QTest::mouseClick(previous, Qt::LeftButton);
        QCOMPARE(m_view->title(), QStringLiteral("December 2024"));
        QCOMPARE(changed.size(), 1);
        QCOMPARE(marketCalendar().dayOf(changed.at(0).at(0).toDateTime()), QDate(2024, 12, 15));
        QTest::mouseClick(next, Qt::LeftButton);
        QTest::mouseClick(next, Qt::LeftButton);
        QCOMPARE(m_view->title(), QStringLiteral("February 2025"));
        QCOMPARE(changed.size(), 3);
        // February 2025 begins on a Saturday: a first row of five empty slots.
        QCOMPARE(m_view->findChildren<EmptyDaySlot *>().size(), 5);
        QCOMPARE(m_view->dayCells().size(), 20);
        QCOMPARE(tagNames(cellOf(*m_view, 4)), QStringList{"名F"});
    }

    void todayReturnsToTheCurrentMonth() {
        auto *next = m_view->findChild<NavArrowButton *>("nextMonthButton");
        for (int i = 0; i < 14; ++i)
            QTest::mouseClick(next, Qt::LeftButton);
        QCOMPARE(m_view->title(), QStringLiteral("March 2026"));
        // The clock has moved on meanwhile: "Today" goes to the clock's day, not the start's.
        m_clock.set(utc("2025-02-19T03:00:00Z"));
        QSignalSpy changed(m_view, &CalendarView::selectedMonthChanged);
        QTest::mouseClick(m_view->findChild<TodayButtonStyle *>("todayButton"), Qt::LeftButton);
        QCOMPARE(m_view->title(), QStringLiteral("February 2025"));
        QCOMPARE(changed.size(), 1);
        QCOMPARE(m_view->selectedMonth(), marketDay("2025-02-19"));
        QVERIFY(cellOf(*m_view, 19)->isToday());
    }

    void newRecordsRedrawTheGrid() {
        m_view->setIpos(::recordsByDay(records({{"N", "2025-01-20", ""}})));
        QCOMPARE(tagNames(cellOf(*m_view, 20)), QStringList{"名N"});
        QVERIFY(cellOf(*m_view, 15)->tags().isEmpty());
    }

    void longNamesTruncateInsideTheCell() {
        IPORecord longName = record({"L", "2025-01-14", "", 9000, 3000});
        longName.ipo.name = QStringLiteral("一个名字非常非常非常非常长的公司控股有限公司");
        m_view->setIpos(::recordsByDay({longName}));
        QApplication::processEvents();
        const CalendarDayCell *cell = cellOf(*m_view, 14);
        const IPOTag *tag = cell->tags().at(0);
        QVERIFY(tag->geometry().right() < cell->width() - 5);
        QVERIFY(tag->nameLabel()->visibleText().endsWith(QStringLiteral("…")));
        // The badges keep their full text.
        QCOMPARE(badgeTexts(tag), (QStringList{"申9", "中3"}));
        for (const LotBadge *badge : tag->badges())
            QCOMPARE(badge->width(), badge->sizeHint().width());
    }

    void namesAreOneLineOfPlainText() {
        IPORecord odd = record({"O", "2025-01-14", ""});
        odd.ipo.name = QStringLiteral("<b>甲</b>\n乙");
        m_view->setIpos(::recordsByDay({odd}));
        QCOMPARE(cellOf(*m_view, 14)->tags().at(0)->nameLabel()->text(),
                 QStringLiteral("<b>甲</b> 乙"));
    }

    void buttonsFollowThePointer() {
        auto *next = m_view->findChild<NavArrowButton *>("nextMonthButton");
        auto *today = m_view->findChild<TodayButtonStyle *>("todayButton");
        for (QAbstractButton *button :
             {static_cast<QAbstractButton *>(next), static_cast<QAbstractButton *>(today)}) {
            const auto hovering = [button] {
                if (auto *arrow = qobject_cast<NavArrowButton *>(button))
                    return arrow->isHovering();
                return qobject_cast<TodayButtonStyle *>(button)->isHovering();
            };
            QVERIFY(!hovering());
            const QPointF inside(4, 4);
            QEnterEvent enter(inside, inside, button->mapToGlobal(inside));
            QApplication::sendEvent(button, &enter);
            QVERIFY(hovering());
            QEvent leave(QEvent::Leave);
            QApplication::sendEvent(button, &leave);
            QVERIFY(!hovering());
        }
    }
};

ORVEL_TEST_CLASS(CalendarViewTest);
#include "CalendarViewTest.moc"
