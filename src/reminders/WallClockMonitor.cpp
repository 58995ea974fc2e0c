#include "WallClockMonitor.h"

#include <QDebug>
#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <limits>
#include <sys/timerfd.h>
#include <unistd.h>

WallClockMonitor::WallClockMonitor(QObject *parent)
    : QObject(parent) {
    m_timerFd = ::timerfd_create(CLOCK_REALTIME, TFD_NONBLOCK | TFD_CLOEXEC);
    if (m_timerFd < 0 || !armClockSetWatch()) {
        qWarning("[Clock] Cannot watch for changes of the system clock: %s", std::strerror(errno));
        if (m_timerFd >= 0)
            ::close(m_timerFd);
        m_timerFd = -1;
        return;
    }
    m_notifier = new QSocketNotifier(m_timerFd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this,
            &WallClockMonitor::clockSetWatchReadable);
}

WallClockMonitor::~WallClockMonitor() {
    delete m_notifier;
    if (m_timerFd >= 0)
        ::close(m_timerFd);
}

WallClockMonitor &WallClockMonitor::shared() {
    static WallClockMonitor *const instance = [] {
        auto *monitor = new WallClockMonitor();
        QTimer::singleShot(0, monitor, [monitor] {
            if (!monitor->watchSystemBus(QDBusConnection::systemBus()))
                qInfo("[Clock] No system bus: a resume from sleep is noticed through the "
                      "clock-set watch only, a change of time zone not at all");
        });
        return monitor;
    }();
    return *instance;
}

bool WallClockMonitor::watchSystemBus(QDBusConnection bus) {
    if (!bus.isConnected())
        return false;
    // timedated runs only while asked something, so its name may have no owner now: the match
    // is on the path and interface alone.
    const bool zone =
        bus.connect(QString(), timedatePath, QStringLiteral("org.freedesktop.DBus.Properties"),
                    QStringLiteral("PropertiesChanged"), this,
                    SLOT(timedatePropertiesChanged(QString, QVariantMap, QStringList)));
    const bool sleep =
        bus.connect(loginService, loginPath, loginInterface, QStringLiteral("PrepareForSleep"),
                    this, SLOT(prepareForSleep(bool)));
    return zone && sleep;
}

void WallClockMonitor::timedatePropertiesChanged(const QString &interface,
                                                 const QVariantMap &changed,
                                                 const QStringList &invalidated) {
    const QString timezone = QStringLiteral("Timezone");
    if (interface == timedateService &&
        (changed.contains(timezone) || invalidated.contains(timezone)))
        emit moved();
}

void WallClockMonitor::prepareForSleep(bool goingToSleep) {
    if (!goingToSleep)
        emit moved();
}

bool WallClockMonitor::armClockSetWatch() {
    // An expiry that never comes: the timer exists only to be cancelled when the clock is set.
    itimerspec never{};
    never.it_value.tv_sec = std::numeric_limits<time_t>::max();
    return ::timerfd_settime(m_timerFd, TFD_TIMER_ABSTIME | TFD_TIMER_CANCEL_ON_SET, &never,
                             nullptr) == 0;
}

void WallClockMonitor::clockSetWatchReadable() {
    std::uint64_t expirations = 0;
    const ssize_t got = ::read(m_timerFd, &expirations, sizeof expirations);
    if (got < 0 && errno == EAGAIN)
        return;
    // ECANCELED: the clock was set. The watch stays cancelled until it is armed again.
    if (!armClockSetWatch()) {
        qWarning("[Clock] Cannot watch for changes of the system clock any more: %s",
                 std::strerror(errno));
        m_notifier->setEnabled(false);
    }
    emit moved();
}
