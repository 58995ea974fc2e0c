#pragma once

#include <future>
#include <thread>

// Start-up work on a second core. The main thread connects to the display, claims the single
// instance, opens the store and builds the main window; meanwhile this thread does what the
// first frame needs and any thread can do:
//   - opens the plugins the start loads (the SVG icon engine, the SQL driver): a library is
//     loaded and relocated once per process, by whichever thread asks first;
//   - reads fontconfig's configuration, which every process parses anew from XML and which Qt
//     would otherwise read on the first text it measures;
//   - once the application object exists, fills Qt's font database (shared between threads
//     behind Qt's own lock: the main thread's first text finds it filled, or waits for the rest)
//     and measures the table's column widths in the language of the run (plain numbers).
// Nothing depends on it having finished: whatever the main thread reaches first, it does itself.
//
// Construct it before the application object; call applicationReady() once that object exists
// and its translators are installed, and finish() before it goes.
class StartupWarmUp {
public:
    StartupWarmUp();
    ~StartupWarmUp();
    StartupWarmUp(const StartupWarmUp &) = delete;
    StartupWarmUp &operator=(const StartupWarmUp &) = delete;

    void applicationReady();
    // Waits for the second core; without applicationReady() it stops before touching Qt's font
    // database.
    void finish();

private:
    std::promise<bool> m_application;
    bool m_told = false;
    std::thread m_thread;
};
