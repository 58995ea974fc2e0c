#include "LocalService.h"
#include "TestRegistry.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QTimeZone>

#include <cmath>

using testsupport::LocalService;

namespace {

bool isWeekday(const QDate &day) {
    return day.dayOfWeek() <= 5;
}

QDate nextBusinessDay(QDate day) {
    do {
        day = day.addDays(1);
    } while (!isWeekday(day));
    return day;
}

QDate parseDay(const QJsonValue &value) {
    return QDate::fromString(value.toString(), QStringLiteral("yyyy-MM-dd"));
}

double parseMoney(QString text) {
    return text.remove(QLatin1Char(',')).toDouble();
}

} // namespace

// The demo calendar the service makes with --demo, checked through the running service for days
// of every kind: it has to look like a real one to every part of the application.
class DemoDataTest : public QObject {
    Q_OBJECT

private:
    LocalService m_service;
    QNetworkAccessManager m_network;

    // (Re)starts the service with demo data around `day` (the service's own today when invalid).
    bool startAround(const QDate &day) {
        if (m_service.isRunning() && !m_service.stop())
            return false;
        m_service.setDemoDate(day);
        return m_service.start();
    }

    LocalService::Response get(const QString &path, const QString &query = {}) {
        return LocalService::exchange(m_network, m_service.request(path, query));
    }

    void verifyItem(const QJsonObject &item, const QDate &today) {
        static const QStringList keys{"board",  "code",       "listDate",      "lotAmount",
                                      "name",   "priceRange", "prospectusUrl", "status",
                                      "subEnd", "subStart"};
        QStringList actualKeys = item.keys();
        actualKeys.sort();
        QCOMPARE(actualKeys, keys);

        static const QRegularExpression code(QStringLiteral("^\\d{5}$"));
        static const QRegularExpression lot(
            QStringLiteral("^[1-9]\\d{0,2}(,\\d{3})*(\\.\\d{2})?$"));
        static const QRegularExpression price(
            QStringLiteral("^(\\d+\\.\\d{2})(?:-(\\d+\\.\\d{2}))?$"));
        QVERIFY(code.match(item.value("code").toString()).hasMatch());
        QVERIFY(item.value("name").isString() && !item.value("name").toString().isEmpty());
        const QString board = item.value("board").toString();
        QVERIFY2(board == QStringLiteral("主板") || board == QStringLiteral("创业板"),
                 qPrintable(board));
        // Growth-board stocks trade under 08xxx codes, and biotech (-B) or weighted-voting (-W)
        // issuers cannot list there.
        if (board == QStringLiteral("创业板")) {
            QVERIFY(item.value("code").toString().startsWith(QStringLiteral("08")));
            QVERIFY(!item.value("name").toString().contains(QLatin1Char('-')));
        }

        const QString lotAmount = item.value("lotAmount").toString();
        QVERIFY2(lot.match(lotAmount).hasMatch(), qPrintable(lotAmount));
        const auto priceMatch = price.match(item.value("priceRange").toString());
        QVERIFY2(priceMatch.hasMatch(), qPrintable(item.value("priceRange").toString()));
        const double high = priceMatch.captured(2).isEmpty() ? priceMatch.captured(1).toDouble()
                                                             : priceMatch.captured(2).toDouble();
        if (!priceMatch.captured(2).isEmpty())
            QVERIFY(priceMatch.captured(1).toDouble() < high);
        // One lot is a whole number of shares at the top price, or the lot figures break.
        const double shares = parseMoney(lotAmount) / high;
        QVERIFY2(std::abs(shares - std::round(shares)) < 1e-6 && std::round(shares) >= 1,
                 qPrintable(lotAmount + QLatin1Char('/') + QString::number(high)));

        const QJsonValue prospectus = item.value("prospectusUrl");
        QVERIFY(prospectus.isString());
        if (!prospectus.toString().isEmpty()) {
            const QUrl url(prospectus.toString(), QUrl::StrictMode);
            QVERIFY(url.isValid() && url.scheme() == QStringLiteral("https") &&
                    !url.host().isEmpty());
        }

        const QString status = item.value("status").toString();
        const QJsonValue subStart = item.value("subStart");
        const QJsonValue subEnd = item.value("subEnd");
        const QJsonValue listDate = item.value("listDate");
        if (subStart.isNull() || subEnd.isNull() || listDate.isNull()) {
            QVERIFY(subStart.isNull() && subEnd.isNull() && listDate.isNull());
            QCOMPARE(status, QStringLiteral("upcoming"));
            return;
        }
        const QDate start = parseDay(subStart);
        const QDate end = parseDay(subEnd);
        const QDate listing = parseDay(listDate);
        QVERIFY(start.isValid() && end.isValid() && listing.isValid());
        QVERIFY(isWeekday(start) && isWeekday(end) && isWeekday(listing));
        QVERIFY(start <= end && end < listing);
        if (listing <= today)
            QCOMPARE(status, QStringLiteral("listed"));
        else if (start <= today && today <= end)
            QCOMPARE(status, QStringLiteral("open"));
        else
            QCOMPARE(status, QStringLiteral("upcoming"));
    }

