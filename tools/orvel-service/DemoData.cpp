#include "DemoData.h"

#include <QDateTime>
#include <QJsonArray>
#include <QRandomGenerator>
#include <QSet>
#include <QStringList>
#include <QTimeZone>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <optional>
#include <utility>

namespace orvelservice {

namespace {

bool isWeekend(const QDate &day) {
    return day.dayOfWeek() >= 6;
}

// Steps n business days (Monday to Friday) forward, or back when n is negative. Public holidays
// are not modelled; the application's own calendar ignores them as well.
QDate addBusinessDays(QDate day, int n) {
    const int step = n >= 0 ? 1 : -1;
    for (int left = std::abs(n); left > 0;) {
        day = day.addDays(step);
        if (!isWeekend(day))
            --left;
    }
    return day;
}

QDate businessDayOnOrBefore(QDate day) {
    while (isWeekend(day))
        day = day.addDays(-1);
    return day;
}

// The shape of one dated IPO, in business days relative to today.
struct Timeline {
    int subStartOffset;
    int subscriptionDays;
    int daysToListing; // business days from the last subscription day to listing
};

// Spread so that the list has a long listed tail, a handful open now and a few still to come.
constexpr std::array<Timeline, 20> timelines{{
    {-44, 4, 4}, {-41, 3, 5}, {-38, 5, 3}, {-35, 4, 4}, {-32, 3, 4}, {-29, 4, 5}, {-26, 5, 4},
    {-23, 3, 3}, {-20, 4, 4}, {-17, 4, 3}, {-14, 3, 4}, {-11, 4, 4}, {-8, 4, 5},  {-5, 3, 5},
    {-3, 5, 4},  {-2, 4, 5},  {-1, 4, 4},  {0, 5, 4},   {2, 4, 4},   {4, 5, 4},
}};
constexpr std::array<Timeline, 2> laterTimelines{{{6, 4, 5}, {9, 4, 4}}};
constexpr int undatedCount = 3;

const QStringList &companyNames() {
    static const QStringList names{
        QStringLiteral("星河智能科技"), QStringLiteral("云启医疗集团"),
        QStringLiteral("华澜新能源"),   QStringLiteral("顺安智慧物流"),
        QStringLiteral("瑞丰生物-B"),   QStringLiteral("极光机器人"),
        QStringLiteral("嘉禾餐饮集团"), QStringLiteral("天玑半导体"),
        QStringLiteral("博远教育科技"), QStringLiteral("青禾农业控股"),
        QStringLiteral("海纳数据服务"), QStringLiteral("德润医药-B"),
        QStringLiteral("安途汽车科技"), QStringLiteral("锦程物业服务"),
        QStringLiteral("明川新材料"),   QStringLiteral("沐光消费品"),
        QStringLiteral("东岚航运"),     QStringLiteral("智芯微电子"),
        QStringLiteral("恒筑建设集团"), QStringLiteral("乐康健康科技"),
        QStringLiteral("远图地理信息"), QStringLiteral("晨曦茶饮"),
        QStringLiteral("凌云储能科技"), QStringLiteral("鸿越跨境电商"),
        QStringLiteral("松石医疗器械"), QStringLiteral("嘉陵精密制造"),
        QStringLiteral("北辰宠物食品"), QStringLiteral("悦然美妆集团"),
        QStringLiteral("澄湖环保科技"), QStringLiteral("知行自动驾驶-W"),
        QStringLiteral("泓景文旅"),     QStringLiteral("森屿家居"),
    };
    return names;
}

struct DemoIPO {
    QString code;
    QString name;
    std::optional<QDate> subStart;
    std::optional<QDate> subEnd;
    std::optional<QDate> listDate;
    QString lotAmount;
    QString priceRange;
    QString prospectusUrl;
    QString status;
    QString board;
};

QString formatCents(qint64 cents) {
    return QStringLiteral("%1.%2").arg(cents / 100).arg(cents % 100, 2, 10, QLatin1Char('0'));
}

// "3,030.25", or "5,050" when there are no cents: the way the exchange's listings write it.
QString formatLotAmount(qint64 cents) {
    QString whole = QString::number(cents / 100);
    for (qsizetype i = whole.size() - 3; i > 0; i -= 3)
        whole.insert(i, QLatin1Char(','));
    if (cents % 100 == 0)
        return whole;
    return whole + QStringLiteral(".%1").arg(cents % 100, 2, 10, QLatin1Char('0'));
}

QString statusFor(const DemoIPO &ipo, const QDate &today) {
    if (!ipo.subStart || !ipo.subEnd || !ipo.listDate)
        return QStringLiteral("upcoming");
    if (*ipo.listDate <= today)
        return QStringLiteral("listed");
    if (*ipo.subStart <= today && today <= *ipo.subEnd)
        return QStringLiteral("open");
    // Not yet open, or closed and waiting for its listing day.
    return QStringLiteral("upcoming");
}

QJsonValue dateValue(const std::optional<QDate> &day) {
    return day ? QJsonValue(day->toString(QStringLiteral("yyyy-MM-dd"))) : QJsonValue();
}

class Builder {
public:
    explicit Builder(const QDate &today)
        : m_today(today)
        , m_random(static_cast<quint32>(today.toJulianDay())) {
        m_names = companyNames();
        // Fisher-Yates by hand: std::shuffle's draws depend on the standard library.
        for (qsizetype i = m_names.size() - 1; i > 0; --i)
            m_names.swapItemsAt(i, m_random.bounded(static_cast<int>(i + 1)));
    }

