#include "FakeNotificationCentre.h"
#include "ManualClock.h"
#include "TestRegistry.h"

#include "model/MarketCalendar.h"
#include "reminders/NotificationManager.h"

#include <QCoroTask>
#include <QTest>

namespace {

// 2025-01-06 is a Monday; the 11th and 12th are a weekend.
QDateTime marketTime(int day, int hour, int minute, int second = 0, int msec = 0) {
    return QDateTime(QDate(2025, 1, day), QTime(hour, minute, second, msec), marketTimeZone());
}

IPORecord record(const QString &code, const QString &name, QDate listing) {
    IPORecord record;
    record.ipo.code = code;
    record.ipo.name = name;
    record.ipo.status = IPOStatus::upcoming;
    if (listing.isValid())
        record.ipo.listingDate = marketCalendar().startOfDay(listing);
    return record;
}

IPORecord listingTuesday(const QString &code = QStringLiteral("02590"),
                         const QString &name = QStringLiteral("示例科技")) {
    return record(code, name, QDate(2025, 1, 14));
}

// An IPO whose subscription ends on `closing` (January 2025).
IPORecord closing(const QString &name, int closingDay, qint64 applied = 0,
                  IPOStatus status = IPOStatus::open) {
    IPORecord record;
    record.ipo.code = name;
    record.ipo.name = name;
    record.ipo.status = status;
    record.ipo.subEnd = marketCalendar().startOfDay(QDate(2025, 1, closingDay));
    record.subQuantity = applied;
    return record;
}

NotificationRequest pendingRequest(const QString &identifier) {
    NotificationRequest request;
    request.identifier = identifier;
    request.content.title = QStringLiteral("别人的提醒");
    request.trigger = {QDate(2025, 1, 13), QTime(9, 0)};
    return request;
}

QStringList identifiers(const QList<NotificationRequest> &requests) {
    QStringList result;
    for (const NotificationRequest &request : requests)
        result.append(request.identifier);
    return result;
}

enum AuthorizationAnswer { granted, refused, fails };

} // namespace

class NotificationManagerTest : public QObject {
    Q_OBJECT

private slots:
    void schedulesOnTheReminderDayBefore1615_data() {
        QTest::addColumn<QDate>("listing");
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<bool>("scheduled");
        QTest::addColumn<QDate>("reminderDay");

        const QDate monday(2025, 1, 13);
        const QDate friday(2025, 1, 10);
        QTest::newRow("Tuesday listing, run on Monday")
            << QDate(2025, 1, 14) << marketTime(13, 10, 0) << true << monday;
        QTest::newRow("Tuesday listing, run on Sunday")
            << QDate(2025, 1, 14) << marketTime(12, 10, 0) << false << QDate();
        QTest::newRow("Tuesday listing, run on listing day")
            << QDate(2025, 1, 14) << marketTime(14, 10, 0) << false << QDate();
        QTest::newRow("Monday listing, run on Friday")
            << QDate(2025, 1, 13) << marketTime(10, 10, 0) << true << friday;
        QTest::newRow("Monday listing, run on Sunday")
            << QDate(2025, 1, 13) << marketTime(12, 10, 0) << false << QDate();
        QTest::newRow("Sunday listing, run on Friday")
            << QDate(2025, 1, 12) << marketTime(10, 10, 0) << true << friday;
        QTest::newRow("Sunday listing, run on Saturday")
            << QDate(2025, 1, 12) << marketTime(11, 10, 0) << false << QDate();
        QTest::newRow("listing the day after tomorrow")
            << QDate(2025, 1, 15) << marketTime(13, 10, 0) << false << QDate();
        QTest::newRow("no listing date") << QDate() << marketTime(13, 10, 0) << false << QDate();
        QTest::newRow("at 16:14") << QDate(2025, 1, 14) << marketTime(13, 16, 14) << true << monday;
        QTest::newRow("last millisecond before 16:15")
            << QDate(2025, 1, 14) << marketTime(13, 16, 14, 59, 999) << true << monday;
        QTest::newRow("at 16:15") << QDate(2025, 1, 14) << marketTime(13, 16, 15) << false
                                  << QDate();
        QTest::newRow("in the evening")
            << QDate(2025, 1, 14) << marketTime(13, 21, 0) << false << QDate();
        // The market's day decides, not the UTC day of the clock's reading.
        QTest::newRow("Monday in Hong Kong, still Sunday in UTC")
            << QDate(2025, 1, 14) << QDateTime(QDate(2025, 1, 12), QTime(16, 30), Qt::UTC) << true
            << monday;
        QTest::newRow("listing day in Hong Kong, still Monday in UTC")
            << QDate(2025, 1, 14) << QDateTime(QDate(2025, 1, 13), QTime(16, 30), Qt::UTC) << false
            << QDate();
    }
    void schedulesOnTheReminderDayBefore1615() {
        QFETCH(QDate, listing);
        QFETCH(QDateTime, now);
        QFETCH(bool, scheduled);
        QFETCH(QDate, reminderDay);

        FakeNotificationCentre centre;
        testsupport::ManualClock clock(now);
        NotificationManager manager(&centre, clock.clock());
        if (scheduled)
            QTest::ignoreMessage(QtInfoMsg, "[Notify] Scheduled for 示例科技 at 16:15");

        QCoro::waitFor(manager.syncReminders(
            {record(QStringLiteral("02590"), QStringLiteral("示例科技"), listing)}, true, false));

        QCOMPARE(centre.added.size(), scheduled ? 1 : 0);
        if (!scheduled)
            return;
        const NotificationRequest &request = centre.added.first();
        QCOMPARE(request.identifier, QStringLiteral("dark_market_02590"));
        QCOMPARE(request.content.title, QStringLiteral("暗盘开盘通知"));
        QCOMPARE(request.content.body, QStringLiteral("示例科技 股票暗盘已开启"));
        QVERIFY(request.content.playsDefaultSound);
        QCOMPARE(request.trigger.date, reminderDay);
        QCOMPARE(request.trigger.time, QTime(16, 15));
    }

