#pragma once

// Where start-up time goes: with ORVEL_STARTUP_TRACE set in the environment, each mark prints
// "[Startup] <phase> <ms>" to standard error, the milliseconds since the kernel started the
// process (the first-paint probe's clock, so the two figures line up). Without it a mark costs
// one cached check.
namespace StartupTrace {

bool enabled();
void mark(const char *phase);

} // namespace StartupTrace
