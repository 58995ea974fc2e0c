#include "SettingsViewHarness.h"
#include "TestRegistry.h"

#include "ui/settings/SettingsReminders.h"
#include "ui/settings/SettingsSwitch.h"

#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

// The reminder switches: the flow through the real scheduler on a stand-in notification
// centre, what the switch and the setting end up as, and which alert explains it.
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
        QCOMPARE(alert->title, u"提醒设置已更新"_s);
        QCOMPARE(alert->message, u"说明文字"_s);
        // Two alerts with the same texts are still two alerts.
        QVERIFY(SettingsReminders::alertFor(result)->id != alert->id);
    }

    void turningTheSwitch_data() {
        QTest::addColumn<NotificationAuthorizationStatus>("permission");
        QTest::addColumn<bool>("granted");
        QTest::addColumn<bool>("wasOn");
        QTest::addColumn<bool>("endsOn");
        QTest::addColumn<QString>("alertText"); // empty: no alert

        using Status = NotificationAuthorizationStatus;
        QTest::newRow("user refuses permission")
            << Status::notDetermined << false << false << false
            << u"未授予通知权限，请前往系统设置开启暗盘提醒。"_s;
        QTest::newRow("user grants permission")
            << Status::notDetermined << true << false << true << QString();
        QTest::newRow("turning off is silent")
            << Status::authorized << true << true << false << QString();
    }
    void turningTheSwitch() {
        QFETCH(NotificationAuthorizationStatus, permission);
        QFETCH(bool, granted);
        QFETCH(bool, wasOn);
        QFETCH(bool, endsOn);
        QFETCH(QString, alertText);

        SettingsViewHarness harness;
        QVERIFY(harness.isValid());
        // Listing tomorrow: today is its grey-market day, so an enabled switch schedules it.
        harness.listOnService({SettingsViewHarness::remoteIPO(u"02590"_s, u"2025-07-10"_s),
                               SettingsViewHarness::remoteIPO(u"00700"_s, u"2025-08-20"_s)});
        harness.centre.status = permission;
        harness.centre.authorizationAnswer = granted;
        if (wasOn) {
            // A reminder of this application and someone else's request are pending.
            harness.centre.pending.append(NotificationManager::reminderRequest(
                harness.repository->records().first(), QDate(2025, 7, 9)));
            harness.centre.pending.append({u"other_app"_s, {}, {}});
        }
        harness.settings->setDarkMarketNotificationsEnabled(wasOn);

        SettingsView &view = harness.makeView();
        view.show();
        auto *toggle = view.findChild<SettingsSwitch *>(u"ReminderSwitch"_s);
        QCOMPARE(toggle->isChecked(), wasOn);
        QSignalSpy finished(&view, &SettingsView::remindersChanged);
        QTest::mouseClick(toggle, Qt::LeftButton);
        // While the centre answers, the switch shows the user's choice and cannot be turned.
        QVERIFY(view.isUpdatingNotifications());
        QCOMPARE(toggle->isChecked(), !wasOn);
        QVERIFY(!toggle->isEnabled());

        QVERIFY(finished.wait());
        QVERIFY(toggle->isEnabled());
        QCOMPARE(toggle->isChecked(), endsOn);
        QCOMPARE(harness.folder.makeSettings()
                     ->value(AppSettings::darkMarketNotificationsEnabledKey)
                     .toBool(),
                 endsOn);
        QStringList expected = endsOn ? QStringList{u"dark_market_02590"_s} : QStringList{};
        if (wasOn)
            expected.prepend(u"other_app"_s);
        QCOMPARE(harness.centre.pendingIdentifiers(), expected);
        QCOMPARE(harness.alerts.shown.size(), alertText.isEmpty() ? 0 : 1);
        if (alertText.isEmpty())
            return;
        QCOMPARE(harness.alerts.shown.first().title, u"提醒设置失败"_s);
        QCOMPARE(harness.alerts.shown.first().message, alertText);
        QCOMPARE(view.alertMessage(), std::optional(harness.alerts.shown.first()));
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
        QTest::newRow("user refuses") << NotificationAuthorizationStatus::notDetermined << false
                                      << u"未授予通知权限，请前往系统设置开启截止提醒。"_s;
    }
    void closingDaySwitch() {
        QFETCH(NotificationAuthorizationStatus, permission);
        QFETCH(bool, endsOn);
        QFETCH(QString, alertText);

        SettingsViewHarness harness;
        QVERIFY(harness.isValid());
        RemoteIPO closesTomorrow = SettingsViewHarness::remoteIPO(u"02590"_s);
        closesTomorrow.subEnd = u"2025-07-10"_s;
        harness.listOnService({closesTomorrow});
        harness.centre.status = permission;
        harness.centre.authorizationAnswer = false;
        SettingsView &view = harness.makeView();
        view.show();
        auto *toggle = view.findChild<SettingsSwitch *>(u"ClosingDaySwitch"_s);
        QVERIFY(!toggle->isChecked());

        QSignalSpy finished(&view, &SettingsView::remindersChanged);
        QTest::mouseClick(toggle, Qt::LeftButton);
        QVERIFY(view.isUpdatingClosingDayNotifications());
        QVERIFY(!view.isUpdatingNotifications());
        QVERIFY(finished.wait());

        QCOMPARE(toggle->isChecked(), endsOn);
        QCOMPARE(harness.folder.makeSettings()
                     ->value(AppSettings::closingDayNotificationsEnabledKey)
                     .toBool(),
                 endsOn);
        QVERIFY(!harness.settings->darkMarketNotificationsEnabled());
        QCOMPARE(harness.centre.pendingIdentifiers(),
                 endsOn ? QStringList{u"closing_day_2025-07-10"_s} : QStringList());
        QCOMPARE(harness.alerts.shown.size(), alertText.isEmpty() ? 0 : 1);
        if (!alertText.isEmpty())
            QCOMPARE(harness.alerts.shown.first().message, alertText);
    }

    void showingAgainReadsTheSetting() {
        SettingsViewHarness harness;
        QVERIFY(harness.isValid());
        SettingsView &view = harness.makeView();
        view.show();
        view.hide();
        harness.settings->setDarkMarketNotificationsEnabled(true);
        view.show();
        QVERIFY(view.findChild<SettingsSwitch *>(u"ReminderSwitch"_s)->isChecked());
    }

    void closingTheSheetMidChangeIsSafe() {
        SettingsViewHarness harness;
        QVERIFY(harness.isValid());
        harness.centre.status = NotificationAuthorizationStatus::notDetermined;
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
