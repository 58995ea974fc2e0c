#pragma once

#include <QString>

// The one-line text a manual refresh shows, and whether it reports a failure.
struct SyncStatusReport {
    QString text;
    bool isError = false;

    friend bool operator==(const SyncStatusReport &, const SyncStatusReport &) = default;
};
