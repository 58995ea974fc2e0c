#include "AppSettings.h"

#include "ActivationPolicyApplying.h"

#include <QMetaObject>

#include <cmath>

namespace {

// A hand-edited or damaged file must not put NaN or infinity into the capital figures.
double storedAmount(const QVariant &value) {
    bool ok = false;
    const double amount = value.toDouble(&ok);
    return ok && std::isfinite(amount) ? amount : 0;
}

} // namespace

AppSettings::AppSettings(std::unique_ptr<QSettings> store, ActivationPolicyApplying *policy,
                         QObject *parent)
    : QObject(parent)
    , m_store(std::move(store))
    , m_policy(policy) {
    Q_ASSERT(m_store);
    m_capitalAmount = storedAmount(m_store->value(capitalAmountKey));
    m_hideDockIcon = m_store->value(hideDockIconKey, false).toBool();
    scheduleActivationPolicy();
}

AppSettings::~AppSettings() = default;

AppSettings &AppSettings::shared() {
    static AppSettings *const instance = new AppSettings(
        std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                    QStringLiteral("orvel"), QStringLiteral("orvel")));
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
