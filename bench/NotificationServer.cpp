#include <QCoreApplication>
#include <QDBusConnection>
#include <QObject>
#include <QStringList>
#include <QVariantMap>

#include <cstdio>

// The smallest notification server: owns org.freedesktop.Notifications on the session bus, so
// ORVEL counts notifications as permitted and keeps its reminders pending while the
// whole-process figures measure it. Prints each notification it is sent.
class NotificationServer : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public slots:
    QStringList GetCapabilities() { return {QStringLiteral("body")}; }
    uint Notify(const QString &, uint, const QString &, const QString &summary, const QString &,
                const QStringList &, const QVariantMap &, int) {
        std::printf("notified: %s\n", qUtf8Printable(summary));
        std::fflush(stdout);
        return ++m_lastId;
    }

private:
    uint m_lastId = 0;
};

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    NotificationServer server;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.registerObject(QStringLiteral("/org/freedesktop/Notifications"), &server,
                            QDBusConnection::ExportAllSlots) ||
        !bus.registerService(QStringLiteral("org.freedesktop.Notifications"))) {
        std::fprintf(stderr, "cannot take org.freedesktop.Notifications on the session bus\n");
        return 1;
    }
    std::printf("ready\n");
    std::fflush(stdout);
    return app.exec();
}

#include "NotificationServer.moc"
