#pragma once

#include <QObject>
#include <QSettings>

#include <memory>

class ActivationPolicyApplying;

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

    // Reads the values from `store` (missing keys read as 0 and false) and queues one
    // application of the taskbar policy. `policy` may be given later with
    // setActivationPolicyTarget; it is looked up when the queued work runs.
    explicit AppSettings(std::unique_ptr<QSettings> store,
                         ActivationPolicyApplying *policy = nullptr, QObject *parent = nullptr);
    ~AppSettings() override;

    // The application's instance over the user's own settings file ("orvel"/"orvel", INI under
    // the XDG config folder), created on first use and never destroyed.
    static AppSettings &shared();

    double capitalAmount() const { return m_capitalAmount; }
    bool hideDockIcon() const { return m_hideDockIcon; }
    // A reminder switch, by the key its kind keeps it under; off until turned on.
    bool isReminderEnabled(const QString &key) const;

    // Non-finite amounts are refused: they would turn every figure the views draw into nonsense.
    void setCapitalAmount(double amount);
    void setHideDockIcon(bool hide);
    void setReminderEnabled(const QString &key, bool enabled);

    // The shell exists only after the settings do; handing it over queues one application so it
    // starts out in line with the saved preference. The target must outlive these settings or
    // be withdrawn with nullptr first.
    void setActivationPolicyTarget(ActivationPolicyApplying *policy);

signals:
    void capitalAmountChanged(double amount);
    void hideDockIconChanged(bool hide);

private:
    void write(const QString &key, const QVariant &value);
    void scheduleActivationPolicy();
    void applyActivationPolicy();

    std::unique_ptr<QSettings> m_store;
    ActivationPolicyApplying *m_policy = nullptr;
    double m_capitalAmount = 0;
    bool m_hideDockIcon = false;
};
