#include "FirstPaintProbe.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <ctime>
#include <unistd.h>

void FirstPaintProbe::install(QWidget &window, Then then) {
    if (then == Then::carryOn) {
        afterFirstPaint(window, qApp, [] {
            std::fprintf(stderr, "[Startup] %-20s %7.1f\n", "first paint", processAgeMs());
        });
        return;
    }
    afterFirstPaint(window, qApp, [] {
        std::printf("first-paint-ms %.1f\n", processAgeMs());
        std::fflush(stdout);
        QCoreApplication::quit();
    });
}

void FirstPaintProbe::afterFirstPaint(QWidget &window, QObject *context,
                                      std::function<void()> then) {
    window.installEventFilter(new FirstPaintProbe(
        [context = QPointer<QObject>(context), then = std::move(then)] {
            if (context)
                then();
        },
        &window));
}

double FirstPaintProbe::processAgeMs() {
    // Field 22 of /proc/self/stat: start time in clock ticks after boot. The command name
    // (field 2) may hold spaces, so count fields after its closing parenthesis.
    QFile stat(QStringLiteral("/proc/self/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray line = stat.readAll();
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 20)
        return -1;
    const double startTicks = fields.at(19).toDouble();
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    const double nowMs =
        static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6;
    return nowMs - startTicks * 1000.0 / static_cast<double>(sysconf(_SC_CLK_TCK));
}

bool FirstPaintProbe::eventFilter(QObject *watched, QEvent *event) {
    if (!m_done && event->type() == QEvent::Paint) {
        m_done = true;
        // After the paint has been handled, not before.
        QTimer::singleShot(0, qApp, m_then);
    }
    return QObject::eventFilter(watched, event);
}
