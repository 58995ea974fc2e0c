#pragma once

#include "Fault.h"

#include <QHash>
#include <QJsonArray>
#include <QList>
#include <QString>

#include <optional>

namespace orvelservice {

// Faults waiting per request path, first in first out. A request takes one answer from the head
// of its path's queue; a fault with a count of n answers the next n requests.
class FaultQueue {
public:
    void add(const QString &path, const Fault &fault);
    std::optional<Fault> take(const QString &path);
    void clear();
    bool isEmpty() const { return m_queues.isEmpty(); }
    // Pending faults with their path and remaining count, in queue order per path.
    QJsonArray toJson() const;

private:
    QHash<QString, QList<Fault>> m_queues;
};

} // namespace orvelservice
