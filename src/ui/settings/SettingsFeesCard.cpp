#include "SettingsFeesCard.h"

#include "SettingsLabel.h"
#include "ui/look/AppLook.h"
#include "ui/look/ViewStyle.h"
#include "ui/main_window/SegmentedControl.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

constexpr int fieldWidth = 100;

struct Row {
    BrokerSetting setting;
    QString label;
    QString unit;
    QString objectName;
};

QList<Row> rowsOfCharges() {
    return {{BrokerSetting::commissionRate,
             QCoreApplication::translate("SettingsFeesCard", "佣金费率"), QStringLiteral("%"),
             QStringLiteral("CommissionRateField")},
            {BrokerSetting::minimumCommission,
             QCoreApplication::translate("SettingsFeesCard", "最低佣金"), QStringLiteral("HK$"),
             QStringLiteral("MinimumCommissionField")},
            {BrokerSetting::platformFee,
             QCoreApplication::translate("SettingsFeesCard", "平台费（每笔卖出）"),
             QStringLiteral("HK$"), QStringLiteral("PlatformFeeField")},
            {BrokerSetting::cashHandlingFee,
             QCoreApplication::translate("SettingsFeesCard", "现金申购手续费"),
             QStringLiteral("HK$"), QStringLiteral("CashHandlingFeeField")},
            {BrokerSetting::financingRate,
             //: the yearly interest rate of the investor's margin loan
             QCoreApplication::translate("SettingsFeesCard", "融资年利率"), QStringLiteral("%"),
             QStringLiteral("FinancingRateField")}};
}

} // namespace

SettingsFeesCard::SettingsFeesCard(AppSettings &settings, QWidget *parent)
    : SettingsSection(tr("费用"), parent)
    , m_settings(settings) {
    rows()->addWidget(note(tr("券商收费按你的账户填写；印花税、交易征费、交易费和"
                              "交收费按卖出当日的法定费率计算。")));
    for (const Row &row : rowsOfCharges()) {
        auto *field = new QLineEdit;
        field->setObjectName(row.objectName);
        field->setFont(ViewStyle::monospacedFont(13));
        field->setFixedWidth(fieldWidth);
        field->setAlignment(Qt::AlignRight);
        field->setAccessibleName(row.label);
        AppLook::styleField(field);
        const BrokerSetting setting = row.setting;
        connect(field, &QLineEdit::editingFinished, this, [this, setting] { commit(setting); });
        m_fields.insert(setting, field);
        m_labels.insert(setting, row.label);

        auto *trailing = new QWidget;
        auto *fieldRow = new QHBoxLayout(trailing);
        fieldRow->setContentsMargins(0, 0, 0, 0);
        fieldRow->setSpacing(6);
        fieldRow->addWidget(field);
        auto *unit = new SettingsLabel(row.unit, ViewStyle::font(11), PaletteColor::textSecondary);
        unit->setFixedWidth(28);
        fieldRow->addWidget(unit);
        auto *line = new QWidget;
        auto *lineLayout = new QHBoxLayout(line);
        lineLayout->setContentsMargins(0, 0, 0, 0);
        lineLayout->setSpacing(12);
        lineLayout->addWidget(label(row.label), 1);
        lineLayout->addWidget(trailing);
        rows()->addWidget(line);
    }
    m_message = new SettingsLabel(QString(), ViewStyle::font(10), PaletteColor::textSecondary);
    m_message->setObjectName(QStringLiteral("FeesMessage"));
    m_message->setWordWrap(true);
    m_message->setFailureTone();
    m_message->hide();
    rows()->addWidget(m_message);

    m_gainColour = new SegmentedControl({AppSettings::gainColourText(GainColour::redUp),
                                         AppSettings::gainColourText(GainColour::greenUp)});
    m_gainColour->setObjectName(QStringLiteral("GainColourControl"));
    m_gainColour->setAccessibleName(tr("涨跌颜色"));
    m_gainColour->setFixedWidth(180);
    connect(m_gainColour, &SegmentedControl::activated, this, [this](int index) {
        m_settings.setGainColour(index == 1 ? GainColour::greenUp : GainColour::redUp);
    });
    rows()->addWidget(labelledRow(tr("涨跌颜色"), tr("收益为正与为负时的颜色"), m_gainColour));
}

void SettingsFeesCard::reload() {
    for (auto it = m_fields.cbegin(); it != m_fields.cend(); ++it)
        it.value()->setText(m_settings.brokerSettingText(it.key()));
    m_gainColour->setCurrentIndex(m_settings.gainColour() == GainColour::greenUp ? 1 : 0);
    m_message->hide();
}

void SettingsFeesCard::commit(BrokerSetting setting) {
    QLineEdit *field = m_fields.value(setting);
    const std::optional<QString> refused = m_settings.setBrokerSetting(setting, field->text());
    // The field always shows what is stored: the accepted value as the settings write it, or
    // the old value after a refusal.
    field->setText(m_settings.brokerSettingText(setting));
    //: a refused charge: %1 the field's name, %2 why the text is no usable amount
    m_message->setText(refused ? tr("%1：%2").arg(m_labels.value(setting), *refused) : QString());
    m_message->setVisible(refused.has_value());
}

QString SettingsFeesCard::message() const {
    return m_message->isHidden() ? QString() : m_message->text();
}
