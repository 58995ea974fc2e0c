#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The language ORVEL speaks: Simplified Chinese (the source text), Traditional Chinese as
// written in Hong Kong, or English. ORVEL maps the desktop's languages itself: Qt's own lookup
// would load English for a Simplified Chinese user whose list ends in English, and never finds a
// Hong Kong file for zh-HK.
class AppLanguage {
public:
    enum class Language { simplifiedChinese, hongKongChinese, english };

    // The stored value that follows the desktop (a missing or unknown value does the same).
    static inline const QString followSystem = QStringLiteral("system");

    // The first of the desktop's languages (most wanted first, as QLocale::uiLanguages() gives
    // them) that is Chinese or English decides: zh-Hans, zh-CN, zh-SG and plain zh are
    // Simplified; zh-Hant, zh-HK, zh-MO and zh-TW are Hong Kong's; en-* is English. With none
    // of them, Simplified Chinese.
    static Language fromUiLanguages(const QStringList &uiLanguages);

    // A stored choice, or nothing when it follows the desktop (or is no known value).
    static std::optional<Language> fromSetting(const QString &value);
    // "zh_CN", "zh_HK", "en"; followSystem for nothing.
    static QString settingValue(std::optional<Language> language);
};
