#pragma once

#include "reminders/DesktopNotificationCentre.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QObject>
#include <QTest>

using namespace Qt::StringLiterals;

// A notification server of the test's own: it owns org.freedesktop.Notifications over a
// connection of its own (so the centre's calls really cross the bus) and keeps what it was sent.
class TestNotificationServer : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    struct Received {
        QString appName, summary, body;
        QVariantMap hints;
    };
    QList<Received> received;
    // What GetCapabilities answers; empty: an error.
    QStringList capabilities{u"body"_s, u"body-markup"_s};
    bool failNotify = false;

    // The name is given back at once, so the next test's server can take it.
    ~TestNotificationServer() override {
        m_bus.unregisterService(DesktopNotificationCentre::serviceName);
        m_bus.unregisterObject(DesktopNotificationCentre::objectPath);
        QDBusConnection::disconnectFromBus(u"orvel-test-server"_s);
    }
    bool start() {
        return m_bus.registerObject(DesktopNotificationCentre::objectPath, this,
                                    QDBusConnection::ExportAllSlots) &&
               m_bus.registerService(DesktopNotificationCentre::serviceName);
    }

public slots:
    QStringList GetCapabilities() {
        if (capabilities.isEmpty())
            sendErrorReply(QDBusError::NotSupported, u"no capabilities today"_s);
        return capabilities;
    }
    uint Notify(const QString &appName, uint, const QString &, const QString &summary,
                const QString &body, const QStringList &, const QVariantMap &hints, int) {
        if (failNotify)
            sendErrorReply(QDBusError::Failed, u"server is busy"_s);
        else
            received.append({appName, summary, body, hints});
        return uint(received.size());
    }

private:
    QDBusConnection m_bus =
        QDBusConnection::connectToBus(QDBusConnection::SessionBus, u"orvel-test-server"_s);
};

// Everything the centre sent before this returns has reached the server: the bus keeps the
// order of one sender's messages. (The server answers from this thread: the wait runs the loop.)
inline void roundTripToServer() {
    const QDBusMessage ping = QDBusMessage::createMethodCall(
        DesktopNotificationCentre::serviceName, DesktopNotificationCentre::objectPath,
        u"org.freedesktop.DBus.Peer"_s, u"Ping"_s);
    QCOMPARE(QDBusConnection::sessionBus().call(ping, QDBus::BlockWithGui).type(),
             QDBusMessage::ReplyMessage);
}
