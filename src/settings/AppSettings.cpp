#include "AppSettings.h"

#include "ActivationPolicyApplying.h"

#include "model/MoneyText.h"
#include "model/NumberParsing.h"

#include <QCoreApplication>
#include <QLocale>
#include <QMetaObject>

#include <cmath>

namespace {

// A hand-edited or damaged file must not put NaN or infinity into the capital figures.
double storedAmount(const QVariant &value) {
    bool ok = false;
    const double amount = value.toDouble(&ok);
    return ok && std::isfinite(amount) ? amount : 0;
}

// A percent is kept to four places (0.0001 %), so a rate is that count over 1,000,000.
constexpr int percentPlaces = 4;
constexpr qint64 ratePerPercentUnit = 1'000'000;

bool isRate(BrokerSetting setting) {
    return setting == BrokerSetting::commissionRate || setting == BrokerSetting::financingRate;
}

// The HK$ settings' fields; nullptr for a rate.
qint64 *centsField(BrokerCharges &charges, BrokerSetting setting) {
    switch (setting) {
    case BrokerSetting::minimumCommission:
        return &charges.minimumCommissionCents;
    case BrokerSetting::platformFee:
        return &charges.platformFeeCents;
    case BrokerSetting::cashHandlingFee:
        return &charges.cashHandlingFeeCents;
    case BrokerSetting::commissionRate:
    case BrokerSetting::financingRate:
        break;
    }
    return nullptr;
}

ExactRate &rateOf(BrokerCharges &charges, BrokerSetting setting) {
    return setting == BrokerSetting::commissionRate ? charges.commissionRate
                                                    : charges.financingRate;
}

// Reads typed or stored text; the error is what the settings show beside the field.
std::optional<qint64> readUnits(BrokerSetting setting, const QString &text, QString *error) {
    const int places = isRate(setting) ? percentPlaces : 2;
    const QString trimmed = text.trimmed();
    const std::optional<qint64> units = parseScaled(trimmed, places);
    if (!units) {
        if (error)
            *error = parseDecimal(trimmed)
                         ? QCoreApplication::translate("AppSettings", "最多 %1 位小数").arg(places)
                         : QCoreApplication::translate("AppSettings", "请输入数字");
        return std::nullopt;
    }
    if (*units < 0) {
        if (error)
            *error = QCoreApplication::translate("AppSettings", "不能为负数");
        return std::nullopt;
    }
    return units;
}

void applyUnits(BrokerCharges &charges, BrokerSetting setting, qint64 units) {
    if (qint64 *cents = centsField(charges, setting))
        *cents = units;
    else
        rateOf(charges, setting) = ExactRate(units, ratePerPercentUnit);
}

constexpr BrokerSetting brokerSettings[] = {
    BrokerSetting::commissionRate, BrokerSetting::minimumCommission, BrokerSetting::platformFee,
    BrokerSetting::cashHandlingFee, BrokerSetting::financingRate};

} // namespace

QString AppSettings::brokerSettingKey(BrokerSetting setting) {
    switch (setting) {
    case BrokerSetting::commissionRate:
        return QStringLiteral("commissionRate");
    case BrokerSetting::minimumCommission:
        return QStringLiteral("minimumCommission");
    case BrokerSetting::platformFee:
        return QStringLiteral("platformFee");
    case BrokerSetting::cashHandlingFee:
        return QStringLiteral("cashHandlingFee");
    case BrokerSetting::financingRate:
        return QStringLiteral("financingRate");
    }
    return {};
}

QString AppSettings::gainColourText(GainColour colour) {
    return colour == GainColour::greenUp ? tr("绿涨红跌") : tr("红涨绿跌");
}

AppSettings::AppSettings(std::unique_ptr<QSettings> store, ActivationPolicyApplying *policy,
                         QObject *parent, AppLanguage::Language desktopLanguage)
    : QObject(parent)
    , m_store(std::move(store))
    , m_policy(policy) {
    Q_ASSERT(m_store);
    m_capitalAmount = storedAmount(m_store->value(capitalAmountKey));
    m_hideDockIcon = m_store->value(hideDockIconKey, false).toBool();
    m_language = languageChoice().value_or(desktopLanguage);
    // Until the user picks one, gains are red where Simplified Chinese is read and green in Hong
    // Kong and in English.
    const QString colour = m_store->value(gainColourKey).toString();
    if (colour == u"greenUp" || colour == u"redUp")
        m_gainColour = colour == u"greenUp" ? GainColour::greenUp : GainColour::redUp;
    else if (m_language != AppLanguage::Language::simplifiedChinese)
        m_gainColour = GainColour::greenUp;
    // A stored charge that does not read (a hand-edited file) keeps the default.
    for (BrokerSetting setting : brokerSettings) {
        const QVariant stored = m_store->value(brokerSettingKey(setting));
        if (!stored.isValid())
            continue;
        if (const std::optional<qint64> units = readUnits(setting, stored.toString(), nullptr))
            applyUnits(m_brokerCharges, setting, *units);
    }
    scheduleActivationPolicy();
}

