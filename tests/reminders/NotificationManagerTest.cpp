#include "FakeNotificationCentre.h"
#include "ManualClock.h"
#include "TestRegistry.h"

#include "model/MarketCalendar.h"
#include "reminders/NotificationManager.h"

#include <QCoroTask>
#include <QTest>

using namespace Qt::StringLiterals;
using Status = NotificationAuthorizationStatus;

namespace {

// A moment of January 2025 in the market's zone: the 6th and 13th are Mondays, the 11th and
// 12th a weekend.
QDateTime at(int day, int hour, int minute, int second = 0, int msec = 0) {
    return QDateTime(QDate(2025, 1, day), QTime(hour, minute, second, msec), marketTimeZone());
}

IPORecord listing(const QString &code, const QString &name, QDate day = QDate(2025, 1, 14)) {
    IPORecord record;
    record.ipo.code = code;
    record.ipo.name = name;
    record.ipo.status = IPOStatus::upcoming;
    if (day.isValid())
        record.ipo.listingDate = marketCalendar().startOfDay(day);
    return record;
}

// An IPO whose subscription ends on `closingDay` of January 2025.
IPORecord closing(const QString &name, int closingDay, qint64 applied = 0,
                  IPOStatus status = IPOStatus::open) {
    IPORecord record;
    record.ipo.code = record.ipo.name = name;
    record.ipo.status = status;
    record.ipo.subEnd = marketCalendar().startOfDay(QDate(2025, 1, closingDay));
    record.subQuantity = applied;
    return record;
}

} // namespace

// Which reminders are scheduled for when, and that each kind only ever touches its own
// requests at the notification centre.
class NotificationManagerTest : public QObject {
    Q_OBJECT

private slots:
    void greyMarketReminderOnTheBusinessDayBefore1615_data() {
        QTest::addColumn<QDate>("listing");
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QDate>("reminderDay"); // invalid: none scheduled
        const QDate tuesday(2025, 1, 14), monday(2025, 1, 13), friday(2025, 1, 10);
        QTest::newRow("Tuesday listing, Monday") << tuesday << at(13, 10, 0) << monday;
        QTest::newRow("Tuesday listing, Sunday") << tuesday << at(12, 10, 0) << QDate();
        QTest::newRow("listing day") << tuesday << at(14, 10, 0) << QDate();
        QTest::newRow("Monday listing, Friday") << monday << at(10, 10, 0) << friday;
        QTest::newRow("Sunday listing, Friday") << QDate(2025, 1, 12) << at(10, 10, 0) << friday;
        QTest::newRow("no listing date") << QDate() << at(13, 10, 0) << QDate();
        QTest::newRow("16:14:59.999") << tuesday << at(13, 16, 14, 59, 999) << monday;
        QTest::newRow("16:15") << tuesday << at(13, 16, 15) << QDate();
        // The market's day decides, not the UTC day of the clock's reading.
        QTest::newRow("HK Monday, UTC Sunday")
            << tuesday << QDateTime(QDate(2025, 1, 12), QTime(16, 30), Qt::UTC) << monday;
        QTest::newRow("HK Tuesday, UTC Monday")
            << tuesday << QDateTime(QDate(2025, 1, 13), QTime(16, 30), Qt::UTC) << QDate();
    }
    void greyMarketReminderOnTheBusinessDayBefore1615() {
        QFETCH(QDate, listing);
        QFETCH(QDateTime, now);
        QFETCH(QDate, reminderDay);
        FakeNotificationCentre centre;
        testsupport::ManualClock clock(now);
        NotificationManager manager(&centre, clock.clock());
        QCoro::waitFor(
            manager.syncReminders({::listing(u"02590"_s, u"示例科技"_s, listing)}, true, false));
        const NotificationRequest expected{u"dark_market_02590"_s,
                                           {u"暗盘开盘通知"_s, u"示例科技 股票暗盘已开启"_s, true},
                                           {reminderDay, QTime(16, 15)}};
        QCOMPARE(centre.added,
                 reminderDay.isValid() ? QList{expected} : QList<NotificationRequest>());
    }

