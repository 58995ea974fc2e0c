#include "AppLanguage.h"

AppLanguage::Language AppLanguage::fromUiLanguages(const QStringList &uiLanguages) {
    for (const QString &entry : uiLanguages) {
        // "zh_TW.UTF-8" as well as "zh-Hant-TW": only the subtags count. The script comes
        // before the region, so "zh-Hans-HK" (Simplified as written in Hong Kong) stays
        // Simplified.
        const QStringList tags =
            QString(entry).replace(u'_', u'-').section(u'.', 0, 0).toLower().split(u'-');
        const QString language = tags.value(0);
        if (language == u"en")
            return Language::english;
        if (language != u"zh")
            continue;
        for (const QString &tag : tags.mid(1)) {
            if (tag == u"hant" || tag == u"hk" || tag == u"mo" || tag == u"tw")
                return Language::hongKongChinese;
            if (tag == u"hans" || tag == u"cn" || tag == u"sg")
                return Language::simplifiedChinese;
        }
        return Language::simplifiedChinese;
    }
    return Language::simplifiedChinese;
}

std::optional<AppLanguage::Language> AppLanguage::fromSetting(const QString &value) {
    for (const Language language :
         {Language::simplifiedChinese, Language::hongKongChinese, Language::english}) {
        if (value == settingValue(language))
            return language;
    }
    return std::nullopt;
}

QString AppLanguage::settingValue(std::optional<Language> language) {
    if (!language)
        return followSystem;
    switch (*language) {
    case Language::simplifiedChinese:
        return QStringLiteral("zh_CN");
    case Language::hongKongChinese:
        return QStringLiteral("zh_HK");
    case Language::english:
        return QStringLiteral("en");
    }
    return followSystem;
}
