#include "SingleInstance.h"

#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>

namespace {

const QByteArray reopenMessage = QByteArrayLiteral("reopen\n");
const QByteArray acknowledgement = QByteArrayLiteral("ok\n");

QString defaultDirectory() {
    QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (runtime.isEmpty())
        runtime = QDir::tempPath();
    return runtime;
}

} // namespace

SingleInstance::SingleInstance(QString directory, QObject *parent)
    : QObject(parent)
    , m_directory(directory.isEmpty() ? defaultDirectory() : std::move(directory)) {
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&m_server, &QLocalServer::newConnection, this, &SingleInstance::handleConnection);
}

SingleInstance::~SingleInstance() {
    m_server.close();
}

QString SingleInstance::socketPath() const {
    return QDir(m_directory).filePath(QStringLiteral("orvel.socket"));
}

SingleInstance::Role SingleInstance::claim() {
    QDir().mkpath(m_directory);
    m_lock = std::make_unique<QLockFile>(QDir(m_directory).filePath(QStringLiteral("orvel.lock")));
    // Only a dead owner makes a lock stale; age never does, the application runs for days.
    m_lock->setStaleLockTime(0);
    if (m_lock->tryLock(0))
        return listen() ? Role::primary : Role::failed;

    // The owner may still be starting: give its socket a moment to appear.
    for (int attempt = 0; attempt < 10; ++attempt) {
        if (askRunningInstanceToReopen())
            return Role::secondary;
        QThread::msleep(200);
        if (m_lock->tryLock(0))
            return listen() ? Role::primary : Role::failed;
    }
    m_error = tr("另一个 ORVEL 正在运行（锁文件 %1），但没有在 %2 上回应；请结束它后再启动。")
                  .arg(m_lock->fileName(), socketPath());
    return Role::failed;
}

bool SingleInstance::listen() {
    // Holding the lock means any socket file left here belongs to a dead instance.
    QLocalServer::removeServer(socketPath());
    if (!m_server.listen(socketPath())) {
        m_error =
            tr("无法在 %1 上接收其他 ORVEL 的请求：%2").arg(socketPath(), m_server.errorString());
        return false;
    }
    return true;
}

bool SingleInstance::askRunningInstanceToReopen() {
    QLocalSocket socket;
    socket.connectToServer(socketPath());
    if (!socket.waitForConnected(1000))
        return false;
    socket.write(reopenMessage);
    if (!socket.waitForBytesWritten(1000))
        return false;
    while (socket.bytesAvailable() < acknowledgement.size()) {
        if (!socket.waitForReadyRead(2000))
            return false;
    }
    return socket.readAll().startsWith(acknowledgement);
}

void SingleInstance::handleConnection() {
    while (QLocalSocket *socket = m_server.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine())
                return;
            const QByteArray line = socket->readLine();
            if (line == reopenMessage) {
                socket->write(acknowledgement);
                socket->flush();
                emit reopenRequested();
            }
            socket->disconnectFromServer();
        });
    }
}
