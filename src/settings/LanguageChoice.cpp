#include "LanguageChoice.h"

LanguageChoice::Language LanguageChoice::fromDesktop(const QStringList &uiLanguages) {
    for (const QString &entry : uiLanguages) {
        // "zh_TW.UTF-8" as well as "zh-Hant-TW": only the subtags count.
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

std::optional<LanguageChoice::Language> LanguageChoice::fromSetting(const QString &value) {
    for (const Language language :
         {Language::simplifiedChinese, Language::hongKongChinese, Language::english}) {
        if (value == settingValue(language))
            return language;
    }
    return std::nullopt;
}

QString LanguageChoice::settingValue(Language language) {
    switch (language) {
    case Language::simplifiedChinese:
        return QStringLiteral("zh_CN");
    case Language::hongKongChinese:
        return QStringLiteral("zh_HK");
    case Language::english:
        return QStringLiteral("en");
    }
    return followSystem;
}

std::optional<QString> LanguageChoice::catalogue(Language language) {
    if (language == Language::simplifiedChinese)
        return std::nullopt;
    return settingValue(language);
}

std::optional<QString> LanguageChoice::qtCatalogue(Language language) {
    switch (language) {
    case Language::simplifiedChinese:
        return QStringLiteral("qtbase_zh_CN");
    case Language::hongKongChinese:
        return QStringLiteral("qtbase_zh_TW");
    case Language::english:
        return std::nullopt;
    }
    return std::nullopt;
}
