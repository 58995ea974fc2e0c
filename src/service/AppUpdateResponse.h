#pragma once

#include <QString>

class JsonObjectReader;

// What the update endpoint knows about the newest build of the directly distributed edition.
struct AppUpdateResponse {
    bool updateAvailable = false;
    QString latestVersion;
    qint64 latestBuild = 0;
    QString downloadUrl;
    QString releaseNotesUrl;
    QString publishedAt;
    QString notes;

    static AppUpdateResponse decode(JsonObjectReader &reader);
    friend bool operator==(const AppUpdateResponse &, const AppUpdateResponse &) = default;
};
