#include "TestFolder.h"
#include "TestRegistry.h"

#include "settings/ActivationPolicyApplying.h"
#include "settings/AppSettings.h"

#include <QFile>
#include <QSignalSpy>
#include <QTest>

#include <cmath>
#include <limits>

namespace {

// Stands in for the application shell and writes into a shared journal, so a test can tell
// whether the policy was applied before or after a write returned.
class RecordingActivationPolicy : public ActivationPolicyApplying {
public:
    explicit RecordingActivationPolicy(QStringList *journal)
        : m_journal(journal) {}

    void applyActivationPolicy(bool accessory) override {
        applied.append(accessory);
        if (m_journal)
            m_journal->append(accessory ? QStringLiteral("applied accessory")
                                        : QStringLiteral("applied regular"));
    }

    QList<bool> applied;

private:
    QStringList *m_journal;
};

// Lets every queued call run.
void settle() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents();
}

} // namespace

class AppSettingsTest : public QObject {
    Q_OBJECT

private slots:
    void firstStartReadsNothingAndWritesNothing() {
        testsupport::TestFolder folder;
        const QString path = folder.filePath(QStringLiteral("settings.ini"));
        RecordingActivationPolicy policy(nullptr);
        {
            AppSettings settings(folder.makeSettings(), &policy);
            QCOMPARE(settings.capitalAmount(), 0.0);
            QCOMPARE(settings.hideDockIcon(), false);
            QCOMPARE(settings.darkMarketNotificationsEnabled(), false);
            QCOMPARE(settings.closingDayNotificationsEnabled(), false);
            QTRY_COMPARE(policy.applied, QList<bool>{false});
        }
        QVERIFY(!QFile::exists(path) || QFile(path).size() == 0);
    }

    void valuesSurviveARestart_data() {
        QTest::addColumn<QByteArray>("property");
        QTest::addColumn<QVariant>("value");

        QTest::newRow("capital") << QByteArray("capitalAmount") << QVariant(1234567.89);
        QTest::newRow("capital back to zero") << QByteArray("capitalAmount") << QVariant(0.0);
        QTest::newRow("taskbar hidden") << QByteArray("hideDockIcon") << QVariant(true);
        QTest::newRow("taskbar shown again") << QByteArray("hideDockIcon") << QVariant(false);
        QTest::newRow("reminders on")
            << QByteArray("darkMarketNotificationsEnabled") << QVariant(true);
        QTest::newRow("closing-day reminders on")
            << QByteArray("closingDayNotificationsEnabled") << QVariant(true);
    }
    void valuesSurviveARestart() {
        QFETCH(QByteArray, property);
        QFETCH(QVariant, value);

        testsupport::TestFolder folder;
        {
            AppSettings settings(folder.makeSettings());
            // Start from the opposite value, so the row's value is a real change.
            const QVariant other =
                value.typeId() == QMetaType::Bool ? QVariant(!value.toBool()) : QVariant(42.5);
            QVERIFY(settings.setProperty(property.constData(), other));
            QVERIFY(settings.setProperty(property.constData(), value));
        }
        AppSettings restarted(folder.makeSettings());
        QCOMPARE(restarted.property(property.constData()), value);
        // Under the key the rest of the system knows, readable by any QSettings.
        const auto raw = folder.makeSettings();
        QVERIFY(raw->contains(QString::fromLatin1(property)));
        QCOMPARE(raw->value(QString::fromLatin1(property)).toString(), value.toString());
    }

    void everyWriteIsSavedAndSignalledOnChange_data() {
        QTest::addColumn<QByteArray>("property");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<int>("policyApplications");

        QTest::newRow("capital") << QByteArray("capitalAmount") << QVariant(88000.0) << 0;
        QTest::newRow("taskbar") << QByteArray("hideDockIcon") << QVariant(true) << 2;
        QTest::newRow("reminders")
            << QByteArray("darkMarketNotificationsEnabled") << QVariant(true) << 0;
        QTest::newRow("closing-day reminders")
            << QByteArray("closingDayNotificationsEnabled") << QVariant(true) << 0;
    }
    void everyWriteIsSavedAndSignalledOnChange() {
        QFETCH(QByteArray, property);
        QFETCH(QVariant, value);
        QFETCH(int, policyApplications);

        testsupport::TestFolder folder;
        const QString path = folder.filePath(QStringLiteral("settings.ini"));
        RecordingActivationPolicy policy(nullptr);
        AppSettings settings(folder.makeSettings(), &policy);
        QTRY_COMPARE(policy.applied.size(), 1);
        const QMetaProperty meta =
            settings.metaObject()->property(settings.metaObject()->indexOfProperty(property));
        QSignalSpy changed(&settings, meta.notifySignal());

        QVERIFY(settings.setProperty(property.constData(), value));
        QVERIFY(QFile::exists(path));
        // Only a second write of the same value can bring the file back.
        QVERIFY(QFile::remove(path));
        QVERIFY(settings.setProperty(property.constData(), value));
        QVERIFY(QFile::exists(path));
        QCOMPARE(folder.makeSettings()->value(QString::fromLatin1(property)).toString(),
                 value.toString());

        QCOMPARE(changed.size(), 1);
        QCOMPARE(changed.first().first(), value);
        settle();
        QCOMPARE(policy.applied.size(), 1 + policyApplications);
    }

