#include "SettingsViewHarness.h"
#include "TestRegistry.h"

#include "ui/settings/SettingsReminders.h"
#include "ui/settings/SettingsSwitch.h"

#include <QSignalSpy>
#include <QTest>

Q_DECLARE_METATYPE(NotificationAuthorizationStatus)

// The reminder switch: the flow through the real scheduler on a stand-in notification centre,
// what the switch and the setting end up as, and which alert explains it.
class SettingsReminderTest : public QObject {
    Q_OBJECT

private slots:
    void alertFor_data() {
        QTest::addColumn<bool>("hasMessage");
        QTest::addColumn<bool>("isFailure");
        QTest::addColumn<QString>("title");
        QTest::newRow("failure") << true << true << QStringLiteral("提醒设置失败");
        QTest::newRow("information") << true << false << QStringLiteral("提醒设置已更新");
        QTest::newRow("no message, no alert") << false << true << QString();
    }
    void alertFor() {
        QFETCH(bool, hasMessage);
        QFETCH(bool, isFailure);
        QFETCH(QString, title);
        RemindersToggleResult result;
        result.messageIsFailure = isFailure;
        if (hasMessage)
            result.message = QStringLiteral("说明文字");
        const auto alert = SettingsReminders::alertFor(result);
        QCOMPARE(alert.has_value(), hasMessage);
        if (!alert)
            return;
        QCOMPARE(alert->title, title);
        QCOMPARE(alert->message, QStringLiteral("说明文字"));
        // Two alerts with the same texts are still two alerts.
        QVERIFY(SettingsReminders::alertFor(result)->id != alert->id);
    }

    void turningTheSwitch_data() {
        QTest::addColumn<NotificationAuthorizationStatus>("permission");
        QTest::addColumn<int>("answer"); // 1 granted, 0 refused, -1 the question failed
        QTest::addColumn<bool>("wasOn");
        QTest::addColumn<bool>("turnOn");
        QTest::addColumn<bool>("endsOn");
        QTest::addColumn<QString>("alertTitle");
        QTest::addColumn<QString>("alertText");
        QTest::addColumn<int>("scheduled");

        using Status = NotificationAuthorizationStatus;
        QTest::newRow("user refuses permission")
            << Status::notDetermined << 0 << false << true << false
            << QStringLiteral("提醒设置失败")
            << QStringLiteral("未授予通知权限，请前往系统设置开启暗盘提醒。") << 0;
        QTest::newRow("permission refused earlier")
            << Status::denied << 1 << false << true << false << QStringLiteral("提醒设置失败")
            << QStringLiteral("通知权限已关闭，请前往系统设置开启暗盘提醒。") << 0;
        QTest::newRow("permission question fails")
            << Status::notDetermined << -1 << false << true << false
            << QStringLiteral("提醒设置失败")
            << QStringLiteral("请求通知权限失败：桌面通知服务调用失败：总线忙") << 0;
        QTest::newRow("user grants permission")
            << Status::notDetermined << 1 << false << true << true << QString() << QString() << 1;
        QTest::newRow("already allowed")
            << Status::authorized << 1 << false << true << true << QString() << QString() << 1;
        QTest::newRow("turning off is silent")
            << Status::authorized << 1 << true << false << false << QString() << QString() << 0;
        QTest::newRow("turning off without permission is silent")
            << Status::denied << 0 << true << false << false << QString() << QString() << 0;
    }
    void turningTheSwitch() {
        QFETCH(NotificationAuthorizationStatus, permission);
        QFETCH(int, answer);
        QFETCH(bool, wasOn);
        QFETCH(bool, turnOn);
        QFETCH(bool, endsOn);
        QFETCH(QString, alertTitle);
        QFETCH(QString, alertText);
        QFETCH(int, scheduled);

        SettingsViewHarness harness;
        QVERIFY(harness.isValid());
        // Listing tomorrow: today is its grey-market day, so an enabled switch schedules it.
        harness.listOnService(
            {SettingsViewHarness::remoteIPO(QStringLiteral("02590"), QStringLiteral("2025-07-10")),
             SettingsViewHarness::remoteIPO(QStringLiteral("00700"),
                                            QStringLiteral("2025-08-20"))});
        QCOMPARE(harness.repository->records().size(), 2);
        harness.centre.status = permission;
        if (answer < 0)
            harness.centre.authorizationAnswer =
                NotificationCentreError::busError(QStringLiteral("总线忙"));
        else
            harness.centre.authorizationAnswer = answer == 1;
        if (wasOn) {
            // A reminder of this application and someone else's request are pending.
            harness.centre.pending.append(NotificationManager::reminderRequest(
                harness.repository->records().first(), QDate(2025, 7, 9)));
            harness.centre.pending.append({QStringLiteral("other_app"), {}, {}});
        }
        harness.settings->setDarkMarketNotificationsEnabled(wasOn);

        SettingsView &view = harness.makeView();
        view.show();
        auto *toggle = view.findChild<SettingsSwitch *>(QStringLiteral("ReminderSwitch"));
        QVERIFY(toggle);
        QCOMPARE(toggle->isChecked(), wasOn);
        QCOMPARE(view.darkMarketNotificationsEnabled(), wasOn);

        QSignalSpy finished(&view, &SettingsView::remindersChanged);
        QTest::mouseClick(toggle, Qt::LeftButton);
        // While the centre answers, the switch shows the user's choice and cannot be turned.
        QVERIFY(view.isUpdatingNotifications());
        QCOMPARE(view.darkMarketNotificationsEnabled(), turnOn);
        QCOMPARE(toggle->isChecked(), turnOn);
        QVERIFY(!toggle->isEnabled());
        QTest::mouseClick(toggle, Qt::LeftButton);
        QCOMPARE(toggle->isChecked(), turnOn);

        QVERIFY(finished.wait());
        QCOMPARE(finished.count(), 1);
        QVERIFY(!view.isUpdatingNotifications());
        QVERIFY(toggle->isEnabled());
        QCOMPARE(toggle->isChecked(), endsOn);
        QCOMPARE(view.darkMarketNotificationsEnabled(), endsOn);
        QCOMPARE(harness.settings->darkMarketNotificationsEnabled(), endsOn);
        QCOMPARE(harness.folder.makeSettings()
                     ->value(AppSettings::darkMarketNotificationsEnabledKey)
                     .toBool(),
                 endsOn);

        QStringList reminders = harness.centre.pendingIdentifiers();
        reminders.removeAll(QStringLiteral("other_app"));
        QCOMPARE(reminders.size(), scheduled);
        if (scheduled > 0)
            QCOMPARE(reminders.first(), QStringLiteral("dark_market_02590"));
        if (wasOn)
            QVERIFY(harness.centre.pendingIdentifiers().contains(QStringLiteral("other_app")));

        if (alertTitle.isEmpty()) {
            QVERIFY(harness.alerts.shown.isEmpty());
            QVERIFY(!view.alertMessage());
            return;
        }
        QCOMPARE(harness.alerts.shown.size(), 1);
        QCOMPARE(harness.alerts.shown.first().title, alertTitle);
        QCOMPARE(harness.alerts.shown.first().message, alertText);
        QVERIFY(view.alertMessage());
        QCOMPARE(*view.alertMessage(), harness.alerts.shown.first());
        harness.alerts.dismissLast();
        QVERIFY(!view.alertMessage());
    }

