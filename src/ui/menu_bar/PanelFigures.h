#pragma once

#include "model/IPORecord.h"
#include "ui/look/Palette.h"

#include <QColor>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QUrl>

// The menu-bar panel's figures, computed from the published records, the settings and the clock
// each time the panel draws.

// Money tied up in subscriptions whose funds are not back yet: the full amount for cash, the
// 10 % deposit for margin, until the business day before listing. A record without a listing
// date always counts.
double capitalInUse(const QList<IPORecord> &records, const QDateTime &now);

// Whole percent of the capital in use; 0 without capital. Clamped to int when the capital is
// tiny against the money in use.
int capitalUsagePercent(double capitalAmount, double inUse);

// Usage this high is shown in red.
inline constexpr int alarmingUsagePercent = 81;
bool isUsageAlarming(int percent);
// The platform's red from 81 % on, accentAmberDeep below.
QColor usagePercentColor(int percent, bool dark);

// The margin fees of the subscriptions opening in the month of `selectedMonth`.
double monthlyMarginFees(const QList<IPORecord> &records, const QDateTime &selectedMonth);

// One line of the footer.
struct TodayEvent {
    QString text;
    PaletteColor color = PaletteColor::textSecondary;

    friend bool operator==(const TodayEvent &, const TodayEvent &) = default;
};

// The footer's placeholder when today has no event.
QString noEventsText();

// Subscriptions opening today, then grey-market sessions today (the business day before
// listing); each line only when it has a name, names in record order.
QList<TodayEvent> todayEvents(const QList<IPORecord> &records, const QDateTime &now);

// HK$ truncated toward zero to whole dollars; NaN is 0 and the ends of the range stay there.
qint64 wholeDollars(double amount);

// "HK$ 100000", "(50%占用)", "本月申购费 HK$ 28": integers without grouping.
QString capitalText(double capitalAmount);
QString usageText(int percent);
QString monthlyFeesText(double fees);

// The exchange's Main Board new-listing information page.
const QUrl &hkexURL();
