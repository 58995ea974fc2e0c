#include "SettingsLanguageCard.h"

#include "SettingsLabel.h"
#include "settings/AppSettings.h"
#include "ui/main_window/SegmentedControl.h"

#include <QVBoxLayout>

#include <array>
#include <optional>

namespace {

using Language = AppLanguage::Language;

// The segments in order: the desktop's choice, then the three languages.
constexpr std::array<std::optional<Language>, 4> choices = {
    std::nullopt, Language::simplifiedChinese, Language::hongKongChinese, Language::english};

int indexOf(std::optional<Language> choice) {
    for (int i = 0; i < int(choices.size()); ++i) {
        if (choices[i] == choice)
            return i;
    }
    return 0;
}

} // namespace

SettingsLanguageCard::SettingsLanguageCard(AppSettings &settings, QWidget *parent)
    : SettingsSection(tr("语言"), parent)
    , m_settings(settings) {
    // Each language is named in its own words, so it can be found whatever is shown now.
    //: the first of four equal segments of a narrow control: keep it short
    m_choice = new SegmentedControl({tr("跟随系统"),
                                     QStringLiteral("简体中文"), // notr: a language's own name
                                     QStringLiteral("繁體中文"), // notr: a language's own name
                                     QStringLiteral("English")});
    m_choice->setObjectName(QStringLiteral("LanguageControl"));
    m_choice->setAccessibleName(tr("语言"));
    connect(m_choice, &SegmentedControl::activated, this,
            [this](int index) { m_settings.setLanguageChoice(choices.at(index)); });
    rows()->addWidget(m_choice);
    //: under the language choice: texts already shown are not written again
    rows()->addWidget(hint(tr("重新启动 ORVEL 后生效")));
    reload();
}

void SettingsLanguageCard::reload() {
    m_choice->setCurrentIndex(indexOf(m_settings.languageChoice()));
}
