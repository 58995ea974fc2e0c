#include "CalendarWeeks.h"

#include <algorithm>

namespace {

// The first day of the week holding `day` in `calendar`'s week convention.
QDate weekStartOf(const QDate &day, const MarketCalendar &calendar) {
    const int offset = (day.dayOfWeek() - static_cast<int>(calendar.firstWeekday()) + 7) % 7;
    return day.addDays(-offset);
}

} // namespace

const MarketCalendar &gridCalendar() {
    static const MarketCalendar calendar = marketCalendar().withFirstWeekday(Qt::Monday);
    return calendar;
}

RecordsByDay recordsByDay(const QList<IPORecord> &records) {
    RecordsByDay byDay;
    for (const IPORecord &record : records) {
        if (!record.ipo.subStart)
            continue;
        const QDateTime key = marketCalendar().startOfDay(*record.ipo.subStart);
        if (key.isValid())
            byDay[key].append(record);
    }
    return byDay;
}

QList<WeekRow> weekRows(const QDateTime &selectedMonth) {
    const MarketCalendar &calendar = gridCalendar();
    if (!selectedMonth.isValid())
        return {};
    const QDate anyDay = calendar.dayOf(selectedMonth);
    const QDate firstDay(anyDay.year(), anyDay.month(), 1);
    if (!firstDay.isValid())
        return {};
    const QDate lastDay = firstDay.addDays(firstDay.daysInMonth() - 1);
    if (!lastDay.isValid())
        return {};
    const QDate gridStart = weekStartOf(firstDay, calendar);
    const QDate lastWeekStart = weekStartOf(lastDay, calendar);
    if (!gridStart.isValid() || !lastWeekStart.isValid() || gridStart > lastWeekStart)
        return {};

    QList<WeekRow> rows;
    for (QDate weekStart = gridStart; weekStart.isValid() && weekStart <= lastWeekStart;
         weekStart = weekStart.addDays(7)) {
        // The grid shows Monday to Friday whatever the calendar's first weekday is.
        const QDate monday = weekStart.addDays((Qt::Monday - weekStart.dayOfWeek() + 7) % 7);
        WeekRow row;
        for (int i = 0; i < 5; ++i) {
            const QDate day = monday.addDays(i);
            if (!day.isValid())
                continue;
            if (day.year() == firstDay.year() && day.month() == firstDay.month())
                row.append(calendar.startOfDay(day));
            else
                row.append(std::nullopt);
        }
        rows.append(row);
    }
    return rows;
}

int rowHeight(const WeekRow &week, const RecordsByDay &ipos) {
    bool hasDatedSlot = false;
    qsizetype fullest = 0;
    for (const std::optional<QDateTime> &slot : week) {
        if (!slot)
            continue;
        hasDatedSlot = true;
        fullest = std::max(fullest, recordsOn(*slot, ipos).size());
    }
    if (!hasDatedSlot)
        return minimumRowHeight;
    const qint64 height = rowHeightBase + rowHeightPerTag * static_cast<qint64>(fullest);
    // A widget cannot be taller than this anyway; the clamp only keeps the arithmetic defined.
    return static_cast<int>(std::clamp<qint64>(height, minimumRowHeight, 16'777'215));
}

QList<IPORecord> recordsOn(const QDateTime &day, const RecordsByDay &ipos) {
    return ipos.value(gridCalendar().startOfDay(day));
}

QDateTime addingMonths(const QDateTime &instant, int months, const MarketCalendar &calendar) {
    if (!instant.isValid())
        return {};
    const QDateTime local = instant.toTimeZone(calendar.timeZone());
    const QDate day = local.date().addMonths(months);
    if (!day.isValid())
        return {};
    return QDateTime(day, local.time(), calendar.timeZone());
}

bool isMarketToday(const QDateTime &day, const QDateTime &now) {
    return day.isValid() && now.isValid() && marketCalendar().isSameDay(day, now);
}

QString monthTitle(const QDateTime &selectedMonth, const QLocale &locale) {
    const QDate day = marketCalendar().dayOf(selectedMonth);
    if (!day.isValid())
        return {};
    QLocale digits = locale;
    digits.setNumberOptions(QLocale::OmitGroupSeparator);
    const QString year = digits.toString(day.year());
    // Qt has no skeleton formats. These languages write "year, month" with their own suffixes
    // and no month names: the part of the locale's long date format before the day gives just
    // that ("yyyy年M月" of "yyyy年M月d日dddd"). Everyone else writes a standalone month name
    // followed by the year.
    switch (locale.language()) {
    case QLocale::Chinese:
    case QLocale::Japanese:
    case QLocale::Korean: {
        const QString longFormat = locale.dateFormat(QLocale::LongFormat);
        const qsizetype dayAt = longFormat.indexOf(u'd');
        const QString yearMonth = longFormat.left(dayAt).trimmed();
        if (dayAt > 0 && yearMonth.startsWith(u'y') && yearMonth.contains(u'M'))
            return locale.toString(day, yearMonth);
        break;
    }
    default:
        break;
    }
    return locale.standaloneMonthName(day.month(), QLocale::LongFormat) + QLatin1Char(' ') + year;
}
