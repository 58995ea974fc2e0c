#pragma once

#include <QString>

// The seam through which the rest of the application reports usage. The store holds one of these
// so tests can count the events a save produces without sending anything.
class AnalyticsTracking {
public:
    virtual ~AnalyticsTracking() = default;

    // Called once by the application at launch.
    virtual void start() = 0;
    // Called after a save of the user's figures for `code` has been committed, never before.
    virtual void trackUserDataSaved(const QString &code) = 0;
};
