#include "SettingsUpdateCheck.h"

#include "SettingsURLOpening.h"

#include <QCoreApplication>

namespace SettingsUpdateCheck {

bool showsUpdateSection(const std::optional<ApplicationInformationTable> &information) {
    return bundleInfoString(appinfo::distributionChannelKey, information) == u"direct";
}

Status checking() {
    return {QCoreApplication::translate("SettingsUpdateCheck", "正在检查新版本..."), false};
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
        return {QCoreApplication::translate("SettingsUpdateCheck", "当前分发渠道不提供站外更新。"),
                false};
    if (!result->hasValue())
        //: %1 why the check failed
        return {QCoreApplication::translate("SettingsUpdateCheck", "检查更新失败：%1")
                    .arg(result->error().description()),
                true};
    const AppUpdateResponse &response = result->value();
    if (!response.updateAvailable)
        return {QCoreApplication::translate("SettingsUpdateCheck", "已是最新版本。"), false};
    const std::optional<QUrl> page = resolveDownloadURL(response.downloadUrl, websiteRoot);
    if (!page)
        return {QCoreApplication::translate("SettingsUpdateCheck",
                                            "发现新版本，但下载地址无效，请稍后重试。"),
                true};
    // Saying the page was opened when no browser took it would leave the user waiting for
    // nothing; the address goes into the message so it can be typed in by hand.
    const QString build = QString::number(response.latestBuild);
    if (!openPage || !openPage(*page))
        //: %1 the version, %2 its build number, %3 the download page's address
        return {QCoreApplication::translate(
                    "SettingsUpdateCheck",
                    "发现新版本 %1 (%2)，但无法打开下载页面，请在浏览器中访问 %3。")
                    .arg(response.latestVersion, build, page->toDisplayString()),
                true};
    //: %1 the version, %2 its build number
    return {
        QCoreApplication::translate("SettingsUpdateCheck", "发现新版本 %1 (%2)，已打开下载页面。")
            .arg(response.latestVersion, build),
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
    const QString title = QCoreApplication::translate("SettingsUpdateCheck", "无法打开隐私政策");
    const std::optional<QUrl> page = privacyPageURL(information);
    if (!page)
        return SettingsAlertMessage::make(
            title,
            QCoreApplication::translate("SettingsUpdateCheck", "当前应用未配置隐私政策链接。"));
    if (!openPage || !openPage(*page))
        //: %1 the privacy page's address
        return SettingsAlertMessage::make(
            title,
            QCoreApplication::translate("SettingsUpdateCheck", "无法启动浏览器，请手动访问 %1。")
                .arg(page->toDisplayString()));
    return std::nullopt;
}

} // namespace SettingsUpdateCheck
