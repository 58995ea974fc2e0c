#include "AppearanceMonitor.h"

#include "Palette.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusReply>
#include <QDBusVariant>
#include <QEvent>
#include <QGuiApplication>
#include <QPalette>

namespace {

const QString portalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString settingsInterface = QStringLiteral("org.freedesktop.portal.Settings");
const QString appearanceGroup = QStringLiteral("org.freedesktop.appearance");
const QString colorSchemeKey = QStringLiteral("color-scheme");

// The portal wraps the value in one or two variants depending on its version.
std::optional<uint> schemeFrom(QVariant value) {
    while (value.canConvert<QDBusVariant>() && value.userType() == qMetaTypeId<QDBusVariant>())
        value = value.value<QDBusVariant>().variant();
    bool ok = false;
    const uint scheme = value.toUInt(&ok);
    return ok ? std::optional<uint>(scheme) : std::nullopt;
}

} // namespace

AppearanceMonitor &AppearanceMonitor::shared() {
    static AppearanceMonitor *const instance = new AppearanceMonitor();
    return *instance;
}

AppearanceMonitor::AppearanceMonitor(QObject *parent)
    : QObject(parent) {
    if (qApp)
        qApp->installEventFilter(this);
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (bus.isConnected()) {
        bus.connect(portalService, portalPath, settingsInterface, QStringLiteral("SettingChanged"),
                    this, SLOT(portalSettingChanged(QString, QString, QDBusVariant)));
        readPortal();
    }
    m_dark =
        Palette::prefersDark(m_portalScheme, QGuiApplication::palette().color(QPalette::Window),
                             QGuiApplication::palette().color(QPalette::WindowText));
}

void AppearanceMonitor::setOverride(std::optional<bool> dark) {
    m_override = dark;
    reevaluate();
}

void AppearanceMonitor::readPortal() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    // Only ask when a portal is there: calling an absent service would block on activation.
    if (!bus.interface() || !bus.interface()->isServiceRegistered(portalService).value())
        return;
    QDBusInterface settings(portalService, portalPath, settingsInterface, bus);
    settings.setTimeout(500);
    const QDBusReply<QVariant> reply =
        settings.call(QStringLiteral("Read"), appearanceGroup, colorSchemeKey);
    if (reply.isValid())
        m_portalScheme = schemeFrom(reply.value());
}

void AppearanceMonitor::portalSettingChanged(const QString &group, const QString &key,
                                             const QDBusVariant &value) {
    if (group != appearanceGroup || key != colorSchemeKey)
        return;
    m_portalScheme = schemeFrom(value.variant());
    reevaluate();
}

bool AppearanceMonitor::eventFilter(QObject *watched, QEvent *event) {
    if (watched == qApp &&
        (event->type() == QEvent::ApplicationPaletteChange || event->type() == QEvent::ThemeChange))
        reevaluate();
    return QObject::eventFilter(watched, event);
}

void AppearanceMonitor::reevaluate() {
    const bool dark = m_override.value_or(
        Palette::prefersDark(m_portalScheme, QGuiApplication::palette().color(QPalette::Window),
                             QGuiApplication::palette().color(QPalette::WindowText)));
    if (dark == m_dark)
        return;
    m_dark = dark;
    emit appearanceChanged(dark);
}
