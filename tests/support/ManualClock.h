#pragma once

#include "model/Clock.h"

namespace testsupport {

// A clock that only moves when the test moves it; it must outlive whatever got clock().
class ManualClock {
public:
    explicit ManualClock(QDateTime start = QDateTime(QDate(2025, 1, 6), QTime(10, 0), Qt::UTC))
        : m_now(std::move(start)) {}

    QDateTime now() const { return m_now; }
    void set(QDateTime now) { m_now = std::move(now); }
    void advance(qint64 msecs) { m_now = m_now.addMSecs(msecs); }
    void advanceSecs(qint64 secs) { m_now = m_now.addSecs(secs); }
    Clock clock() const {
        return [this] {
            return m_now;
        };
    }

private:
    QDateTime m_now;
};

} // namespace testsupport
