#include "TranslationLoader.h"

#include <QCoreApplication>
#include <QDebug>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {

using Language = AppLanguage::Language;

QLocale localeOf(Language language) {
    switch (language) {
    case Language::simplifiedChinese:
        return QLocale(QLocale::Chinese, QLocale::SimplifiedChineseScript, QLocale::China);
    case Language::hongKongChinese:
        return QLocale(QLocale::Chinese, QLocale::TraditionalChineseScript, QLocale::HongKong);
    case Language::english:
        break;
    }
    // An English desktop keeps its own dates (en_US, en_AU); anyone else who picked English
    // gets Hong Kong's, which are British.
    const QLocale system = QLocale::system();
    return system.language() == QLocale::English
               ? system
               : QLocale(QLocale::English, QLocale::UnitedKingdom);
}

// A catalogue from a resource is used in place (the resource is stored uncompressed), one from
// disk is mapped: nothing is copied. False when the file is not there.
bool installCatalogue(QCoreApplication &app, const QString &name, const QString &folder) {
    auto *translator = new QTranslator(&app);
    if (translator->load(name, folder) && QCoreApplication::installTranslator(translator))
        return true;
    delete translator;
    return false;
}

} // namespace

void TranslationLoader::install(QCoreApplication &app, Language language) {
    QLocale::setDefault(localeOf(language));
    const QString own = language == Language::hongKongChinese ? QStringLiteral("orvel_zh_HK")
                        : language == Language::english       ? QStringLiteral("orvel_en")
                                                              : QString();
    if (!own.isEmpty() && !installCatalogue(app, own, QStringLiteral(":/i18n")))
        qWarning().noquote() << "[Language] The built-in catalogue" << own << "is missing";
    // Qt's catalogues come with the distribution's Qt translations package; without it Qt's own
    // few texts stay in English.
    const QString qt = language == Language::simplifiedChinese ? QStringLiteral("qtbase_zh_CN")
                       : language == Language::hongKongChinese ? QStringLiteral("qtbase_zh_TW")
                                                               : QString();
    const QString qtFolder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!qt.isEmpty() && !installCatalogue(app, qt, qtFolder))
        qInfo().noquote() << "[Language]" << qt << "is not in" << qtFolder;
}
