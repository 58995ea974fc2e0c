#include "SettingsDesktopServices.h"

#include <QDebug>
#include <QDesktopServices>

bool SettingsDesktopServices::openURL(const QUrl &url) {
    if (!isWebAddress(url)) {
        qWarning().noquote() << "[Settings] Refused to open a non-web address:"
                             << url.toDisplayString();
        return false;
    }
    return QDesktopServices::openUrl(url);
}
