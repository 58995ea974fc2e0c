#include "ManualClock.h"
#include "MenuBarTestData.h"
#include "TestRegistry.h"

#include "ui/menu_bar/CalendarDayCell.h"
#include "ui/menu_bar/CalendarView.h"
#include "ui/menu_bar/ElidedLabel.h"
#include "ui/menu_bar/IPOTag.h"
#include "ui/menu_bar/LotBadge.h"

#include <QAbstractButton>
#include <QTest>

using namespace menubartest;

// The panel's month grid as drawn: its cells, their records, today and the month steps.
class CalendarViewTest : public QObject {
    Q_OBJECT

private slots:
    void showsTheWeekdaysOfTheMonthWithTheirRecords() {
        // Wednesday 15 January 2025, mid-morning in the market; 1000 shares a lot.
        testsupport::ManualClock clock(utc("2025-01-15T02:00:00Z"));
        IPORecord odd = record({"O", "2025-01-14", ""});
        odd.ipo.name = QStringLiteral("<b>甲</b>\n乙");
        QList<IPORecord> sample = records({{"A", "2025-01-15", "", 2000, 1000},
                                           {"C", "2025-01-15", "", 1500},
                                           {"S", "2025-01-11", ""},
                                           {"E", "2025-01-09", "", 500},
                                           {"F", "2025-02-04", ""}});
        sample.append(odd);
        QWidget host;
        CalendarView view(::recordsByDay(sample), clock.now(), {"一", "二", "三", "四", "五"},
                          clock.clock(), &host);
        host.resize(700, 900);
        host.show();
        QVERIFY(QTest::qWaitForWindowExposed(&host));
        QMap<int, QStringList> shown; // day: its tags with their badges
        QList<int> today;
        const auto look = [&] {
            shown.clear();
            today.clear();
            for (const CalendarDayCell *cell : view.dayCells()) {
                for (const IPOTag *tag : cell->tags()) {
                    QString text = tag->nameLabel()->text();
                    for (const LotBadge *badge : tag->badges())
                        text += QLatin1Char(' ') + badge->text();
                    shown[cell->dayNumber()].append(text);
                }
                if (cell->isToday())
                    today.append(cell->dayNumber());
            }
        };
        look();
        // 23 weekdays in January 2025; the Saturday's record is nowhere; less than a lot shows
        // no badge; names are one line of plain text.
        QCOMPARE(view.dayCells().size(), 23);
        QCOMPARE(shown,
                 (QMap<int, QStringList>{
                     {9, {"名E"}}, {14, {"<b>甲</b> 乙"}}, {15, {"名A 申2 中1", "名C 申1"}}}));
        QCOMPARE(today, QList<int>{15});

        // "Today" goes to the clock's day when it is pressed, not the day the panel opened.
        for (int i = 0; i < 3; ++i)
            view.findChild<QAbstractButton *>("nextMonthButton")->click();
        QCOMPARE(view.selectedMonth(), marketTime("2025-04-15", "10:00"));
        clock.set(utc("2025-02-19T03:00:00Z"));
        view.findChild<QAbstractButton *>("todayButton")->click();
        look();
        QCOMPARE(view.selectedMonth(), marketDay("2025-02-19"));
        QCOMPARE(shown, (QMap<int, QStringList>{{4, {"名F"}}}));
        QCOMPARE(today, QList<int>{19});
    }
};

ORVEL_TEST_CLASS(CalendarViewTest);
#include "CalendarViewTest.moc"
