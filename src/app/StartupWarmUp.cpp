#include "StartupWarmUp.h"

#include "StartupTrace.h"
#include "ui/main_window/MainTableColumns.h"

#include <QFontDatabase>
#include <QLibrary>
#include <QLibraryInfo>
#include <QStringList>

#include <fontconfig/fontconfig.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

// Only the loading: Qt's plugin loader later finds the library in place. A plugin that is not
// there (another Qt build) costs nothing and breaks nothing.
void loadPlugin(const QString &relativePath) {
    QLibrary plugin(QLibraryInfo::path(QLibraryInfo::PluginsPath) + u'/' + relativePath);
    plugin.load();
}

} // namespace

StartupWarmUp::StartupWarmUp()
    : m_thread([application = m_application.get_future()]() mutable {
        // Below the main thread and the display server, which it shares two cores with: the
        // window must not wait for the server because this thread held a core. (Linux gives
        // each thread its own nice value.)
        setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), 10);
        // In the order the main thread needs them: the window icon, the store, the first text.
        loadPlugin(QStringLiteral("iconengines/libqsvgicon"));
        loadPlugin(QStringLiteral("sqldrivers/libqsqlite"));
        FcInit();
        StartupTrace::mark("second core: fontconfig");
        if (!application.get())
            return;
        QFontDatabase::families();
        MainTableColumns::measureWidths();
        StartupTrace::mark("second core: fonts");
    }) {}

StartupWarmUp::~StartupWarmUp() {
    finish();
}

void StartupWarmUp::applicationReady() {
    if (m_told)
        return;
    m_told = true;
    m_application.set_value(true);
}

void StartupWarmUp::finish() {
    if (!m_told) {
        m_told = true;
        m_application.set_value(false);
    }
    if (m_thread.joinable())
        m_thread.join();
}