    void failedAddIsLoggedAndTheOthersAreStillScheduled() {
        FakeNotificationCentre centre;
        centre.refusedIdentifiers = {QStringLiteral("dark_market_00002")};
        testsupport::ManualClock clock(marketTime(13, 9, 30));
        NotificationManager manager(&centre, clock.clock());

        QTest::ignoreMessage(QtInfoMsg, "[Notify] Scheduled for 甲公司 at 16:15");
        QTest::ignoreMessage(QtWarningMsg, "[Notify] Failed to schedule: 通知请求无效：测试拒绝。");
        QTest::ignoreMessage(QtInfoMsg, "[Notify] Scheduled for 丙公司 at 16:15");
        const RemindersToggleResult result = QCoro::waitFor(manager.setRemindersEnabled(
            true, {listingTuesday(QStringLiteral("00001"), QStringLiteral("甲公司")),
                   listingTuesday(QStringLiteral("00002"), QStringLiteral("乙公司")),
                   listingTuesday(QStringLiteral("00003"), QStringLiteral("丙公司"))}));

        QCOMPARE(result, (RemindersToggleResult{true, std::nullopt, false}));
        QCOMPARE(identifiers(centre.added), QStringList({QStringLiteral("dark_market_00001"),
                                                         QStringLiteral("dark_market_00003")}));
    }