    void verifyDemo(const QDate &today) {
        const auto list =
            get(QStringLiteral("ipos"), QStringLiteral("status=all&limit=500&offset=0"));
        QCOMPARE(list.status, 200);
        const QJsonArray items = list.json().value("items").toArray();
        QVERIFY2(items.size() >= 20 && items.size() <= 30,
                 qPrintable(QString::number(items.size())));
        QCOMPARE(list.json().value("count").toInt(), items.size());

        QSet<QString> codes;
        QHash<QString, int> perStatus;
        int undated = 0;
        int listingNextBusinessDay = 0;
        int withoutProspectus = 0;
        int growthBoard = 0;
        QDate previousStart;
        for (const QJsonValue &value : items) {
            QVERIFY(value.isObject());
            const QJsonObject item = value.toObject();
            verifyItem(item, today);
            if (QTest::currentTestFailed()) {
                qWarning() << "in" << item;
                return;
            }
            codes.insert(item.value("code").toString());
            ++perStatus[item.value("status").toString()];
            withoutProspectus += item.value("prospectusUrl").toString().isEmpty();
            growthBoard += item.value("board").toString() == QStringLiteral("创业板");
            if (item.value("subStart").isNull()) {
                // Undated IPOs come before all dated ones.
                QVERIFY(!previousStart.isValid());
                ++undated;
                continue;
            }
            const QDate start = parseDay(item.value("subStart"));
            // Newest subscription first.
            QVERIFY(!previousStart.isValid() || start <= previousStart);
            previousStart = start;
            listingNextBusinessDay += parseDay(item.value("listDate")) == nextBusinessDay(today);
        }
        QCOMPARE(codes.size(), items.size());
        QVERIFY(perStatus.value("listed") >= 1);
        QVERIFY(perStatus.value("open") >= 1);
        QVERIFY(perStatus.value("upcoming") >= 1);
        QVERIFY(undated >= 2 && undated <= 3);
        QVERIFY(listingNextBusinessDay >= 1);
        QVERIFY(withoutProspectus >= 1 && withoutProspectus <= 2);
        QVERIFY(growthBoard >= 1 && growthBoard < items.size() / 2);

        const auto statsResponse = get(QStringLiteral("ipos/stats"));
        QCOMPARE(statsResponse.status, 200);
        const QJsonObject stats = statsResponse.json();
        const QJsonObject counts = stats.value("counts").toObject();
        for (const char *status : {"upcoming", "open", "listed"}) {
            QVERIFY(counts.value(QLatin1String(status)).isDouble());
            QCOMPARE(counts.value(QLatin1String(status)).toInt(),
                     perStatus.value(QLatin1String(status)));
        }
        const QJsonObject sync = stats.value("latestSync").toObject();
        QCOMPARE(sync.value("status").toString(), QStringLiteral("success"));
        QVERIFY(sync.value("id").isString());
        const QDateTime started =
            QDateTime::fromString(sync.value("startedAt").toString(), Qt::ISODate);
        const QDateTime finished =
            QDateTime::fromString(sync.value("finishedAt").toString(), Qt::ISODate);
        QVERIFY(started.isValid() && finished.isValid() && started <= finished);
        for (const char *key : {"insertedCount", "updatedCount", "totalCount"}) {
            QVERIFY(sync.value(QLatin1String(key)).isDouble());
            QVERIFY(sync.value(QLatin1String(key)).toInt() >= 0);
        }
        QCOMPARE(sync.value("totalCount").toInt(), items.size());
    }

private slots:
    void demoLooksLikeARealCalendar_data() {
        QTest::addColumn<QDate>("today");
        QTest::newRow("Monday") << QDate(2025, 1, 6);
        QTest::newRow("Wednesday") << QDate(2025, 3, 12);
        QTest::newRow("Friday") << QDate(2025, 6, 13);
        QTest::newRow("Saturday") << QDate(2025, 6, 14);
        QTest::newRow("Sunday") << QDate(2025, 6, 15);
        QTest::newRow("New Year's Eve") << QDate(2025, 12, 31);
        QTest::newRow("leap day") << QDate(2024, 2, 29);
        QTest::newRow("the service's own today") << QDate();
    }
    void demoLooksLikeARealCalendar() {
        QFETCH(QDate, today);
        QVERIFY2(startAround(today), qPrintable(m_service.errorString()));
        // The service counts days in the market's zone, whatever the machine's zone is.
        const QDate expectedToday =
            today.isValid()
                ? today
                : QDateTime::currentDateTime().toTimeZone(QTimeZone("Asia/Shanghai")).date();
        verifyDemo(expectedToday);
    }

    void sameDayGivesTheSameData() {
        const QDate day(2025, 4, 9);
        QVERIFY2(startAround(day), qPrintable(m_service.errorString()));
        const QByteArray first =
            get(QStringLiteral("ipos"), QStringLiteral("status=all&limit=500&offset=0")).body;
        QVERIFY2(startAround(day), qPrintable(m_service.errorString()));
        const QByteArray second =
            get(QStringLiteral("ipos"), QStringLiteral("status=all&limit=500&offset=0")).body;
        QVERIFY(!first.isEmpty());
        QCOMPARE(second, first);
    }
};

ORVEL_TEST_CLASS(DemoDataTest);

#include "DemoDataTest.moc"
