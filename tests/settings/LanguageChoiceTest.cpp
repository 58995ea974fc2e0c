#include "TestRegistry.h"

#include "settings/LanguageChoice.h"

#include <QTest>

using Language = LanguageChoice::Language;

// The desktop's language list as Qt gives it for the usual environments, and what ORVEL speaks.
class LanguageChoiceTest : public QObject {
    Q_OBJECT

private slots:
    void desktopLanguagesMapToOurs_data() {
        QTest::addColumn<QStringList>("uiLanguages");
        QTest::addColumn<Language>("expected");
        QTest::newRow("LANGUAGE=zh_HK")
            << QStringList{"zh-HK", "zh-Hant-HK"} << Language::hongKongChinese;
        QTest::newRow("LANG=zh_TW.UTF-8")
            << QStringList{"zh-TW", "zh-Hant-TW"} << Language::hongKongChinese;
        QTest::newRow("zh-MO") << QStringList{"zh-MO"} << Language::hongKongChinese;
        QTest::newRow("zh-Hant only") << QStringList{"zh-Hant"} << Language::hongKongChinese;
        QTest::newRow("LANG=en_GB.UTF-8")
            << QStringList{"en-GB", "en-Latn-GB"} << Language::english;
        // Qt's own lookup would end on the English file here.
        QTest::newRow("LANGUAGE=zh_CN:en")
            << QStringList{"zh-CN", "zh-Hans-CN", "zh", "en", "en-Latn-US", "en-US"}
            << Language::simplifiedChinese;
        QTest::newRow("zh-SG") << QStringList{"zh-SG"} << Language::simplifiedChinese;
        QTest::newRow("plain zh") << QStringList{"zh"} << Language::simplifiedChinese;
        QTest::newRow("German, then English")
            << QStringList{"de-DE", "de", "en-GB"} << Language::english;
        QTest::newRow("German only") << QStringList{"de-DE", "de"} << Language::simplifiedChinese;
        QTest::newRow("nothing") << QStringList{} << Language::simplifiedChinese;
    }
    void desktopLanguagesMapToOurs() {
        QFETCH(QStringList, uiLanguages);
        QFETCH(Language, expected);
        QCOMPARE(LanguageChoice::fromDesktop(uiLanguages), expected);
    }

    // Every choice reads back; "system" and anything unknown follow the desktop.
    void settingValuesReadBack() {
        for (const Language language :
             {Language::simplifiedChinese, Language::hongKongChinese, Language::english})
            QCOMPARE(LanguageChoice::fromSetting(LanguageChoice::settingValue(language)),
                     std::optional(language));
        QCOMPARE(LanguageChoice::fromSetting(LanguageChoice::followSystem), std::nullopt);
        QCOMPARE(LanguageChoice::fromSetting(QStringLiteral("fr")), std::nullopt);
    }
};

ORVEL_TEST_CLASS(LanguageChoiceTest);

#include "LanguageChoiceTest.moc"