    void turningOffRemovesOnlyOwnRequests_data() {
        QTest::addColumn<bool>("throughSwitch");
        QTest::addColumn<QStringList>("pending");
        QTest::addColumn<QStringList>("removed");
        QTest::addColumn<QStringList>("left");

        const QStringList mixed = {
            QStringLiteral("dark_market_00001"),  QStringLiteral("calendar_42"),
            QStringLiteral("dark_market_00002"),  QStringLiteral("dark_marke_00003"),
            QStringLiteral("xdark_market_00004"), QStringLiteral("DARK_MARKET_00005")};
        const QStringList ours = {QStringLiteral("dark_market_00001"),
                                  QStringLiteral("dark_market_00002")};
        const QStringList others = {
            QStringLiteral("calendar_42"), QStringLiteral("dark_marke_00003"),
            QStringLiteral("xdark_market_00004"), QStringLiteral("DARK_MARKET_00005")};
        // The switch leaves the closing-day kind alone (a resync with both off removes both).
        const QStringList closingDay{QStringLiteral("closing_day_2025-01-13")};
        QTest::newRow("switch, mixed") << true << mixed + closingDay << ours << others + closingDay;
        QTest::newRow("sync, mixed") << false << mixed << ours << others;
        QTest::newRow("switch, none of ours") << true << others << QStringList() << others;
        QTest::newRow("sync, nothing pending")
            << false << QStringList() << QStringList() << QStringList();
    }
    void turningOffRemovesOnlyOwnRequests() {
        QFETCH(bool, throughSwitch);
        QFETCH(QStringList, pending);
        QFETCH(QStringList, removed);
        QFETCH(QStringList, left);

        FakeNotificationCentre centre;
        for (const QString &identifier : pending)
            centre.pending.append(pendingRequest(identifier));
        testsupport::ManualClock clock(marketTime(13, 10, 0));
        NotificationManager manager(&centre, clock.clock());

        if (throughSwitch) {
            const RemindersToggleResult result =
                QCoro::waitFor(manager.setRemindersEnabled(false, {listingTuesday()}));
            QCOMPARE(result, (RemindersToggleResult{false, std::nullopt, false}));
        } else {
            QCoro::waitFor(manager.syncReminders({listingTuesday()}, false, false));
        }

        QCOMPARE(centre.removals,
                 removed.isEmpty() ? QList<QStringList>() : QList<QStringList>{removed});
        QCOMPARE(centre.pendingIdentifiers(), left);
        QVERIFY(centre.added.isEmpty());
        QVERIFY(centre.authorizationRequests.isEmpty());
    }

    void switchingOnFollowsPermission_data() {
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("active");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("asked");

        const int notDetermined = int(NotificationAuthorizationStatus::notDetermined);
        QTest::newRow("authorized") << int(NotificationAuthorizationStatus::authorized)
                                    << int(granted) << true << QString() << false;
        QTest::newRow("denied earlier")
            << int(NotificationAuthorizationStatus::denied) << int(granted) << false
            << QStringLiteral("通知权限已关闭，请前往系统设置开启暗盘提醒。") << false;
        QTest::newRow("undetermined, user agrees")
            << notDetermined << int(granted) << true << QString() << true;
        QTest::newRow("undetermined, user refuses")
            << notDetermined << int(refused) << false
            << QStringLiteral("未授予通知权限，请前往系统设置开启暗盘提醒。") << true;
        QTest::newRow("undetermined, request fails")
            << notDetermined << int(fails) << false
            << QStringLiteral("请求通知权限失败：无法连接桌面会话总线（D-Bus），系统通知不可用。")
            << true;
    }
    void switchingOnFollowsPermission() {
        QFETCH(int, status);
        QFETCH(int, answer);
        QFETCH(bool, active);
        QFETCH(QString, message);
        QFETCH(bool, asked);

        FakeNotificationCentre centre;
        centre.status = NotificationAuthorizationStatus(status);
        if (answer == fails)
            centre.authorizationAnswer = NotificationCentreError::noSessionBus();
        else
            centre.authorizationAnswer = answer == granted;
        testsupport::ManualClock clock(marketTime(13, 10, 0));
        NotificationManager manager(&centre, clock.clock());
        if (active)
            QTest::ignoreMessage(QtInfoMsg, "[Notify] Scheduled for 示例科技 at 16:15");

        const RemindersToggleResult result =
            QCoro::waitFor(manager.setRemindersEnabled(true, {listingTuesday()}));

        QCOMPARE(result.remindersActive, active);
        QCOMPARE(result.message.value_or(QString()), message);
        QCOMPARE(result.message.has_value(), !message.isEmpty());
        QCOMPARE(result.messageIsFailure, !message.isEmpty());
        QCOMPARE(centre.authorizationRequests, asked
                                                   ? QList{NotificationAuthorizationOption::alert |
                                                           NotificationAuthorizationOption::sound}
                                                   : QList<NotificationAuthorizationOptions>());
        QCOMPARE(identifiers(centre.added),
                 active ? QStringList{QStringLiteral("dark_market_02590")} : QStringList());
    }

