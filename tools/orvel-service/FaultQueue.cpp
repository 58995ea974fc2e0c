#include "FaultQueue.h"

#include <QJsonObject>

#include <algorithm>

namespace orvelservice {

void FaultQueue::add(const QString &path, const Fault &fault) {
    m_queues[path].append(fault);
}

std::optional<Fault> FaultQueue::take(const QString &path) {
    auto it = m_queues.find(path);
    if (it == m_queues.end() || it->isEmpty())
        return std::nullopt;
    Fault &head = it->first();
    Fault answer = head;
    answer.count = 1;
    if (--head.count <= 0)
        it->removeFirst();
    if (it->isEmpty())
        m_queues.erase(it);
    return answer;
}

void FaultQueue::clear() {
    m_queues.clear();
}

QJsonArray FaultQueue::toJson() const {
    QStringList paths = m_queues.keys();
    std::sort(paths.begin(), paths.end());
    QJsonArray out;
    for (const QString &path : paths) {
        for (const Fault &fault : m_queues.value(path)) {
            QJsonObject object = fault.toJson();
            object.insert(QStringLiteral("path"), path);
            out.append(object);
        }
    }
    return out;
}

} // namespace orvelservice