    // The second switch runs the same flow on its own kind of reminder and its own setting.
    void closingDaySwitch_data() {
        QTest::addColumn<NotificationAuthorizationStatus>("permission");
        QTest::addColumn<bool>("endsOn");
        QTest::addColumn<QString>("alertText");
        QTest::newRow("allowed") << NotificationAuthorizationStatus::authorized << true
                                 << QString();
        QTest::newRow("user refuses")
            << NotificationAuthorizationStatus::notDetermined << false
            << QStringLiteral("未授予通知权限，请前往系统设置开启截止提醒。");
    }
    void closingDaySwitch() {
        QFETCH(NotificationAuthorizationStatus, permission);
        QFETCH(bool, endsOn);
        QFETCH(QString, alertText);

        SettingsViewHarness harness;
        QVERIFY(harness.isValid());
        RemoteIPO closesTomorrow = SettingsViewHarness::remoteIPO(QStringLiteral("02590"));
        closesTomorrow.subEnd = QStringLiteral("2025-07-10");
        harness.listOnService({closesTomorrow});
        harness.centre.status = permission;
        harness.centre.authorizationAnswer = false;
        SettingsView &view = harness.makeView();
        view.show();
        auto *toggle = view.findChild<SettingsSwitch *>(QStringLiteral("ClosingDaySwitch"));
        QVERIFY(toggle);
        QVERIFY(!toggle->isChecked());

        QSignalSpy finished(&view, &SettingsView::remindersChanged);
        QTest::mouseClick(toggle, Qt::LeftButton);
        QVERIFY(view.isUpdatingClosingDayNotifications());
        QVERIFY(!view.isUpdatingNotifications());
        QVERIFY(finished.wait());

        QCOMPARE(toggle->isChecked(), endsOn);
        QCOMPARE(view.closingDayNotificationsEnabled(), endsOn);
        QCOMPARE(harness.folder.makeSettings()
                     ->value(AppSettings::closingDayNotificationsEnabledKey)
                     .toBool(),
                 endsOn);
        QVERIFY(!harness.settings->darkMarketNotificationsEnabled());
        QCOMPARE(harness.centre.pendingIdentifiers(),
                 endsOn ? QStringList{QStringLiteral("closing_day_2025-07-10")} : QStringList());
        QCOMPARE(harness.alerts.shown.size(), alertText.isEmpty() ? 0 : 1);
        if (!alertText.isEmpty())
            QCOMPARE(harness.alerts.shown.first().message, alertText);
    }

    void showingAgainReadsTheSetting() {
        SettingsViewHarness harness;
        QVERIFY(harness.isValid());
        SettingsView &view = harness.makeView();
        view.show();
        auto *toggle = view.findChild<SettingsSwitch *>(QStringLiteral("ReminderSwitch"));
        QVERIFY(!toggle->isChecked());
        view.hide();
        harness.settings->setDarkMarketNotificationsEnabled(true);
        view.show();
        QVERIFY(toggle->isChecked());
        QVERIFY(view.darkMarketNotificationsEnabled());
    }

    void closingTheSheetMidChangeIsSafe() {
        SettingsViewHarness harness;
        QVERIFY(harness.isValid());
        harness.centre.status = NotificationAuthorizationStatus::notDetermined;
        harness.centre.authorizationAnswer = true;
        SettingsView &view = harness.makeView();
        view.show();
        view.changeReminders(true);
        QVERIFY(view.isUpdatingNotifications());
        harness.view.reset();
        // The scheduler finishes on its own; nothing it resumes touches the closed sheet, and the
        // setting only changes through a sheet that saw the answer.
        QTRY_COMPARE(harness.centre.pendingQueriesAnswered, 1);
        QCOMPARE(harness.centre.authorizationRequests.size(), 1);
        QVERIFY(!harness.settings->darkMarketNotificationsEnabled());
    }
};

ORVEL_TEST_CLASS(SettingsReminderTest);

#include "SettingsReminderTest.moc"