    void syncNeverAsksAndDropsRemindersWithoutPermission_data() {
        QTest::addColumn<int>("status");
        QTest::addColumn<QStringList>("left");

        QTest::newRow("authorized")
            << int(NotificationAuthorizationStatus::authorized)
            << QStringList{QStringLiteral("calendar_42"), QStringLiteral("dark_market_02590")};
        QTest::newRow("withdrawn") << int(NotificationAuthorizationStatus::denied)
                                   << QStringList{QStringLiteral("calendar_42")};
        QTest::newRow("undetermined") << int(NotificationAuthorizationStatus::notDetermined)
                                      << QStringList{QStringLiteral("calendar_42")};
    }
    void syncNeverAsksAndDropsRemindersWithoutPermission() {
        QFETCH(int, status);
        QFETCH(QStringList, left);

        FakeNotificationCentre centre;
        centre.status = NotificationAuthorizationStatus(status);
        // A reminder of an IPO the service no longer lists, and someone else's request.
        centre.pending = {pendingRequest(QStringLiteral("dark_market_09999")),
                          pendingRequest(QStringLiteral("calendar_42"))};
        testsupport::ManualClock clock(marketTime(13, 10, 0));
        NotificationManager manager(&centre, clock.clock());
        if (left.size() > 1)
            QTest::ignoreMessage(QtInfoMsg, "[Notify] Scheduled for 示例科技 at 16:15");

        QCoro::waitFor(manager.syncReminders({listingTuesday()}, true, false));

        QCOMPARE(centre.pendingIdentifiers(), left);
        QVERIFY(centre.authorizationRequests.isEmpty());
    }

    // One request per closing day from today on; each entry is "day: body".
    void closingDaySchedule_data() {
        QTest::addColumn<QList<IPORecord>>("records");
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QStringList>("expected");

        const QString a = QStringLiteral("甲"), b = QStringLiteral("乙"), c = QStringLiteral("丙");
        QTest::newRow("Friday morning, across the weekend")
            << QList{closing(a, 10), closing(b, 13), closing(c, 13)} << marketTime(10, 8, 59)
            << QStringList{"2025-01-10: 甲", "2025-01-13: 乙、丙"};
        QTest::newRow("from 09:00 today gets none")
            << QList{closing(a, 10), closing(b, 13)} << marketTime(10, 9, 0)
            << QStringList{"2025-01-13: 乙"};
        QTest::newRow("days before today and days without a closing IPO")
            << QList{closing(a, 7), closing(b, 9)} << marketTime(8, 7, 0)
            << QStringList{"2025-01-09: 乙"};
        QTest::newRow("applied for, or listed, is left out")
            << QList{closing(a, 10, 2000), closing(b, 10), closing(c, 10, 0, IPOStatus::listed),
                     closing(QStringLiteral("丁"), 13, 500)}
            << marketTime(10, 8, 0) << QStringList{"2025-01-10: 乙"};
        QTest::newRow("the market's day, not UTC's")
            << QList{closing(a, 10)} << QDateTime(QDate(2025, 1, 9), QTime(23, 30), Qt::UTC)
            << QStringList{"2025-01-10: 甲"};

        QList<IPORecord> five;
        for (const char *name : {"一", "二\n二", "三", "<b>四</b>", "五"})
            five.append(closing(QString::fromUtf8(name), 13));
        QTest::newRow("five names, line break flattened")
            << five << marketTime(10, 12, 0)
            << QStringList{"2025-01-13: 一、二 二、三、<b>四</b>、五"};
        QList<IPORecord> seven = five;
        seven << closing(QStringLiteral("六"), 13) << closing(QStringLiteral("七"), 13);
        QTest::newRow("from six names on, the count")
            << seven << marketTime(10, 12, 0)
            << QStringList{"2025-01-13: 一、二 二、三、<b>四</b>、五等 7 只"};
    }
    void closingDaySchedule() {
        QFETCH(QList<IPORecord>, records);
        QFETCH(QDateTime, now);
        QFETCH(QStringList, expected);

        QStringList scheduled;
        for (const NotificationRequest &request :
             NotificationManager::closingDayRequests(records, now, marketCalendar())) {
            const QString day = request.trigger.date.toString(Qt::ISODate);
            QCOMPARE(request.identifier, QStringLiteral("closing_day_") + day);
            QCOMPARE(request.trigger.time, QTime(9, 0));
            QCOMPARE(request.content.title, QStringLiteral("今日截止申购"));
            scheduled.append(day + QStringLiteral(": ") + request.content.body);
        }
        QCOMPARE(scheduled, expected);
    }

