#pragma once

#include <QObject>

// Lets whoever started a request end it early: a request handed this object is aborted when
// cancel() is called (or is never sent when it was called before), and its operation finishes
// at once with a transport error instead of waiting for the answer or the time-out.
class RequestCancellation : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    bool isCancelled() const { return m_cancelled; }
    void cancel() {
        if (m_cancelled)
            return;
        m_cancelled = true;
        emit cancelled();
    }

signals:
    void cancelled();

private:
    bool m_cancelled = false;
};