    // When the switch goes on; a request the centre refuses is logged and the others still go.
    void switchingOnFollowsPermission_data() {
        QTest::addColumn<Status>("status");
        QTest::addColumn<int>("answer");      // 1 granted, 0 refused, -1 the question fails
        QTest::addColumn<QString>("message"); // empty: switched on
        QTest::newRow("authorized") << Status::authorized << 1 << QString();
        QTest::newRow("denied earlier")
            << Status::denied << 1 << u"通知权限已关闭，请前往系统设置开启暗盘提醒。"_s;
        QTest::newRow("user agrees") << Status::notDetermined << 1 << QString();
        QTest::newRow("user refuses")
            << Status::notDetermined << 0 << u"未授予通知权限，请前往系统设置开启暗盘提醒。"_s;
        QTest::newRow("question fails")
            << Status::notDetermined << -1
            << u"请求通知权限失败：无法连接桌面会话总线（D-Bus），系统通知不可用。"_s;
    }
    void switchingOnFollowsPermission() {
        QFETCH(Status, status);
        QFETCH(int, answer);
        QFETCH(QString, message);
        FakeNotificationCentre centre;
        centre.status = status;
        centre.refusedIdentifiers = {u"dark_market_00002"_s};
        if (answer < 0)
            centre.authorizationAnswer = NotificationCentreError::noSessionBus();
        else
            centre.authorizationAnswer = answer == 1;
        testsupport::ManualClock clock(at(13, 10, 0));
        NotificationManager manager(&centre, clock.clock());
        if (message.isEmpty()) {
            QTest::ignoreMessage(QtInfoMsg, "[Notify] Scheduled for 甲 at 16:15");
            QTest::ignoreMessage(QtWarningMsg,
                                 "[Notify] Failed to schedule: 通知请求无效：测试拒绝。");
            QTest::ignoreMessage(QtInfoMsg, "[Notify] Scheduled for 丙 at 16:15");
        }
        const RemindersToggleResult result = QCoro::waitFor(manager.setRemindersEnabled(
            true, {listing(u"00001"_s, u"甲"_s), listing(u"00002"_s, u"乙"_s),
                   listing(u"00003"_s, u"丙"_s)}));
        QCOMPARE(result,
                 (RemindersToggleResult{message.isEmpty(),
                                        message.isEmpty() ? std::nullopt : std::optional(message),
                                        !message.isEmpty()}));
        QCOMPARE(centre.authorizationRequests, status == Status::notDetermined
                                                   ? QList{NotificationAuthorizationOption::alert |
                                                           NotificationAuthorizationOption::sound}
                                                   : QList<NotificationAuthorizationOptions>());
        QStringList added;
        for (const NotificationRequest &request : centre.added)
            added.append(request.identifier);
        QCOMPARE(added,
                 (message.isEmpty() ? QStringList{u"dark_market_00001"_s, u"dark_market_00003"_s}
                                    : QStringList()));
    }

    // Each kind replaces only its own requests; look-alike identifiers are someone else's. A
    // resync never asks for permission and drops reminders once it is withdrawn.
    void eachKindKeepsToItsOwnRequests_data() {
        QTest::addColumn<QString>("through"); // "grey switch", "closing switch" or "resync"
        QTest::addColumn<Status>("status");
        QTest::addColumn<bool>("darkMarketOn");
        QTest::addColumn<bool>("closingDayOn");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QStringList>("left");
        const QStringList others{u"DARK_MARKET_5"_s, u"calendar_42"_s, u"dark_marke_3"_s,
                                 u"xdark_market_4"_s};
        const QString staleClosing = u"closing_day_2025-01-10"_s,
                      staleGrey = u"dark_market_09999"_s;
        const QString closingDay = u"closing_day_2025-01-13"_s, grey = u"dark_market_00001"_s;
        QTest::newRow("grey switch off") << "grey switch" << Status::authorized << false << true
                                         << QString() << others + QStringList{staleClosing};
        QTest::newRow("closing switch on")
            << "closing switch" << Status::authorized << false << true << QString()
            << others + QStringList{closingDay, staleGrey};
        QTest::newRow("closing switch off")
            << "closing switch" << Status::authorized << false << false << QString()
            << others + QStringList{staleGrey};
        QTest::newRow("closing switch, denied earlier")
            << "closing switch" << Status::denied << false << true
            << u"通知权限已关闭，请前往系统设置开启截止提醒。"_s
            << others + QStringList{staleClosing, staleGrey};
        QTest::newRow("closing switch, user refuses")
            << "closing switch" << Status::notDetermined << false << true
            << u"未授予通知权限，请前往系统设置开启截止提醒。"_s
            << others + QStringList{staleClosing, staleGrey};
        QTest::newRow("resync, grey on") << "resync" << Status::authorized << true << false
                                         << QString() << others + QStringList{grey};
        QTest::newRow("resync, closing on") << "resync" << Status::authorized << false << true
                                            << QString() << others + QStringList{closingDay};
        QTest::newRow("resync, permission withdrawn")
            << "resync" << Status::denied << true << true << QString() << others;
        QTest::newRow("resync, undetermined")
            << "resync" << Status::notDetermined << true << false << QString() << others;
    }
    void eachKindKeepsToItsOwnRequests() {
        QFETCH(QString, through);
        QFETCH(Status, status);
        QFETCH(bool, darkMarketOn);
        QFETCH(bool, closingDayOn);
        QFETCH(QString, message);
        QFETCH(QStringList, left);
        FakeNotificationCentre centre;
        centre.status = status;
        centre.authorizationAnswer = false;
        for (const QString &identifier :
             {u"calendar_42"_s, u"dark_marke_3"_s, u"xdark_market_4"_s, u"DARK_MARKET_5"_s,
              u"dark_market_09999"_s, u"closing_day_2025-01-10"_s})
            centre.pending.append({identifier, {u"别人的"_s, {}, false}, {{2025, 1, 13}, {9, 0}}});
        // Friday morning: one IPO closes on Monday, another lists then (grey market today).
        testsupport::ManualClock clock(at(10, 8, 0));
        NotificationManager manager(&centre, clock.clock());
        const QList<IPORecord> records{closing(u"甲"_s, 13),
                                       listing(u"00001"_s, u"乙"_s, QDate(2025, 1, 13))};
        std::optional<RemindersToggleResult> result;
        if (through == u"grey switch")
            result = QCoro::waitFor(manager.setRemindersEnabled(darkMarketOn, records));
        else if (through == u"closing switch")
            result = QCoro::waitFor(manager.setClosingDayRemindersEnabled(closingDayOn, records));
        else
            QCoro::waitFor(manager.syncReminders(records, darkMarketOn, closingDayOn));
        if (result)
            QCOMPARE(result->message.value_or(QString()), message);
        QStringList pendingNow = centre.pendingIdentifiers();
        pendingNow.sort();
        left.sort();
        QCOMPARE(pendingNow, left);
        QVERIFY(through != u"resync" || centre.authorizationRequests.isEmpty());
    }