AppSettings::~AppSettings() = default;

AppSettings &AppSettings::shared() {
    static AppSettings *const instance = new AppSettings(
        std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                    QStringLiteral("orvel"), QStringLiteral("orvel")),
        nullptr, nullptr, AppLanguage::fromUiLanguages(QLocale::system().uiLanguages()));
    return *instance;
}

void AppSettings::setCapitalAmount(double amount) {
    if (!std::isfinite(amount))
        return;
    const bool changed = amount != m_capitalAmount;
    m_capitalAmount = amount;
    write(capitalAmountKey, amount);
    if (changed)
        emit capitalAmountChanged(amount);
}

void AppSettings::setHideDockIcon(bool hide) {
    const bool changed = hide != m_hideDockIcon;
    m_hideDockIcon = hide;
    write(hideDockIconKey, hide);
    scheduleActivationPolicy();
    if (changed)
        emit hideDockIconChanged(hide);
}

bool AppSettings::isReminderEnabled(const QString &key) const {
    return m_store->value(key, false).toBool();
}

void AppSettings::setReminderEnabled(const QString &key, bool enabled) {
    write(key, enabled);
}

void AppSettings::setGainColour(GainColour colour) {
    const bool changed = colour != m_gainColour;
    m_gainColour = colour;
    write(gainColourKey,
          colour == GainColour::greenUp ? QStringLiteral("greenUp") : QStringLiteral("redUp"));
    if (changed)
        emit gainColourChanged(colour);
}

std::optional<AppLanguage::Language> AppSettings::languageChoice() const {
    return AppLanguage::fromSetting(m_store->value(languageKey).toString());
}

void AppSettings::setLanguageChoice(std::optional<AppLanguage::Language> language) {
    write(languageKey, AppLanguage::settingValue(language));
}

QString AppSettings::brokerSettingText(BrokerSetting setting) const {
    BrokerCharges charges = m_brokerCharges;
    if (const qint64 *cents = centsField(charges, setting))
        return MoneyText::cents(*cents);
    // Percent to as many places as it needs, at least two ("0.03", "3.50", "0.0025").
    const qint64 units = rateOf(charges, setting).appliedRounded(ratePerPercentUnit);
    QString text = QStringLiteral("%1.%2")
                       .arg(units / 10'000)
                       .arg(units % 10'000, percentPlaces, 10, QLatin1Char('0'));
    while (text.endsWith(u'0') && text.indexOf(u'.') < text.size() - 3)
        text.chop(1);
    return text;
}

std::optional<QString> AppSettings::setBrokerSetting(BrokerSetting setting, const QString &text) {
    QString error;
    const std::optional<qint64> units = readUnits(setting, text, &error);
    if (!units)
        return error;
    BrokerCharges charges = m_brokerCharges;
    applyUnits(charges, setting, *units);
    const bool changed = charges != m_brokerCharges;
    m_brokerCharges = charges;
    write(brokerSettingKey(setting), brokerSettingText(setting));
    if (changed)
        emit brokerChargesChanged();
    return std::nullopt;
}

void AppSettings::setActivationPolicyTarget(ActivationPolicyApplying *policy) {
    m_policy = policy;
    scheduleActivationPolicy();
}

void AppSettings::write(const QString &key, const QVariant &value) {
    m_store->setValue(key, value);
    m_store->sync();
    if (m_store->status() != QSettings::NoError)
        qWarning().noquote() << "[Settings] Could not save" << key << "to" << m_store->fileName();
}

void AppSettings::scheduleActivationPolicy() {
    // Queued, never inline: a write made while views are being updated must not change the
    // application's presentation in the middle of that update.
    QMetaObject::invokeMethod(this, &AppSettings::applyActivationPolicy, Qt::QueuedConnection);
}

void AppSettings::applyActivationPolicy() {
    if (m_policy)
        m_policy->applyActivationPolicy(m_hideDockIcon);
}
