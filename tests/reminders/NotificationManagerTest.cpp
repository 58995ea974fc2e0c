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

// An IPO listing on `listingDay` of January 2025, or closing its subscription on `closingDay`
// (0: no such day).
IPORecord ipo(const QString &code, const QString &name, int listingDay, int closingDay = 0,
              qint64 applied = 0, IPOStatus status = IPOStatus::open) {
    IPORecord record;
    record.ipo.code = code;
    record.ipo.name = name;
    record.ipo.status = status;
    if (listingDay > 0)
        record.ipo.listingDate = marketCalendar().startOfDay(QDate(2025, 1, listingDay));
    if (closingDay > 0)
        record.ipo.subEnd = marketCalendar().startOfDay(QDate(2025, 1, closingDay));
    record.subQuantity = applied;
    return record;
}

IPORecord closing(const QString &name, int closingDay, qint64 applied = 0,
                  IPOStatus status = IPOStatus::open) {
    return ipo(name, name, 0, closingDay, applied, status);
}

const QString greyKey = ReminderKind::darkMarket().settingsKey;
const QString closingKey = ReminderKind::closingDay().settingsKey;

} // namespace

// Which reminders are scheduled for when, and that each kind only ever touches its own
// requests at the notification centre.
class NotificationManagerTest : public QObject {
    Q_OBJECT

private slots:
    void greyMarketReminderOnTheBusinessDayBefore1615_data() {
        QTest::addColumn<int>("listing"); // the day in January; 0: none
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<int>("reminderDay"); // 0: none scheduled
        QTest::newRow("Tuesday listing, Monday") << 14 << at(13, 10, 0) << 13;
        QTest::newRow("Tuesday listing, Sunday") << 14 << at(12, 10, 0) << 0;
        QTest::newRow("listing day") << 14 << at(14, 10, 0) << 0;
        QTest::newRow("Monday listing, Friday") << 13 << at(10, 10, 0) << 10;
        QTest::newRow("Sunday listing, Friday") << 12 << at(10, 10, 0) << 10;
        QTest::newRow("no listing date") << 0 << at(13, 10, 0) << 0;
        QTest::newRow("16:14:59.999") << 14 << at(13, 16, 14, 59, 999) << 13;
        QTest::newRow("16:15") << 14 << at(13, 16, 15) << 0;
        // The market's day decides, not the UTC day of the clock's reading.
        QTest::newRow("HK Monday, UTC Sunday")
            << 14 << QDateTime(QDate(2025, 1, 12), QTime(16, 30), Qt::UTC) << 13;
        QTest::newRow("HK Tuesday, UTC Monday")
            << 14 << QDateTime(QDate(2025, 1, 13), QTime(16, 30), Qt::UTC) << 0;
    }
    void greyMarketReminderOnTheBusinessDayBefore1615() {
        QFETCH(int, listing);
        QFETCH(QDateTime, now);
        QFETCH(int, reminderDay);
        FakeNotificationCentre centre;
        testsupport::ManualClock clock(now);
        NotificationManager manager(&centre, clock.clock());
        QCoro::waitFor(manager.syncReminders({ipo(u"02590"_s, u"示例科技"_s, listing)}, {greyKey}));
        const NotificationRequest expected{
            u"dark_market_02590"_s,
            {u"暗盘开盘通知"_s, u"示例科技 股票暗盘已开启"_s, true},
            {QDate(2025, 1, reminderDay), QTime(16, 15), marketTimeZone()}};
        QCOMPARE(centre.added, reminderDay > 0 ? QList{expected} : QList<NotificationRequest>());
    }