    // The closing-day switch and the resync after a rebuild: each kind replaces only its own
    // requests, with the closing-day switch's own texts.
    void closingDayRemindersFollowTheirSwitch_data() {
        QTest::addColumn<bool>("throughSwitch");
        QTest::addColumn<int>("status");
        QTest::addColumn<bool>("darkMarketOn");
        QTest::addColumn<bool>("closingDayOn");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QStringList>("left");

        const int authorized = int(NotificationAuthorizationStatus::authorized);
        const QString otherApp = QStringLiteral("calendar_42");
        const QString darkMarket = QStringLiteral("dark_market_09999");
        const QString stale = QStringLiteral("closing_day_2025-01-10");
        const QString fresh = QStringLiteral("closing_day_2025-01-13");
        QTest::newRow("switch on") << true << authorized << false << true << QString()
                                   << QStringList{otherApp, darkMarket, fresh};
        QTest::newRow("switch off") << true << authorized << false << false << QString()
                                    << QStringList{otherApp, darkMarket};
        QTest::newRow("switch on, permission refused earlier")
            << true << int(NotificationAuthorizationStatus::denied) << false << true
            << QStringLiteral("通知权限已关闭，请前往系统设置开启截止提醒。")
            << QStringList{otherApp, darkMarket, stale};
        QTest::newRow("switch on, user refuses")
            << true << int(NotificationAuthorizationStatus::notDetermined) << false << true
            << QStringLiteral("未授予通知权限，请前往系统设置开启截止提醒。")
            << QStringList{otherApp, darkMarket, stale};
        QTest::newRow("resync, closing day off")
            << false << authorized << true << false << QString()
            << QStringList{otherApp, QStringLiteral("dark_market_00001")};
        QTest::newRow("resync, grey market off")
            << false << authorized << false << true << QString() << QStringList{otherApp, fresh};
        QTest::newRow("resync, permission withdrawn")
            << false << int(NotificationAuthorizationStatus::denied) << true << true << QString()
            << QStringList{otherApp};
    }
    void closingDayRemindersFollowTheirSwitch() {
        QFETCH(bool, throughSwitch);
        QFETCH(int, status);
        QFETCH(bool, darkMarketOn);
        QFETCH(bool, closingDayOn);
        QFETCH(QString, message);
        QFETCH(QStringList, left);

        FakeNotificationCentre centre;
        centre.status = NotificationAuthorizationStatus(status);
        centre.authorizationAnswer = false;
        centre.pending = {pendingRequest(QStringLiteral("calendar_42")),
                          pendingRequest(QStringLiteral("dark_market_09999")),
                          pendingRequest(QStringLiteral("closing_day_2025-01-10"))};
        // Friday morning: one IPO closes on Monday, another lists then (grey market today).
        testsupport::ManualClock clock(marketTime(10, 8, 0));
        NotificationManager manager(&centre, clock.clock());
        const QList<IPORecord> records{
            closing(QStringLiteral("甲"), 13),
            record(QStringLiteral("00001"), QStringLiteral("乙"), QDate(2025, 1, 13))};

        if (throughSwitch) {
            const RemindersToggleResult result =
                QCoro::waitFor(manager.setClosingDayRemindersEnabled(closingDayOn, records));
            QCOMPARE(result.remindersActive, closingDayOn && message.isEmpty());
            QCOMPARE(result.message.value_or(QString()), message);
        } else {
            QCoro::waitFor(manager.syncReminders(records, darkMarketOn, closingDayOn));
        }

        QStringList pending = centre.pendingIdentifiers();
        pending.sort();
        left.sort();
        QCOMPARE(pending, left);
    }
};

ORVEL_TEST_CLASS(NotificationManagerTest);

#include "NotificationManagerTest.moc"
