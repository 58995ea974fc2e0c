#include "SettingsUpdateCheck.h"

#include "SettingsURLOpening.h"

namespace SettingsUpdateCheck {

namespace {

QString versionText(const AppUpdateResponse &response) {
    return response.latestVersion + QStringLiteral(" (") + QString::number(response.latestBuild) +
           QStringLiteral(")");
}

} // namespace

bool showsUpdateSection(const std::optional<ApplicationInformationTable> &information) {
    return bundleInfoString(appinfo::distributionChannelKey, information) == u"direct";
}

Status checking() {
    return {QStringLiteral("正在检查新版本..."), false};
}

std::optional<QUrl> resolveDownloadURL(const QString &downloadUrl, const QUrl &websiteRoot) {
    // Strict parsing: text that is not a URL as written (spaces, broken escapes) has no
    // address, rather than one the browser would guess at.
    const QUrl parsed(downloadUrl, QUrl::StrictMode);
    if (downloadUrl.isEmpty() || !parsed.isValid())
        return std::nullopt;
    const QUrl address = parsed.scheme().isEmpty() ? websiteRoot.resolved(parsed) : parsed;
    // A scheme other than http or https (javascript:, file:, a custom handler) is as unusable
    // as no address: the answer comes from the network and must not start anything local.
    if (!SettingsURLOpening::isWebAddress(address))
        return std::nullopt;
    return address;
}

Status finished(const std::optional<ServiceResult<AppUpdateResponse>> &result,
                const QUrl &websiteRoot, const OpenPage &openPage) {
    if (!result)
        return {QStringLiteral("当前分发渠道不提供站外更新。"), false};
    if (!result->hasValue())
        return {QStringLiteral("检查更新失败：") + result->error().description(), true};
    const AppUpdateResponse &response = result->value();
    if (!response.updateAvailable)
        return {QStringLiteral("已是最新版本。"), false};
    const std::optional<QUrl> page = resolveDownloadURL(response.downloadUrl, websiteRoot);
    if (!page)
        return {QStringLiteral("发现新版本，但下载地址无效，请稍后重试。"), true};
    // Saying the page was opened when no browser took it would leave the user waiting for
    // nothing; the address goes into the message so it can be typed in by hand.
    if (!openPage || !openPage(*page))
        return {QStringLiteral("发现新版本 ") + versionText(response) +
                    QStringLiteral("，但无法打开下载页面，请在浏览器中访问 ") +
                    page->toDisplayString() + QStringLiteral("。"),
                true};
    return {QStringLiteral("发现新版本 ") + versionText(response) +
                QStringLiteral("，已打开下载页面。"),
            false};
}

std::optional<QUrl> privacyPageURL(const std::optional<ApplicationInformationTable> &information) {
    const QUrl page = privacyPolicyURL(information);
    if (!SettingsURLOpening::isWebAddress(page))
        return std::nullopt;
    return page;
}

std::optional<SettingsAlertMessage>
openPrivacyPage(const std::optional<ApplicationInformationTable> &information,
                const OpenPage &openPage) {
    const QString title = QStringLiteral("无法打开隐私政策");
    const std::optional<QUrl> page = privacyPageURL(information);
    if (!page)
        return SettingsAlertMessage::make(title, QStringLiteral("当前应用未配置隐私政策链接。"));
    if (!openPage || !openPage(*page))
        return SettingsAlertMessage::make(title, QStringLiteral("无法启动浏览器，请手动访问 ") +
                                                     page->toDisplayString() +
                                                     QStringLiteral("。"));
    return std::nullopt;
}

} // namespace SettingsUpdateCheck
