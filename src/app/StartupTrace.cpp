#include "StartupTrace.h"

#include "FirstPaintProbe.h"

#include <QtGlobal>

#include <cstdio>

namespace StartupTrace {

bool enabled() {
    static const bool on = qEnvironmentVariableIsSet("ORVEL_STARTUP_TRACE");
    return on;
}

void mark(const char *phase) {
    if (!enabled())
        return;
    std::fprintf(stderr, "[Startup] %-20s %7.1f\n", phase, FirstPaintProbe::processAgeMs());
    std::fflush(stderr);
}

} // namespace StartupTrace
