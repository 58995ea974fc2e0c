#pragma once

#include "CalendarWeeks.h"
#include "model/Clock.h"

#include <QDateTime>
#include <QStringList>
#include <QWidget>

class CalendarDayCell;
class ElidedLabel;
class NavArrowButton;
class QGridLayout;
class TodayButtonStyle;

// The month calendar of the menu-bar panel: a header with the month's title, the arrows and
// "Today"; one heading per weekday column; then a grid of Monday-to-Friday weeks whose cells
// list the IPOs opening that day. It draws what it is given and owns only the hover state of
// its buttons: the month shown belongs to the panel, which follows selectedMonthChanged.
class CalendarView : public QWidget {
    Q_OBJECT
public:
    CalendarView(RecordsByDay ipos, QDateTime selectedMonth, QStringList dayLabels,
                 Clock clock = systemClock(), QWidget *parent = nullptr);

    const RecordsByDay &ipos() const { return m_ipos; }
    void setIpos(RecordsByDay ipos);

    const QDateTime &selectedMonth() const { return m_selectedMonth; }
    // Redraws the grid for the month of `month` and reports it; an invalid instant is ignored.
    void setSelectedMonth(const QDateTime &month);

    QString title() const;
    QList<CalendarDayCell *> dayCells() const;
    int rowCount() const { return m_rowCount; }

public slots:
    void showPreviousMonth();
    void showNextMonth();
    // The current market day, whichever month is shown.
    void showToday();
    // Rebuilds everything that depends on the clock or the appearance (today's cell, colours).
    void rebuild();

signals:
    void selectedMonthChanged(const QDateTime &month);

private:
    void applyHeaderColors();
    void rebuildGrid();

    RecordsByDay m_ipos;
    QDateTime m_selectedMonth;
    QStringList m_dayLabels;
    Clock m_clock;
    int m_rowCount = 0;

    ElidedLabel *m_title;
    NavArrowButton *m_previous;
    TodayButtonStyle *m_today;
    NavArrowButton *m_next;
    QList<ElidedLabel *> m_weekdayLabels;
    QWidget *m_weekdays;
    QWidget *m_grid;
    QGridLayout *m_gridLayout;
};
