#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The language ORVEL speaks: Simplified Chinese (the source text), Traditional Chinese as
// written in Hong Kong, or English. ORVEL maps the desktop's languages itself: Qt's own lookup
// would load English for a Simplified Chinese user whose list ends in English, and never finds a
// Hong Kong file for zh-HK.
class LanguageChoice {
public:
    enum class Language { simplifiedChinese, hongKongChinese, english };

    // The settings values: "system" (or nothing) follows the desktop.
    static inline const QString followSystem = QStringLiteral("system");

    // The first of the desktop's languages (most wanted first, as QLocale::uiLanguages() gives
    // them) that is Chinese or English decides: zh-Hans, zh-CN, zh-SG and plain zh are
    // Simplified; zh-Hant, zh-HK, zh-MO and zh-TW are Hong Kong's; en-* is English. With none
    // of them, Simplified Chinese.
    static Language fromDesktop(const QStringList &uiLanguages);
    // A stored choice, or nothing when it follows the desktop (or is no known value).
    static std::optional<Language> fromSetting(const QString &value);
    static QString settingValue(Language language);

    // ORVEL's own catalogue for the language ("zh_HK", "en"); none for the source text.
    static std::optional<QString> catalogue(Language language);
    // Qt's catalogue for its own texts (standard buttons, file dialogs); none for English.
    static std::optional<QString> qtCatalogue(Language language);
};
