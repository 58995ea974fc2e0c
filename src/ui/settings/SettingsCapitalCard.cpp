#include "SettingsCapitalCard.h"

#include "SettingsCapital.h"
#include "SettingsLabel.h"
#include "settings/AppSettings.h"
#include "ui/look/AppLook.h"
#include "ui/look/ViewStyle.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

constexpr int fieldWidth = 100;

} // namespace

SettingsCapitalCard::SettingsCapitalCard(AppSettings &settings, QWidget *parent)
    : SettingsSection(tr("用户打新资金"), parent)
    , m_settings(settings) {
    auto *trailing = new QWidget;
    auto *fieldRow = new QHBoxLayout(trailing);
    fieldRow->setContentsMargins(0, 0, 0, 0);
    fieldRow->setSpacing(6);
    m_field = new QLineEdit;
    m_field->setObjectName(QStringLiteral("CapitalField"));
    m_field->setPlaceholderText(QStringLiteral("0"));
    m_field->setFont(ViewStyle::monospacedFont(13));
    m_field->setFixedWidth(fieldWidth);
    m_field->setAccessibleName(tr("港元资金量"));
    AppLook::styleField(m_field);
    // Only Return commits: leaving the field or closing the sheet keeps the stored amount.
    connect(m_field, &QLineEdit::returnPressed, this, &SettingsCapitalCard::commit);
    auto *unit =
        new SettingsLabel(QStringLiteral("HK$"), ViewStyle::font(11), PaletteColor::textSecondary);
    unit->setObjectName(QStringLiteral("CapitalUnit"));
    fieldRow->addWidget(m_field);
    fieldRow->addWidget(unit);
    rows()->addWidget(labelledRow(tr("港元资金量"), tr("用于计算申购资金利用率"), trailing));
}

QString SettingsCapitalCard::text() const {
    return m_field->text();
}

void SettingsCapitalCard::reload() {
    m_field->setText(SettingsCapital::textForAmount(m_settings.capitalAmount()));
}

void SettingsCapitalCard::commit() {
    m_settings.setCapitalAmount(SettingsCapital::amountFromText(m_field->text()));
}
