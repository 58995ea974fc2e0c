#pragma once

#include "settings/AppLanguage.h"

class QCoreApplication;

// Puts one language in place on an application object, before it creates any text: ORVEL's own
// catalogue (compiled into the executable under :/i18n; none for Simplified Chinese, the source
// text), Qt's catalogue for its own texts (standard buttons, file dialogs; none for English) and
// the default locale, so dates and month names written with QLocale() follow. The translators
// belong to `app` and go with it.
class TranslationLoader {
public:
    static void install(QCoreApplication &app, AppLanguage::Language language);
};
