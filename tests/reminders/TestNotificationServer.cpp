#include "TestNotificationServer.h"

#include <QDBusMessage>

namespace {

const QString connectionName = QStringLiteral("orvel-test-notification-server");
const QString serviceName = QStringLiteral("org.freedesktop.Notifications");
const QString objectPath = QStringLiteral("/org/freedesktop/Notifications");

} // namespace

TestNotificationServer::TestNotificationServer()
    : m_connection(QDBusConnection::connectToBus(QDBusConnection::SessionBus, connectionName)) {}

TestNotificationServer::~TestNotificationServer() {
    if (m_connection.isConnected()) {
        m_connection.unregisterService(serviceName);
        m_connection.unregisterObject(objectPath);
    }
    QDBusConnection::disconnectFromBus(connectionName);
}

bool TestNotificationServer::start() {
    return m_connection.isConnected() &&
           m_connection.registerObject(objectPath, this, QDBusConnection::ExportAllSlots) &&
           m_connection.registerService(serviceName);
}

QStringList TestNotificationServer::GetCapabilities() {
    if (capabilities.isEmpty())
        sendErrorReply(QDBusError::NotSupported, QStringLiteral("no capabilities today"));
    return capabilities;
}

uint TestNotificationServer::Notify(const QString &app_name, uint replaces_id,
                                    const QString &app_icon, const QString &summary,
                                    const QString &body, const QStringList &actions,
                                    const QVariantMap &hints, int expire_timeout) {
    if (failNotify) {
        sendErrorReply(QDBusError::Failed, QStringLiteral("server is busy"));
        return 0;
    }
    received.append(
        {app_name, replaces_id, app_icon, summary, body, actions, hints, expire_timeout});
    return static_cast<uint>(received.size());
}