    QList<DemoIPO> build() {
        QList<DemoIPO> ipos;
        for (const Timeline &timeline : timelines)
            ipos.append(dated(timeline));
        // The one that lists on the next business day: its grey-market session is today.
        const QDate listing = addBusinessDays(m_today, 1);
        const QDate subEnd = addBusinessDays(listing, -4);
        ipos.append(withDates(addBusinessDays(subEnd, -3), subEnd, listing));
        for (const Timeline &timeline : laterTimelines)
            ipos.append(dated(timeline));
        for (int i = 0; i < undatedCount; ++i)
            ipos.append(withDates(std::nullopt, std::nullopt, std::nullopt));

        // A few small caps on the growth board, with its 08xxx codes; biotech (-B) and
        // weighted-voting (-W) issuers only list on the main board.
        QSet<int> growth;
        while (growth.size() < 3) {
            const int pick = m_random.bounded(static_cast<int>(ipos.size()));
            if (!ipos.at(pick).name.contains(QLatin1Char('-')))
                growth.insert(pick);
        }
        for (qsizetype i = 0; i < ipos.size(); ++i) {
            const bool isGrowth = growth.contains(static_cast<int>(i));
            ipos[i].board = isGrowth ? QStringLiteral("创业板") : QStringLiteral("主板");
            ipos[i].code = uniqueCode(isGrowth);
        }
        // Prospectus not yet filed: one far-off IPO and one undated.
        ipos[ipos.size() - undatedCount - 1].prospectusUrl.clear();
        ipos[ipos.size() - 1].prospectusUrl.clear();

        std::stable_sort(ipos.begin(), ipos.end(), [](const DemoIPO &a, const DemoIPO &b) {
            if (a.subStart.has_value() != b.subStart.has_value())
                return !a.subStart.has_value();
            if (a.subStart && *a.subStart != *b.subStart)
                return *a.subStart > *b.subStart;
            return a.code < b.code;
        });
        return ipos;
    }

private:
    DemoIPO dated(const Timeline &timeline) {
        const QDate start = timeline.subStartOffset == 0
                                ? businessDayOnOrBefore(m_today)
                                : addBusinessDays(m_today, timeline.subStartOffset);
        const QDate end = addBusinessDays(start, timeline.subscriptionDays - 1);
        return withDates(start, end, addBusinessDays(end, timeline.daysToListing));
    }

    DemoIPO withDates(std::optional<QDate> start, std::optional<QDate> end,
                      std::optional<QDate> listing) {
        DemoIPO ipo;
        ipo.name = m_names.at(m_nextName++ % m_names.size());
        ipo.subStart = start;
        ipo.subEnd = end;
        ipo.listDate = listing;
        ipo.status = statusFor(ipo, m_today);
        fillPrice(ipo);
        // The prospectus comes out the business day before subscriptions open.
        const QDate published =
            start ? addBusinessDays(*start, -1) : addBusinessDays(m_today, -m_random.bounded(1, 6));
        ipo.prospectusUrl =
            QStringLiteral("https://www1.hkexnews.hk/listedco/listconews/sehk/%1/%2/%3%4_c.pdf")
                .arg(published.toString(QStringLiteral("yyyy")),
                     published.toString(QStringLiteral("MMdd")),
                     published.toString(QStringLiteral("yyyyMMdd")))
                .arg(m_random.bounded(100, 2000), 5, 10, QLatin1Char('0'));
        return ipo;
    }

