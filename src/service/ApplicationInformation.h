#pragma once

#include <QString>
#include <QUrl>
#include <QVariantMap>

#include <optional>

// The per-build key/value table: which edition this is and where its update and privacy pages
// live, plus the version it reports. Generated at configure time from CMake cache variables; a
// variable left empty leaves its key out. Values are QVariants so that a table handed in by a
// caller can hold anything, and readers must cope with that.
using ApplicationInformationTable = QVariantMap;

namespace appinfo {
inline const QString distributionChannelKey = QStringLiteral("ORVELDistributionChannel");
inline const QString updateEndpointKey = QStringLiteral("ORVELUpdateEndpoint");
inline const QString privacyPolicyURLKey = QStringLiteral("ORVELPrivacyPolicyURL");
inline const QString shortVersionKey = QStringLiteral("CFBundleShortVersionString");
inline const QString buildVersionKey = QStringLiteral("CFBundleVersion");
} // namespace appinfo

// The table compiled into this build.
const ApplicationInformationTable &mainBundleInfo();

// Every reader below takes an optional replacement table that stands in for the compiled-in one
// (tests); the application always passes none.

// The value under `key` when it is a non-empty string, unchanged (no trimming); absent when the
// key is missing or holds an empty string or anything that is not a string.
std::optional<QString>
bundleInfoString(const QString &key,
                 const std::optional<ApplicationInformationTable> &replacement = std::nullopt);

// "CFBundleShortVersionString", or "unknown".
QString
appVersionString(const std::optional<ApplicationInformationTable> &replacement = std::nullopt);
// "CFBundleVersion", or "0".
QString
appBuildString(const std::optional<ApplicationInformationTable> &replacement = std::nullopt);

// "ORVELUpdateEndpoint" when it holds an absolute URL with a host, otherwise
// defaultUpdateEndpointURL(). Never empty.
QUrl updateEndpointURL(
    const std::optional<ApplicationInformationTable> &replacement = std::nullopt);
// "ORVELPrivacyPolicyURL" when it holds an absolute URL with a host, otherwise
// defaultPrivacyPolicyURL(). Never empty.
QUrl privacyPolicyURL(const std::optional<ApplicationInformationTable> &replacement = std::nullopt);
// The scheme, host and port of updateEndpointURL() with an empty path, so a custom update
// endpoint also moves the website root; defaultWebsiteURL() when that cannot be formed.
QUrl websiteURL(const std::optional<ApplicationInformationTable> &replacement = std::nullopt);

// The defaults sit on the service's own host (scheme, host and port of its base URL).
QUrl defaultUpdateEndpointURL(); // path "/v2/app/update"
QUrl defaultPrivacyPolicyURL();  // path "/privacy"
QUrl defaultWebsiteURL();        // empty path
