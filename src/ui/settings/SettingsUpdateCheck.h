#pragma once

#include "SettingsAlertMessage.h"
#include "service/ApplicationInformation.h"
#include "service/IPOAPIClientProtocol.h"

#include <QString>
#include <QUrl>

#include <functional>
#include <optional>

// The update section of the settings sheet: which edition shows it, what every answer of the
// update check says, where a download address leads, and the privacy page.
namespace SettingsUpdateCheck {

// Hands a web address to the browser; false when that did not happen.
using OpenPage = std::function<bool(const QUrl &url)>;

// What the status line under the update buttons says.
struct Status {
    QString message;
    bool isError = false;

    friend bool operator==(const Status &, const Status &) = default;
};

// Only the directly downloaded edition ("direct", exactly) has an update section.
bool showsUpdateSection(const std::optional<ApplicationInformationTable> &information);

// The status line while a check runs.
Status checking();

// Where `downloadUrl` leads: the address itself when it has a scheme, otherwise (a bare path)
// that path on `websiteRoot`. Nothing when no address results or when it is not an http or
// https address with a host.
std::optional<QUrl> resolveDownloadURL(const QString &downloadUrl, const QUrl &websiteRoot);

// The status line for the check's result: an error, no answer (an edition without updates),
// up to date, or a newer build, whose download page `openPage` is asked to open first.
Status finished(const std::optional<ServiceResult<AppUpdateResponse>> &result,
                const QUrl &websiteRoot, const OpenPage &openPage);

// The privacy page when it is a web address.
std::optional<QUrl> privacyPageURL(const std::optional<ApplicationInformationTable> &information);

// The privacy button: opens the page, or says why it cannot. Nothing when the page opened.
std::optional<SettingsAlertMessage>
openPrivacyPage(const std::optional<ApplicationInformationTable> &information,
                const OpenPage &openPage);

} // namespace SettingsUpdateCheck