    void fillPrice(DemoIPO &ipo) {
        // Offer prices from pennies to blue-chip levels, in whole cents.
        static constexpr std::array<std::pair<int, int>, 3> priceBands{
            {{150, 500}, {500, 2500}, {2500, 9000}}};
        const auto band = priceBands[static_cast<size_t>(m_random.bounded(3))];
        const qint64 high = m_random.bounded(band.first, band.second);
        // Lot sizes as the exchange sees them; pick the one that makes an entry fee of a few
        // thousand dollars, like most real offers.
        static constexpr std::array<qint64, 9> lotSizes{100, 200,  250,  300, 400,
                                                        500, 1000, 2000, 4000};
        const qint64 targetCents = m_random.bounded(2500, 9000) * 100LL;
        qint64 shares = lotSizes.front();
        for (qint64 size : lotSizes) {
            if (std::llabs(size * high - targetCents) < std::llabs(shares * high - targetCents))
                shares = size;
        }
        ipo.lotAmount = formatLotAmount(shares * high);
        if (m_random.bounded(10) < 3) {
            ipo.priceRange = formatCents(high);
        } else {
            const qint64 low = std::max<qint64>(1, high * m_random.bounded(80, 95) / 100);
            ipo.priceRange = formatCents(low) + QLatin1Char('-') + formatCents(high);
        }
    }

    QString uniqueCode(bool growthBoard) {
        // Main board codes as recent listings use them (02xxx, 06xxx, 09xxx); growth board 08xxx.
        static constexpr std::array<std::pair<int, int>, 3> mainRanges{
            {{2000, 3000}, {6000, 7000}, {9600, 10000}}};
        for (;;) {
            int number;
            if (growthBoard) {
                number = m_random.bounded(8000, 8700);
            } else {
                const auto range = mainRanges[static_cast<size_t>(m_random.bounded(3))];
                number = m_random.bounded(range.first, range.second);
            }
            const QString code = QStringLiteral("%1").arg(number, 5, 10, QLatin1Char('0'));
            if (!m_codes.contains(code)) {
                m_codes.insert(code);
                return code;
            }
        }
    }

    QDate m_today;
    QRandomGenerator m_random;
    QStringList m_names;
    qsizetype m_nextName = 0;
    QSet<QString> m_codes;
};

QJsonObject latestSync(const QDate &today, qsizetype total, QRandomGenerator &random) {
    // The collector runs early each morning, market time; written in UTC like a server log.
    const QDateTime started(today, QTime(6, 30), QTimeZone("Asia/Shanghai"));
    const QDateTime finished = started.addSecs(random.bounded(20, 90));
    const QString format = QStringLiteral("yyyy-MM-ddTHH:mm:ssZ");
    return QJsonObject{
        {QStringLiteral("id"),
         QStringLiteral("sync-%1-0630").arg(today.toString(QStringLiteral("yyyyMMdd")))},
        {QStringLiteral("startedAt"), started.toUTC().toString(format)},
        {QStringLiteral("finishedAt"), finished.toUTC().toString(format)},
        {QStringLiteral("status"), QStringLiteral("success")},
        {QStringLiteral("insertedCount"), random.bounded(0, 3)},
        {QStringLiteral("updatedCount"), random.bounded(1, 6)},
        {QStringLiteral("totalCount"), static_cast<qint64>(total)},
    };
}

} // namespace

QJsonObject demoData(const QDate &today) {
    const QList<DemoIPO> ipos = Builder(today).build();
    QJsonArray items;
    int upcoming = 0;
    int open = 0;
    int listed = 0;
    for (const DemoIPO &ipo : ipos) {
        items.append(QJsonObject{
            {QStringLiteral("code"), ipo.code},
            {QStringLiteral("name"), ipo.name},
            {QStringLiteral("subStart"), dateValue(ipo.subStart)},
            {QStringLiteral("subEnd"), dateValue(ipo.subEnd)},
            {QStringLiteral("listDate"), dateValue(ipo.listDate)},
            {QStringLiteral("lotAmount"), ipo.lotAmount},
            {QStringLiteral("priceRange"), ipo.priceRange},
            {QStringLiteral("prospectusUrl"), ipo.prospectusUrl},
            {QStringLiteral("status"), ipo.status},
            {QStringLiteral("board"), ipo.board},
        });
        if (ipo.status == QLatin1String("upcoming"))
            ++upcoming;
        else if (ipo.status == QLatin1String("open"))
            ++open;
        else
            ++listed;
    }
    QRandomGenerator syncRandom(static_cast<quint32>(today.toJulianDay()) ^ 0x5eedu);
    const QJsonObject stats{
        {QStringLiteral("counts"), QJsonObject{{QStringLiteral("upcoming"), upcoming},
                                               {QStringLiteral("open"), open},
                                               {QStringLiteral("listed"), listed}}},
        {QStringLiteral("latestSync"), latestSync(today, ipos.size(), syncRandom)},
    };
    return QJsonObject{{QStringLiteral("items"), items}, {QStringLiteral("stats"), stats}};
}

} // namespace orvelservice
