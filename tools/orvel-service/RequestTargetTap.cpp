#include "RequestTargetTap.h"

#include <QTcpSocket>

namespace orvelservice {

namespace {

// Request heads beyond this are not something the application sends; stop following.
constexpr qsizetype maxHeadBytes = 64 * 1024;

} // namespace

RequestTargetTap::RequestTargetTap(QTcpSocket *socket)
    : QObject(socket)
    , m_socket(socket) {
    connect(socket, &QIODevice::readyRead, this, &RequestTargetTap::onReadyRead);
}

void RequestTargetTap::install(QTcpSocket *socket) {
    new RequestTargetTap(socket);
}

QByteArray RequestTargetTap::takeTarget(QTcpSocket *socket) {
    auto *tap = socket
                    ? socket->findChild<RequestTargetTap *>(QString(), Qt::FindDirectChildrenOnly)
                    : nullptr;
    if (!tap || tap->m_targets.isEmpty())
        return {};
    return tap->m_targets.takeFirst();
}

void RequestTargetTap::onReadyRead() {
    // The HTTP server reads everything available on each readyRead, so every byte passes here
    // exactly once, just before the server consumes it.
    if (!m_lost)
        consume(m_socket->peek(m_socket->bytesAvailable()));
}

void RequestTargetTap::consume(const QByteArray &data) {
    qsizetype pos = 0;
    while (pos < data.size() && !m_lost) {
        if (m_bodyLeft > 0) {
            const qint64 skip = std::min<qint64>(m_bodyLeft, data.size() - pos);
            m_bodyLeft -= skip;
            pos += static_cast<qsizetype>(skip);
            continue;
        }
        // Empty lines between messages are allowed before a request line.
        if (m_head.isEmpty() && (data.at(pos) == '\r' || data.at(pos) == '\n')) {
            ++pos;
            continue;
        }
        const qsizetype before = m_head.size();
        m_head.append(data.constData() + pos, data.size() - pos);
        const qsizetype end = m_head.indexOf("\r\n\r\n");
        if (end < 0) {
            pos = data.size();
            if (m_head.size() > maxHeadBytes)
                m_lost = true;
            continue;
        }
        pos += end + 4 - before;
        m_head.truncate(end);
        finishHead();
        m_head.clear();
    }
}

void RequestTargetTap::finishHead() {
    const QList<QByteArray> lines = m_head.split('\n');
    const QList<QByteArray> requestLine = lines.value(0).trimmed().split(' ');
    if (requestLine.size() != 3) {
        m_lost = true;
        return;
    }
    m_targets.append(requestLine.at(1));
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray line = lines.at(i).trimmed();
        const qsizetype colon = line.indexOf(':');
        if (colon <= 0)
            continue;
        const QByteArray name = line.left(colon).trimmed().toLower();
        const QByteArray value = line.mid(colon + 1).trimmed();
        if (name == "content-length") {
            bool ok = false;
            m_bodyLeft = value.toLongLong(&ok);
            if (!ok || m_bodyLeft < 0)
                m_lost = true;
        } else if (name == "transfer-encoding" && value.toLower() != "identity") {
            m_lost = true;
        }
    }
}

} // namespace orvelservice
