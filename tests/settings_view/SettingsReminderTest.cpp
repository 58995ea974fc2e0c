#include "SettingsViewHarness.h"
#include "TestRegistry.h"

#include "ui/settings/SettingsReminders.h"
#include "ui/settings/SettingsSwitch.h"

#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

class SettingsReminderTest : public QObject {
    Q_OBJECT

private slots:
    void alertFor() {
        RemindersToggleResult result;
        QVERIFY(!SettingsReminders::alertFor(result));
        result.message = u"说明文字"_s;
        result.messageIsFailure = true;
        QCOMPARE(SettingsReminders::alertFor(result)->title, u"提醒设置失败"_s);
        result.messageIsFailure = false;
        const auto alert = SettingsReminders::alertFor(result);
        QCOMPARE(alert->title + alert->message, u"提醒设置已更新说明文字"_s);
        // Two alerts with the same texts are still two alerts.
        QVERIFY(SettingsReminders::alertFor(result)->id != alert->id);
    }

    // Both switches run one flow, each on its own reminders and setting: the choice shows while
    // the centre answers, then what came of it, on disk as well.
    void turningASwitch_data() {
        QTest::addColumn<bool>("closingDay"); // the closing-day switch, else the grey-market one
        QTest::addColumn<NotificationAuthorizationStatus>("permission");
        QTest::addColumn<bool>("wasOn");
        QTest::addColumn<QStringList>("pendingAfter");
        QTest::addColumn<QString>("alertText"); // empty: no alert
        using Status = NotificationAuthorizationStatus;
        QTest::newRow("grey market, user refuses")
            << false << Status::notDetermined << false << QStringList()
            << u"未授予通知权限，请前往系统设置开启暗盘提醒。"_s;
        QTest::newRow("grey market, allowed") << false << Status::authorized << false
                                              << QStringList{u"dark_market_02590"_s} << QString();
        QTest::newRow("grey market, off")
            << false << Status::authorized << true << QStringList{u"other_app"_s} << QString();
        QTest::newRow("closing day, user refuses")
            << true << Status::notDetermined << false << QStringList()
            << u"未授予通知权限，请前往系统设置开启截止提醒。"_s;
        QTest::newRow("closing day, allowed")
            << true << Status::authorized << false << QStringList{u"closing_day_2025-07-10"_s}
            << QString();
    }
    void turningASwitch() {
        QFETCH(bool, closingDay);
        QFETCH(NotificationAuthorizationStatus, permission);
        QFETCH(bool, wasOn);
        QFETCH(QStringList, pendingAfter);
        QFETCH(QString, alertText);

        SettingsViewHarness harness;
        // Lists tomorrow and closes tomorrow: today is the day of both reminders.
        RemoteIPO ipo = SettingsViewHarness::remoteIPO(u"02590"_s, u"2025-07-10"_s);
        ipo.subEnd = u"2025-07-10"_s;
        harness.listOnService({ipo, SettingsViewHarness::remoteIPO(u"00700"_s, u"2025-08-20"_s)});
        harness.centre.status = permission;
        harness.centre.authorizationAnswer = false; // the user refuses when asked
        if (wasOn) {
            // A reminder of this application and someone else's request are pending.
            harness.centre.pending.append(NotificationManager::reminderRequest(
                harness.repository->records().first(), QDate(2025, 7, 9), marketTimeZone()));
            harness.centre.pending.append({u"other_app"_s, {}, {}});
            harness.settings->setReminderEnabled(ReminderKind::darkMarket().settingsKey, true);
        }
        SettingsView &view = harness.makeView();
        view.show();
        auto *toggle = view.findChild<SettingsSwitch *>(closingDay ? u"ClosingDaySwitch"_s
                                                                   : u"ReminderSwitch"_s);
        QCOMPARE(toggle->isChecked(), wasOn);
        QSignalSpy finished(&view, &SettingsView::remindersChanged);
        QTest::mouseClick(toggle, Qt::LeftButton);
        QCOMPARE(toggle->isChecked(), !wasOn);

        QVERIFY(finished.wait());
        QVERIFY(toggle->isEnabled());
        const bool endsOn = !wasOn && alertText.isEmpty();
        QCOMPARE(toggle->isChecked(), endsOn);
        const auto stored = harness.folder.makeSettings();
        QCOMPARE(stored->value(ReminderKind::darkMarket().settingsKey).toBool(),
                 !closingDay && endsOn);
        QCOMPARE(stored->value(ReminderKind::closingDay().settingsKey).toBool(),
                 closingDay && endsOn);
        QCOMPARE(harness.centre.pendingIdentifiers(), pendingAfter);
        QCOMPARE(harness.alerts.shown.size(), alertText.isEmpty() ? 0 : 1);
        QCOMPARE(harness.alerts.shown.value(0).title + harness.alerts.shown.value(0).message,
                 alertText.isEmpty() ? QString() : u"提醒设置失败"_s + alertText);
    }
};

ORVEL_TEST_CLASS(SettingsReminderTest);

#include "SettingsReminderTest.moc"