    void policyIsAppliedAfterTheWriteReturns() {
        testsupport::TestFolder folder;
        QStringList journal;
        RecordingActivationPolicy policy(&journal);
        AppSettings settings(folder.makeSettings(), &policy);
        QTRY_COMPARE(journal, QStringList{QStringLiteral("applied regular")});
        journal.clear();

        settings.setHideDockIcon(true);
        journal.append(QStringLiteral("write returned"));
        QTRY_COMPARE(journal.size(), 2);
        QCOMPARE(journal, QStringList({QStringLiteral("write returned"),
                                       QStringLiteral("applied accessory")}));

        journal.clear();
        settings.setHideDockIcon(false);
        journal.append(QStringLiteral("write returned"));
        QTRY_COMPARE(journal.size(), 2);
        QCOMPARE(journal, QStringList({QStringLiteral("write returned"),
                                       QStringLiteral("applied regular")}));
    }

    void policyReadsTheFlagWhenItRuns() {
        testsupport::TestFolder folder;
        RecordingActivationPolicy policy(nullptr);
        AppSettings settings(folder.makeSettings(), &policy);

        // Both writes (and the construction) are queued before any of them runs.
        settings.setHideDockIcon(true);
        settings.setHideDockIcon(false);
        QVERIFY(policy.applied.isEmpty());
        settle();

        QCOMPARE(policy.applied, QList<bool>({false, false, false}));
    }

    void savedPolicyIsAppliedAtStartAndToALateShell() {
        testsupport::TestFolder folder;
        folder.makeSettings()->setValue(QStringLiteral("hideDockIcon"), true);
        RecordingActivationPolicy early(nullptr);
        RecordingActivationPolicy late(nullptr);

        AppSettings settings(folder.makeSettings(), &early);
        QVERIFY(early.applied.isEmpty());
        QTRY_COMPARE(early.applied, QList<bool>{true});

        settings.setActivationPolicyTarget(&late);
        QVERIFY(late.applied.isEmpty());
        QTRY_COMPARE(late.applied, QList<bool>{true});
        QCOMPARE(early.applied, QList<bool>{true});
    }

    void unusableCapitalIsNeverKept_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<double>("written");

        QTest::newRow("NaN") << QStringLiteral("nan") << std::numeric_limits<double>::quiet_NaN();
        QTest::newRow("infinity") << QStringLiteral("inf")
                                  << std::numeric_limits<double>::infinity();
        QTest::newRow("minus infinity")
            << QStringLiteral("-inf") << -std::numeric_limits<double>::infinity();
        QTest::newRow("text") << QStringLiteral("lots") << std::nan("");
    }
    void unusableCapitalIsNeverKept() {
        QFETCH(QString, stored);
        QFETCH(double, written);

        testsupport::TestFolder folder;
        folder.makeSettings()->setValue(QStringLiteral("capitalAmount"), stored);
        AppSettings settings(folder.makeSettings());
        QCOMPARE(settings.capitalAmount(), 0.0);

        settings.setCapitalAmount(2500.0);
        QSignalSpy changed(&settings, &AppSettings::capitalAmountChanged);
        settings.setCapitalAmount(written);
        QCOMPARE(settings.capitalAmount(), 2500.0);
        QVERIFY(changed.isEmpty());
        QCOMPARE(folder.makeSettings()->value(QStringLiteral("capitalAmount")).toDouble(), 2500.0);
    }
};

ORVEL_TEST_CLASS(AppSettingsTest);

#include "AppSettingsTest.moc"
