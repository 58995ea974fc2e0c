#pragma once

#include <QDBusConnection>
#include <QDBusContext>
#include <QList>
#include <QObject>
#include <QStringList>
#include <QVariantMap>

// A notification server of the test's own on the private session bus: it owns
// org.freedesktop.Notifications over a connection of its own (so calls from the code under test
// really cross the bus) and keeps what it was sent.
class TestNotificationServer : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    struct Received {
        QString appName;
        uint replacesId = 0;
        QString appIcon;
        QString summary;
        QString body;
        QStringList actions;
        QVariantMap hints;
        int expireTimeout = 0;
    };

    TestNotificationServer();
    ~TestNotificationServer() override;

    // Registers the object and takes the name; false when the bus refused either.
    bool start();

    QList<Received> received;
    // What GetCapabilities answers; empty: it answers with an error.
    QStringList capabilities{QStringLiteral("body"), QStringLiteral("body-markup")};
    // Notify answers with an error instead of an id.
    bool failNotify = false;

public slots:
    QStringList GetCapabilities();
    uint Notify(const QString &app_name, uint replaces_id, const QString &app_icon,
                const QString &summary, const QString &body, const QStringList &actions,
                const QVariantMap &hints, int expire_timeout);

private:
    QDBusConnection m_connection;
};
