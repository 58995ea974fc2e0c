#include "PanelFigures.h"

#include "model/MarketCalendar.h"

#include <QCoreApplication>
#include <QStringList>

#include <cmath>
#include <limits>

namespace {

QString joinedNames(const QList<const IPORecord *> &records) {
    QStringList names;
    names.reserve(records.size());
    for (const IPORecord *record : records)
        names.append(record->ipo.name);
    //: between the IPO names of one footer line ("A、B")
    return names.join(QCoreApplication::translate("PanelFigures", "、"));
}

} // namespace

double capitalInUse(const QList<IPORecord> &records, const QDateTime &now) {
    const MarketCalendar &calendar = marketCalendar();
    const QDate today = calendar.dayOf(now);
    double sum = 0;
    for (const IPORecord &record : records) {
        if (record.subQuantity <= 0)
            continue;
        double amount = static_cast<double>(record.subQuantity) * record.ipo.maxOfferPrice();
        if (record.subMethod == SubMethod::margin)
            amount *= 0.1;
        if (!(amount > 0))
            continue;
        if (record.ipo.listingDate) {
            const QDate release = calendar.dayOf(previousBusinessDay(*record.ipo.listingDate));
            if (today >= release)
                continue;
        }
        sum += amount;
    }
    return sum;
}

int capitalUsagePercent(double capitalAmount, double inUse) {
    if (!(capitalAmount > 0))
        return 0;
    // Multiplying first keeps exact shares exact: 29000 of 100000 is 29 %, where 0.29 × 100
    // would come out as 28.999… and truncate to 28.
    const double percent = std::trunc(inUse * 100.0 / capitalAmount);
    if (std::isnan(percent))
        return 0;
    if (percent >= static_cast<double>(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (percent <= static_cast<double>(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return static_cast<int>(percent);
}

bool isUsageAlarming(int percent) {
    return percent >= alarmingUsagePercent;
}

QColor usagePercentColor(int percent, bool dark) {
    if (!isUsageAlarming(percent))
        return Palette::color(PaletteColor::accentAmberDeep, dark);
    // The desktop's standard red in its light and dark variants.
    return dark ? QColor(0xFF, 0x45, 0x3A) : QColor(0xFF, 0x3B, 0x30);
}

double monthlyMarginFees(const QList<IPORecord> &records, const QDateTime &selectedMonth) {
    const MarketCalendar &calendar = marketCalendar();
    const QDate target = calendar.dayOf(selectedMonth);
    if (!target.isValid())
        return 0;
    double fees = 0;
    for (const IPORecord &record : records) {
        if (record.subQuantity <= 0 || !record.ipo.subStart)
            continue;
        const QDate opens = calendar.dayOf(*record.ipo.subStart);
        if (opens.year() != target.year() || opens.month() != target.month())
            continue;
        if (record.subMethod == SubMethod::margin)
            fees += record.marginFee();
    }
    return fees;
}

QList<TodayEvent> todayEvents(const QList<IPORecord> &records, const QDateTime &now) {
    const MarketCalendar &calendar = marketCalendar();
    const QDate today = calendar.dayOf(now);
    QList<const IPORecord *> opening;
    QList<const IPORecord *> greyMarket;
    for (const IPORecord &record : records) {
        if (record.ipo.subStart && calendar.dayOf(*record.ipo.subStart) == today)
            opening.append(&record);
        if (record.ipo.listingDate &&
            calendar.dayOf(previousBusinessDay(*record.ipo.listingDate, calendar)) == today)
            greyMarket.append(&record);
    }
    QList<TodayEvent> events;
    if (!opening.isEmpty())
        //: the footer line: %1 the names of the IPOs whose subscription opens today
        events.append(
            {QCoreApplication::translate("PanelFigures", "今日申购：%1").arg(joinedNames(opening)),
             PaletteColor::accentGreen});
    if (!greyMarket.isEmpty())
        //: the footer line: %1 the names of the IPOs trading on the grey market today
        events.append({QCoreApplication::translate("PanelFigures", "今日暗盘：%1")
                           .arg(joinedNames(greyMarket)),
                       PaletteColor::accentAmberDeep});
    return events;
}

qint64 wholeDollars(double amount) {
    if (std::isnan(amount))
        return 0;
    // 2^63 is exact as a double; anything at or beyond it does not fit a qint64.
    constexpr double limit = 9223372036854775808.0;
    if (amount >= limit)
        return std::numeric_limits<qint64>::max();
    if (amount <= -limit)
        return std::numeric_limits<qint64>::min();
    return static_cast<qint64>(std::trunc(amount));
}

QString capitalText(double capitalAmount) {
    return QStringLiteral("HK$ ") + QString::number(wholeDollars(capitalAmount));
}

QString usageText(int percent) {
    //: beside the capital: %1 the whole percent of it tied up in subscriptions
    return QCoreApplication::translate("PanelFigures", "(%1%占用)").arg(percent);
}

QString monthlyFeesText(double fees) {
    //: %1 the margin fees of the month shown, in whole Hong Kong dollars
    return QCoreApplication::translate("PanelFigures", "本月申购费 HK$ %1").arg(wholeDollars(fees));
}

QString noEventsText() {
    return QCoreApplication::translate("PanelFigures", "[无关注事件]");
}

const QUrl &hkexURL() {
    static const QUrl url = [] {
        QUrl page(QStringLiteral("https://www2.hkexnews.hk/New-Listings/New-Listing-Information/"
                                 "Main-Board?sc_lang=zh-HK"),
                  QUrl::StrictMode);
        Q_ASSERT_X(page.isValid(), "hkexURL", "the fixed exchange address must parse");
        return page;
    }();
    return url;
}
