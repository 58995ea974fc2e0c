#pragma once

#include "model/IPORecord.h"

#include <QDateTime>
#include <QWidget>

class IPOTag;
class QPainter;

// One business day of the month grid: the day number (white on an amber circle for today), then
// one tag per IPO whose subscription opens that day, in the order given.
class CalendarDayCell : public QWidget {
    Q_OBJECT
public:
    CalendarDayCell(const QDateTime &date, const QList<IPORecord> &ipos, bool isToday,
                    QWidget *parent = nullptr);

    const QDateTime &date() const { return m_date; }
    bool isToday() const { return m_isToday; }
    int dayNumber() const;
    QList<IPOTag *> tags() const;

    // The 0.5-point borderColor outline every slot of the grid has.
    static void paintOutline(QPainter &painter, const QRect &rect);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QDateTime m_date;
    bool m_isToday;
};