    // The switches follow permission; each kind replaces only its own requests (look-alike
    // identifiers are someone else's); a request the centre refuses is logged and the others
    // still go. A resync never asks for permission and drops reminders once it is withdrawn.
    void switchesAndResync_data() {
        // What is done is the row's name up to any comma: a switch turned on or off, or a resync
        // with one kind or both on.
        QTest::addColumn<Status>("status");
        QTest::addColumn<int>("answer"); // 1 granted, 0 refused, -1 the question fails
        QTest::addColumn<QString>("message");
        QTest::addColumn<QStringList>("ours"); // pending afterwards, besides the others' requests
        const QString staleClosing = u"closing_day_2025-01-10"_s,
                      staleGrey = u"dark_market_09999"_s, closingDay = u"closing_day_2025-01-13"_s;
        const QStringList unchanged{staleClosing, staleGrey};
        const QStringList grey{u"dark_market_00001"_s, u"dark_market_00003"_s},
            greyOn = grey + QStringList{staleClosing};
        const QString greyOff = u"请前往系统设置开启暗盘提醒。"_s;
        const auto row = [](const char *name, Status status, int answer, const QString &message,
                            const QStringList &ours) {
            QTest::newRow(name) << status << answer << message << ours;
        };
        row("grey on", Status::authorized, 1, {}, greyOn);
        row("grey on, denied earlier", Status::denied, 1, u"通知权限已关闭，"_s + greyOff,
            unchanged);
        row("grey on, user agrees", Status::notDetermined, 1, {}, greyOn);
        row("grey on, user refuses", Status::notDetermined, 0, u"未授予通知权限，"_s + greyOff,
            unchanged);
        row("grey on, question fails", Status::notDetermined, -1,
            u"请求通知权限失败：无法连接桌面会话总线（D-Bus），系统通知不可用。"_s, unchanged);
        row("grey off", Status::authorized, 1, {}, {staleClosing});
        row("closing on", Status::authorized, 1, {}, {closingDay, staleGrey});
        row("closing off", Status::authorized, 1, {}, {staleGrey});
        row("closing on, denied earlier", Status::denied, 1,
            u"通知权限已关闭，请前往系统设置开启截止提醒。"_s, unchanged);
        row("resync grey", Status::authorized, 1, {}, grey);
        row("resync closing", Status::authorized, 1, {}, {closingDay});
        row("resync both, permission withdrawn", Status::notDetermined, 1, {}, {});
    }
    void switchesAndResync() {
        const QString action = QString::fromUtf8(QTest::currentDataTag()).section(u',', 0, 0);
        QFETCH(Status, status);
        QFETCH(int, answer);
        QFETCH(QString, message);
        QFETCH(QStringList, ours);
        FakeNotificationCentre centre;
        centre.status = status;
        if (answer < 0)
            centre.authorizationAnswer = NotificationCentreError::noSessionBus();
        else
            centre.authorizationAnswer = answer == 1;
        centre.refusedIdentifiers = {u"dark_market_00002"_s};
        const QStringList others{u"calendar_42"_s, u"dark_marke_3"_s, u"xdark_market_4"_s,
                                 u"DARK_MARKET_5"_s};
        for (const QString &identifier :
             others + QStringList{u"dark_market_09999"_s, u"closing_day_2025-01-10"_s})
            centre.pending.append(
                {identifier, {u"别人的"_s, {}, false}, {{2025, 1, 13}, {9, 0}, {}}});
        if (ours.contains(u"dark_market_00001"_s)) {
            QTest::ignoreMessage(QtInfoMsg, "[Notify] Scheduled for 甲 at 16:15");
            QTest::ignoreMessage(QtWarningMsg,
                                 "[Notify] Failed to schedule: 通知请求无效：测试拒绝。");
            QTest::ignoreMessage(QtInfoMsg, "[Notify] Scheduled for 丙 at 16:15");
        }
        // Friday morning: one IPO closes on Monday, three list then (grey market today).
        testsupport::ManualClock clock(at(10, 8, 0));
        NotificationManager manager(&centre, clock.clock());
        const QList<IPORecord> records{closing(u"丁"_s, 13), ipo(u"00001"_s, u"甲"_s, 13),
                                       ipo(u"00002"_s, u"乙"_s, 13), ipo(u"00003"_s, u"丙"_s, 13)};
        std::optional<RemindersToggleResult> result;
        const bool on = action.endsWith(u"on");
        if (action.startsWith(u"grey"))
            result = QCoro::waitFor(
                manager.setRemindersEnabled(ReminderKind::darkMarket(), on, records));
        else if (action.startsWith(u"closing"))
            result = QCoro::waitFor(
                manager.setRemindersEnabled(ReminderKind::closingDay(), on, records));
        else if (action == u"resync grey")
            QCoro::waitFor(manager.syncReminders(records, {greyKey}));
        else if (action == u"resync closing")
            QCoro::waitFor(manager.syncReminders(records, {closingKey}));
        else
            QCoro::waitFor(manager.syncReminders(records, {greyKey, closingKey}));
        if (result)
            QCOMPARE(*result, (RemindersToggleResult{on && message.isEmpty(),
                                                     message.isEmpty() ? std::nullopt
                                                                       : std::optional(message),
                                                     !message.isEmpty()}));
        QCOMPARE(centre.authorizationRequests, status == Status::notDetermined && result
                                                   ? QList{NotificationAuthorizationOption::alert |
                                                           NotificationAuthorizationOption::sound}
                                                   : QList<NotificationAuthorizationOptions>());
        QStringList left = ours + others, pendingNow = centre.pendingIdentifiers();
        left.sort();
        pendingNow.sort();
        QCOMPARE(pendingNow, left);
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
