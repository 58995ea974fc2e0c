#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>

class QTcpSocket;

namespace orvelservice {

// Remembers the request target of every request on one connection exactly as it was sent.
// QHttpServerRequest only hands out a QUrl, which normalises percent-encoding ("%7e" becomes
// "~", "%e5" becomes "%E5"); the request log must show what the client really put on the wire.
//
// The tap peeks at the socket's bytes before the HTTP server reads them (its readyRead slot is
// connected first) and follows the message framing through Content-Length. A framing it cannot
// follow (a chunked request body) switches it off for that connection; callers then fall back
// to the QUrl form.
class RequestTargetTap : public QObject {
    Q_OBJECT
public:
    // Must run before anyone else connects to the socket's readyRead.
    static void install(QTcpSocket *socket);
    // The oldest target not yet taken on this connection, or an empty array.
    static QByteArray takeTarget(QTcpSocket *socket);

private:
    explicit RequestTargetTap(QTcpSocket *socket);
    void onReadyRead();
    void consume(const QByteArray &data);
    void finishHead();

    QTcpSocket *m_socket;
    QByteArray m_head;
    qint64 m_bodyLeft = 0;
    bool m_lost = false;
    QList<QByteArray> m_targets;
};

} // namespace orvelservice