    // One request per closing day from today on; each entry is "day: body".
    void closingDaySchedule_data() {
        QTest::addColumn<QList<IPORecord>>("records");
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QStringList>("expected");
        const QString a = u"甲"_s, b = u"乙"_s, c = u"丙"_s;
        QTest::newRow("Friday morning, across the weekend")
            << QList{closing(a, 10), closing(b, 13), closing(c, 13)} << at(10, 8, 59)
            << QStringList{"2025-01-10: 甲", "2025-01-13: 乙、丙"};
        QTest::newRow("from 09:00 today gets none")
            << QList{closing(a, 10), closing(b, 13)} << at(10, 9, 0)
            << QStringList{"2025-01-13: 乙"};
        QTest::newRow("days before today")
            << QList{closing(a, 7), closing(b, 9)} << at(8, 7, 0) << QStringList{"2025-01-09: 乙"};
        QTest::newRow("applied for, or listed, is left out")
            << QList{closing(a, 10, 2000), closing(b, 10), closing(c, 10, 0, IPOStatus::listed)}
            << at(10, 8, 0) << QStringList{"2025-01-10: 乙"};
        QTest::newRow("the market's day, not UTC's")
            << QList{closing(a, 10)} << QDateTime(QDate(2025, 1, 9), QTime(23, 30), Qt::UTC)
            << QStringList{"2025-01-10: 甲"};
        QList<IPORecord> five;
        for (const char *name : {"一", "二\n二", "三", "<b>四</b>", "五"})
            five.append(closing(QString::fromUtf8(name), 13));
        QTest::newRow("five names, line break flattened")
            << five << at(10, 12, 0) << QStringList{"2025-01-13: 一、二 二、三、<b>四</b>、五"};
        QTest::newRow("from six names on, the count")
            << five + QList{closing(u"六"_s, 13)} << at(10, 12, 0)
            << QStringList{"2025-01-13: 一、二 二、三、<b>四</b>、五等 6 只"};
    }
    void closingDaySchedule() {
        QFETCH(QList<IPORecord>, records);
        QFETCH(QDateTime, now);
        QFETCH(QStringList, expected);
        QStringList scheduled;
        for (const NotificationRequest &request :
             NotificationManager::closingDayRequests(records, now, marketCalendar())) {
            const QString day = request.trigger.date.toString(Qt::ISODate);
            QCOMPARE(request.identifier, u"closing_day_"_s + day);
            QCOMPARE(request.trigger.time, QTime(9, 0));
            QCOMPARE(request.content.title, u"今日截止申购"_s);
            scheduled.append(day + u": "_s + request.content.body);
        }
        QCOMPARE(scheduled, expected);
    }
};

ORVEL_TEST_CLASS(NotificationManagerTest);

#include "NotificationManagerTest.moc"
