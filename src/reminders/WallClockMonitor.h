#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QStringList>
#include <QVariantMap>

class QSocketNotifier;

// Says when the wall clock may have moved past what Qt's timers can see. Qt's timers count on
// the monotonic clock, which stands still while the machine sleeps and ignores a system clock
// that is set (by hand, or by a time service stepping it); a timer armed for a wall-clock moment
// then fires late, or early. Whoever arms such a timer looks at the clock again on `moved` and
// re-arms, so nothing needs to poll the clock while idle.
//
// Three sources, none of which wakes the process until something happens: a timerfd on the
// real-time clock armed with TFD_TIMER_CANCEL_ON_SET (the kernel cancels it when the clock is
// set, and also on resume from suspend), systemd-logind's PrepareForSleep(false) on the system
// bus, where there is one, and systemd-timedated's notice on that bus that the machine's time
// zone changed (a laptop carried to another zone: desktops set the zone through timedated; Qt
// 6.4 reports no zone change on Linux).
class WallClockMonitor : public QObject {
    Q_OBJECT
public:
    explicit WallClockMonitor(QObject *parent = nullptr);
    ~WallClockMonitor() override;
    WallClockMonitor(const WallClockMonitor &) = delete;
    WallClockMonitor &operator=(const WallClockMonitor &) = delete;

    // The application's monitor, created on first use and never destroyed. It starts listening
    // on the system bus from the event loop, so connecting to that bus never holds up the
    // caller (the main window's first frame).
    static WallClockMonitor &shared();

    static inline const QString loginService = QStringLiteral("org.freedesktop.login1");
    static inline const QString loginPath = QStringLiteral("/org/freedesktop/login1");
    static inline const QString loginInterface = QStringLiteral("org.freedesktop.login1.Manager");

    static inline const QString timedateService = QStringLiteral("org.freedesktop.timedate1");
    static inline const QString timedatePath = QStringLiteral("/org/freedesktop/timedate1");

    // Listens on `bus` (the system bus) for logind's PrepareForSleep and timedated's change of
    // zone; false when the bus is not connected.
    bool watchSystemBus(QDBusConnection bus);
    // Whether the clock-set watch is armed (false where the kernel refuses the timerfd).
    bool watchesClockChanges() const { return m_timerFd >= 0; }

signals:
    // The machine woke up, the system clock was set or the zone changed: read the clock again.
    void moved();

private slots:
    void prepareForSleep(bool goingToSleep);
    void timedatePropertiesChanged(const QString &interface, const QVariantMap &changed,
                                   const QStringList &invalidated);

private:
    bool armClockSetWatch();
    void clockSetWatchReadable();

    int m_timerFd = -1;
    QSocketNotifier *m_notifier = nullptr;
};
