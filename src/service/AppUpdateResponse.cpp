#include "AppUpdateResponse.h"

#include "JsonObjectReader.h"

AppUpdateResponse AppUpdateResponse::decode(JsonObjectReader &reader) {
    AppUpdateResponse response;
    response.updateAvailable = reader.boolean(QLatin1StringView("updateAvailable"));
    response.latestVersion = reader.string(QLatin1StringView("latestVersion"));
    response.latestBuild = reader.integer(QLatin1StringView("latestBuild"));
    response.downloadUrl = reader.string(QLatin1StringView("downloadUrl"));
    response.releaseNotesUrl = reader.string(QLatin1StringView("releaseNotesUrl"));
    response.publishedAt = reader.string(QLatin1StringView("publishedAt"));
    response.notes = reader.string(QLatin1StringView("notes"));
    return response;
}
