#include "TestFolder.h"
#include "TestRegistry.h"

#include "settings/ActivationPolicyApplying.h"
#include "settings/AppSettings.h"

#include <QFile>
#include <QSignalSpy>
#include <QTest>

#include <limits>

using namespace Qt::StringLiterals;

namespace {

// Stands in for the application shell.
struct RecordingActivationPolicy : ActivationPolicyApplying {
    void applyActivationPolicy(bool accessory) override { applied.append(accessory); }
    QList<bool> applied;
};

} // namespace

class AppSettingsTest : public QObject {
    Q_OBJECT

private slots:
    void firstStartReadsNothingAndWritesNothing() {
        testsupport::TestFolder folder;
        RecordingActivationPolicy policy;
        {
            AppSettings settings(folder.makeSettings(), &policy);
            QCOMPARE(settings.capitalAmount(), 0.0);
            QCOMPARE(settings.hideDockIcon(), false);
            QCOMPARE(settings.isReminderEnabled("darkMarketNotificationsEnabled"), false);
            QTRY_COMPARE(policy.applied, QList<bool>{false});
        }
        QCOMPARE(QFileInfo(folder.filePath("settings.ini")).size(), 0);
    }

    // Every write is saved (a second write of the same value brings back a removed file),
    // signalled once per change, and read back after a restart under the key the rest of the
    // system knows; the taskbar flag is also handed to the shell after each write.
    void writesAreSavedSignalledAndSurviveARestart_data() {
        QTest::addColumn<QByteArray>("property");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<int>("policyApplications");
        QTest::newRow("capital") << QByteArray("capitalAmount") << QVariant(1234567.89) << 0;
        QTest::newRow("taskbar") << QByteArray("hideDockIcon") << QVariant(true) << 2;
    }
    void writesAreSavedSignalledAndSurviveARestart() {
        QFETCH(QByteArray, property);
        QFETCH(QVariant, value);
        QFETCH(int, policyApplications);
        testsupport::TestFolder folder;
        {
            RecordingActivationPolicy policy;
            AppSettings settings(folder.makeSettings(), &policy);
            QTRY_COMPARE(policy.applied.size(), 1);
            const QMetaObject *meta = settings.metaObject();
            QSignalSpy changed(&settings,
                               meta->property(meta->indexOfProperty(property)).notifySignal());
            QVERIFY(settings.setProperty(property.constData(), value));
            QVERIFY(QFile::remove(folder.filePath("settings.ini")));
            QVERIFY(settings.setProperty(property.constData(), value));
            QVERIFY(QFile::exists(folder.filePath("settings.ini")));
            QCOMPARE(changed.size(), 1);
            QCOMPARE(changed.first().first(), value);
            QCoreApplication::processEvents();
            QCOMPARE(policy.applied.size(), 1 + policyApplications);
        }
        QCOMPARE(AppSettings(folder.makeSettings()).property(property.constData()), value);
        QCOMPARE(folder.makeSettings()->value(property).toString(), value.toString());
    }

    // A reminder switch is kept under its kind's key and read back after a restart; the other
    // switches stay as they were.
    void reminderSwitchesAreKeptByKey() {
        testsupport::TestFolder folder;
        const QString key = u"closingDayNotificationsEnabled"_s;
        {
            AppSettings settings(folder.makeSettings());
            settings.setReminderEnabled(key, true);
        }
        AppSettings reread(folder.makeSettings());
        QVERIFY(reread.isReminderEnabled(key));
        QVERIFY(!reread.isReminderEnabled(u"darkMarketNotificationsEnabled"_s));
    }

    // The shell is told later, never inside the write, and then reads the flag as it is by then;
    // a shell that comes late is told too.
    void policyIsQueuedAndReadsTheFlagWhenItRuns() {
        testsupport::TestFolder folder;
        folder.makeSettings()->setValue("hideDockIcon", true);
        RecordingActivationPolicy early;
        RecordingActivationPolicy late;
        AppSettings settings(folder.makeSettings(), &early);
        settings.setHideDockIcon(false);
        QVERIFY(early.applied.isEmpty());
        QCoreApplication::processEvents();
        QCOMPARE(early.applied, QList<bool>({false, false}));
        settings.setActivationPolicyTarget(&late);
        QTRY_COMPARE(late.applied, QList<bool>{false});
        QCOMPARE(early.applied.size(), 2);
    }

    void unusableCapitalIsNeverKept() {
        const std::pair<const char *, double> cases[] = {
            {"nan", std::numeric_limits<double>::quiet_NaN()},
            {"inf", std::numeric_limits<double>::infinity()},
            {"lots", -std::numeric_limits<double>::infinity()}};
        for (const auto &[stored, written] : cases) {
            testsupport::TestFolder folder;
            folder.makeSettings()->setValue("capitalAmount", stored);
            AppSettings settings(folder.makeSettings());
            QCOMPARE(settings.capitalAmount(), 0.0);
            settings.setCapitalAmount(2500.0);
            QSignalSpy changed(&settings, &AppSettings::capitalAmountChanged);
            settings.setCapitalAmount(written);
            QCOMPARE(settings.capitalAmount(), 2500.0);
            QVERIFY(changed.isEmpty());
            QCOMPARE(folder.makeSettings()->value("capitalAmount").toDouble(), 2500.0);
        }
    }
};

ORVEL_TEST_CLASS(AppSettingsTest);

#include "AppSettingsTest.moc"
