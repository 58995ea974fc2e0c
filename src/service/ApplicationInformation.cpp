#include "ApplicationInformation.h"

#include "BuildConfig.h"

namespace {

ApplicationInformationTable compiledTable() {
    ApplicationInformationTable table;
    const auto put = [&table](const QString &key, const char *value) {
        const QString text = QString::fromUtf8(value);
        if (!text.isEmpty())
            table.insert(key, text);
    };
    put(appinfo::distributionChannelKey, buildconfig::distributionChannel);
    put(appinfo::updateEndpointKey, buildconfig::updateEndpoint);
    put(appinfo::privacyPolicyURLKey, buildconfig::privacyPolicyURL);
    put(appinfo::shortVersionKey, buildconfig::projectVersion);
    put(appinfo::buildVersionKey, buildconfig::buildNumber);
    return table;
}

QUrl serviceRoot() {
    const QUrl base(QString::fromUtf8(buildconfig::serviceBaseURL), QUrl::StrictMode);
    QUrl root;
    root.setScheme(base.scheme());
    root.setHost(base.host());
    root.setPort(base.port());
    return root;
}

QUrl serviceRootWithPath(const QString &path) {
    QUrl url = serviceRoot();
    url.setPath(path);
    return url;
}

// A relative or host-less value could never be requested or opened; it counts as malformed,
// like text that does not parse at all.
std::optional<QUrl> absoluteURL(const std::optional<QString> &text) {
    if (!text)
        return std::nullopt;
    const QUrl url(*text, QUrl::StrictMode);
    if (!url.isValid() || url.isRelative() || url.host().isEmpty())
        return std::nullopt;
    return url;
}

} // namespace

const ApplicationInformationTable &mainBundleInfo() {
    static const ApplicationInformationTable table = compiledTable();
    return table;
}

std::optional<QString>
bundleInfoString(const QString &key,
                 const std::optional<ApplicationInformationTable> &replacement) {
    const ApplicationInformationTable &table = replacement ? *replacement : mainBundleInfo();
    const auto entry = table.constFind(key);
    if (entry == table.constEnd() || entry->metaType().id() != QMetaType::QString)
        return std::nullopt;
    QString text = entry->toString();
    if (text.isEmpty())
        return std::nullopt;
    return text;
}

QString appVersionString(const std::optional<ApplicationInformationTable> &replacement) {
    return bundleInfoString(appinfo::shortVersionKey, replacement)
        .value_or(QStringLiteral("unknown"));
}

QString appBuildString(const std::optional<ApplicationInformationTable> &replacement) {
    return bundleInfoString(appinfo::buildVersionKey, replacement).value_or(QStringLiteral("0"));
}

QUrl updateEndpointURL(const std::optional<ApplicationInformationTable> &replacement) {
    return absoluteURL(bundleInfoString(appinfo::updateEndpointKey, replacement))
        .value_or(defaultUpdateEndpointURL());
}

QUrl privacyPolicyURL(const std::optional<ApplicationInformationTable> &replacement) {
    return absoluteURL(bundleInfoString(appinfo::privacyPolicyURLKey, replacement))
        .value_or(defaultPrivacyPolicyURL());
}

QUrl websiteURL(const std::optional<ApplicationInformationTable> &replacement) {
    const QUrl endpoint = updateEndpointURL(replacement);
    if (!endpoint.isValid())
        return defaultWebsiteURL();
    const QUrl root =
        endpoint.adjusted(QUrl::RemovePath | QUrl::RemoveQuery | QUrl::RemoveFragment);
    if (!root.isValid() || root.host().isEmpty())
        return defaultWebsiteURL();
    return root;
}

QUrl defaultUpdateEndpointURL() {
    return serviceRootWithPath(QStringLiteral("/v2/app/update"));
}

QUrl defaultPrivacyPolicyURL() {
    return serviceRootWithPath(QStringLiteral("/privacy"));
}

QUrl defaultWebsiteURL() {
    return serviceRoot();
}
