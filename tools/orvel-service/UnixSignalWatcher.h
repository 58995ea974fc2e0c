#pragma once

#include <QObject>

#include <initializer_list>

class QSocketNotifier;

namespace orvelservice {

// Turns POSIX signals into a Qt signal on the event loop. The handler itself only writes the
// signal number into a socket pair (the one thing that is safe there); the event loop reads it.
// One instance per process.
class UnixSignalWatcher : public QObject {
    Q_OBJECT
public:
    explicit UnixSignalWatcher(std::initializer_list<int> signalNumbers, QObject *parent = nullptr);
    ~UnixSignalWatcher() override;

    bool isValid() const { return m_notifier != nullptr; }

signals:
    void received(int signalNumber);

private:
    void readPending();

    QSocketNotifier *m_notifier = nullptr;
};

} // namespace orvelservice
