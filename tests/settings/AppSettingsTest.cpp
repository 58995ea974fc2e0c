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

using Language = AppLanguage::Language;

Q_DECLARE_METATYPE(BrokerSetting)
Q_DECLARE_METATYPE(Language)
Q_DECLARE_METATYPE(GainColour)

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

    // Typed charges are kept exactly and survive a restart; text that is no usable amount is
    // refused with the reason, keeping the value before it. Starts from the fee sheet's defaults.
    void brokerChargesAreCheckedAndKept_data() {
        QTest::addColumn<BrokerSetting>("setting");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("error");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<qint64>("units");
        using enum BrokerSetting;
        QTest::newRow("bank commission") << commissionRate << "0.25"
                                         << ""
                                         << "0.25" << 2500LL;
        QTest::newRow("four places of a percent") << financingRate << "6.8125"
                                                  << ""
                                                  << "6.8125" << 68125LL;
        QTest::newRow("whole HK$") << minimumCommission << " 100"
                                   << ""
                                   << "100.00" << 10000LL;
        QTest::newRow("zero") << platformFee << "0"
                              << ""
                              << "0.00" << 0LL;
        QTest::newRow("letters") << cashHandlingFee << "abc"
                                 << "请输入数字"
                                 << "0.00" << 0LL;
        QTest::newRow("empty") << commissionRate << ""
                               << "请输入数字"
                               << "0.03" << 300LL;
        QTest::newRow("negative") << platformFee << "-1"
                                  << "不能为负数"
                                  << "15.00" << 1500LL;
        QTest::newRow("half a cent") << minimumCommission << "3.005"
                                     << "最多 2 位小数"
                                     << "3.00" << 300LL;
        QTest::newRow("grouped") << financingRate << "1,000"
                                 << "请输入数字"
                                 << "3.50" << 35000LL;
    }
    void brokerChargesAreCheckedAndKept() {
        QFETCH(BrokerSetting, setting);
        QFETCH(QString, typed);
        QFETCH(QString, error);
        QFETCH(QString, shown);
        testsupport::TestFolder folder;
        {
            AppSettings settings(folder.makeSettings());
            QCOMPARE(settings.brokerCharges(), BrokerCharges{});
            QSignalSpy changed(&settings, &AppSettings::brokerChargesChanged);
            QCOMPARE(settings.setBrokerSetting(setting, typed).value_or(QString()), error);
            QCOMPARE(settings.brokerSettingText(setting), shown);
            QCOMPARE(changed.size(), error.isEmpty() ? 1 : 0);
        }
        AppSettings reread(folder.makeSettings());
        QCOMPARE(reread.brokerSettingText(setting), shown);
        // What the figures use is exactly the value shown: cents, or a rate per million.
        QFETCH(qint64, units);
        const BrokerCharges c = reread.brokerCharges();
        const qint64 cents = setting == BrokerSetting::minimumCommission ? c.minimumCommissionCents
                             : setting == BrokerSetting::platformFee     ? c.platformFeeCents
                             : setting == BrokerSetting::cashHandlingFee ? c.cashHandlingFeeCents
                                                                         : -1;
        if (cents < 0)
            QCOMPARE(setting == BrokerSetting::commissionRate ? c.commissionRate : c.financingRate,
                     ExactRate(units, 1'000'000));
        else
            QCOMPARE(cents, units);
    }

    // The language of a run: a stored choice, else the first Chinese or English entry of the
    // desktop's languages (as Qt lists them for each environment); gains take its colour until
    // the user picks one. A new choice is stored for the next start only.
    void languageAndItsGainColour_data() {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QStringList>("desktop");
        QTest::addColumn<QString>("colour");
        QTest::addColumn<Language>("language");
        QTest::addColumn<GainColour>("gain");
        const QStringList hongKong{"zh-HK", "zh-Hant-HK"};
        const QStringList british{"en-GB", "en-Latn-GB"};
        // Qt's own lookup would end on the English catalogue here.
        const QStringList mainlandThenEnglish{"zh-CN", "zh-Hans-CN", "zh",
                                              "en",    "en-Latn-US", "en-US"};
        using enum Language;
        using enum GainColour;
        QTest::newRow("LANGUAGE=zh_HK") << "" << hongKong << "" << hongKongChinese << greenUp;
        QTest::newRow("LANG=en_GB.UTF-8") << "" << british << "" << english << greenUp;
        QTest::newRow("LANGUAGE=zh_CN:en")
            << "" << mainlandThenEnglish << "" << simplifiedChinese << redUp;
        QTest::newRow("LANG=zh_TW.UTF-8")
            << "" << QStringList{"zh-TW", "zh-Hant-TW"} << "" << hongKongChinese << greenUp;
        QTest::newRow("zh-MO") << "" << QStringList{"zh-MO"} << "" << hongKongChinese << greenUp;
        QTest::newRow("Simplified in Hong Kong")
            << "" << QStringList{"zh-Hans-HK"} << "" << simplifiedChinese << redUp;
        QTest::newRow("plain zh") << "" << QStringList{"zh"} << "" << simplifiedChinese << redUp;
        QTest::newRow("German, then English")
            << "" << QStringList{"de-DE", "de", "en-GB"} << "" << english << greenUp;
        QTest::newRow("C locale") << "" << QStringList{"C"} << "" << simplifiedChinese << redUp;
        QTest::newRow("繁體中文 chosen") << "zh_HK" << british << "" << hongKongChinese << greenUp;
        QTest::newRow("简体中文 chosen") << "zh_CN" << hongKong << "" << simplifiedChinese << redUp;
        QTest::newRow("English chosen") << "en" << mainlandThenEnglish << "" << english << greenUp;
        QTest::newRow("跟随系统 chosen") << "system" << british << "" << english << greenUp;
        QTest::newRow("unknown choice") << "fr" << hongKong << "" << hongKongChinese << greenUp;
        QTest::newRow("green picked")
            << "" << mainlandThenEnglish << "greenUp" << simplifiedChinese << greenUp;
        QTest::newRow("red picked") << "en" << hongKong << "redUp" << english << redUp;
        QTest::newRow("unknown colour") << "" << british << "purple" << english << greenUp;
    }
    void languageAndItsGainColour() {
        QFETCH(QString, chosen);
        QFETCH(QStringList, desktop);
        QFETCH(QString, colour);
        QFETCH(Language, language);
        testsupport::TestFolder folder;
        for (const auto &[key, value] : {std::pair(AppSettings::languageKey, chosen),
                                         std::pair(AppSettings::gainColourKey, colour)}) {
            if (!value.isEmpty())
                folder.makeSettings()->setValue(key, value);
        }
        const Language fromDesktop = AppLanguage::fromUiLanguages(desktop);
        AppSettings settings(folder.makeSettings(), nullptr, nullptr, fromDesktop);
        QCOMPARE(settings.language(), language);
        QTEST(settings.gainColour(), "gain");

        settings.setLanguageChoice(Language::english);
        QCOMPARE(settings.language(), language);
        QCOMPARE(AppSettings(folder.makeSettings(), nullptr, nullptr, fromDesktop).language(),
                 Language::english);
        settings.setLanguageChoice(std::nullopt);
        QCOMPARE(folder.makeSettings()->value(AppSettings::languageKey).toString(), u"system"_s);
        QCOMPARE(AppSettings(folder.makeSettings(), nullptr, nullptr, fromDesktop).language(),
                 fromDesktop);
    }

    // A gain colour the user picked is kept.
    void gainColourIsKept() {
        testsupport::TestFolder folder;
        {
            AppSettings settings(folder.makeSettings());
            QCOMPARE(settings.gainColour(), GainColour::redUp);
            settings.setGainColour(GainColour::greenUp);
        }
        QCOMPARE(AppSettings(folder.makeSettings()).gainColour(), GainColour::greenUp);
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
