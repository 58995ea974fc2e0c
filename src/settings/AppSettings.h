#pragma once

#include "AppLanguage.h"

#include "model/BrokerCharges.h"

#include <QObject>
#include <QSettings>

#include <memory>
#include <optional>

class ActivationPolicyApplying;

// Which colour a gain is drawn in: the mainland convention (red up) or Hong Kong's and the
// English-speaking world's (green up).
enum class GainColour { redUp, greenUp };

// The broker's charges the user can set, each typed as text: rates in percent, fees in HK$.
enum class BrokerSetting {
    commissionRate,
    minimumCommission,
    platformFee,
    cashHandlingFee,
    financingRate
};

// The user's preferences. Every write goes to disk at once, so quitting never needs a
// clean-up and a crash loses nothing the user typed.
class AppSettings : public QObject {
    Q_OBJECT
    Q_PROPERTY(
        double capitalAmount READ capitalAmount WRITE setCapitalAmount NOTIFY capitalAmountChanged)
    Q_PROPERTY(bool hideDockIcon READ hideDockIcon WRITE setHideDockIcon NOTIFY hideDockIconChanged)

public:
    static inline const QString capitalAmountKey = QStringLiteral("capitalAmount");
    static inline const QString hideDockIconKey = QStringLiteral("hideDockIcon");
    // Values "redUp" and "greenUp"; without one, the custom of the language ORVEL speaks.
    static inline const QString gainColourKey = QStringLiteral("gainColour");
    // Values "system" (or none), "zh_CN", "zh_HK", "en", as AppLanguage::settingValue gives them.
    static inline const QString languageKey = QStringLiteral("language");
    // "commissionRate", "minimumCommission", "platformFee", "cashHandlingFee", "financingRate":
    // decimal text as brokerSettingText gives it.
    static QString brokerSettingKey(BrokerSetting setting);
    // "红涨绿跌" and "绿涨红跌", as the choice is shown.
    static QString gainColourText(GainColour colour);

    // Reads the values from `store` (missing keys read as 0 and false) and queues one
    // application of the taskbar policy. `policy` may be given later with
    // setActivationPolicyTarget; it is looked up when the queued work runs. `desktopLanguage` is
    // what the desktop's languages map to; it counts while no language is chosen.
    explicit AppSettings(
        std::unique_ptr<QSettings> store, ActivationPolicyApplying *policy = nullptr,
        QObject *parent = nullptr,
        AppLanguage::Language desktopLanguage = AppLanguage::Language::simplifiedChinese);
    ~AppSettings() override;

    // The application's instance over the user's own settings file ("orvel"/"orvel", INI under
    // the XDG config folder), created on first use and never destroyed; it follows the
    // desktop's languages (QLocale::system().uiLanguages()).
    static AppSettings &shared();

    double capitalAmount() const { return m_capitalAmount; }
    bool hideDockIcon() const { return m_hideDockIcon; }
    // A reminder switch, by the key its kind keeps it under; off until turned on.
    bool isReminderEnabled(const QString &key) const;
    GainColour gainColour() const { return m_gainColour; }
    // The language of this run: the choice stored when it started, else the desktop's. A new
    // choice applies from the next start, as texts already shown are not written again.
    AppLanguage::Language language() const { return m_language; }
    // The stored choice; nothing follows the desktop.
    std::optional<AppLanguage::Language> languageChoice() const;
    // The charges every result is worked out with (the defaults until the user sets them).
    const BrokerCharges &brokerCharges() const { return m_brokerCharges; }
    // One charge as the settings show it: "0.03" (percent), "3.00" (HK$).
    QString brokerSettingText(BrokerSetting setting) const;

    // Non-finite amounts are refused: they would turn every figure the views draw into nonsense.
    void setCapitalAmount(double amount);
    void setHideDockIcon(bool hide);
    void setReminderEnabled(const QString &key, bool enabled);
    void setGainColour(GainColour colour);
    void setLanguageChoice(std::optional<AppLanguage::Language> language);
    // Takes typed text ("0.03", "15"); text that is not a number, has more places than the
    // setting keeps (four for a percent, two for HK$) or is negative is refused: the message
    // says why and the old value stays.
    std::optional<QString> setBrokerSetting(BrokerSetting setting, const QString &text);

    // The shell exists only after the settings do; handing it over queues one application so it
    // starts out in line with the saved preference. The target must outlive these settings or
    // be withdrawn with nullptr first.
    void setActivationPolicyTarget(ActivationPolicyApplying *policy);

signals:
    void capitalAmountChanged(double amount);
    void hideDockIconChanged(bool hide);
    void gainColourChanged(GainColour colour);
    void brokerChargesChanged();

private:
    void write(const QString &key, const QVariant &value);
    void scheduleActivationPolicy();
    void applyActivationPolicy();

    std::unique_ptr<QSettings> m_store;
    ActivationPolicyApplying *m_policy = nullptr;
    double m_capitalAmount = 0;
    bool m_hideDockIcon = false;
    AppLanguage::Language m_language = AppLanguage::Language::simplifiedChinese;
    GainColour m_gainColour = GainColour::redUp;
    BrokerCharges m_brokerCharges;
};
