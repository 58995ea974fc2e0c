#pragma once

#include <QUrl>

// Opens web pages from the settings sheet (the download page, the privacy page). Tests stand in
// here so that no real browser starts.
class SettingsURLOpening {
public:
    virtual ~SettingsURLOpening() = default;

    // True when the page was handed to a browser. Anything but a web address is refused.
    virtual bool openURL(const QUrl &url) = 0;

    // Only http and https addresses with a host are ever opened: a service answer or a build
    // setting must not be able to start a local program or open a local file.
    static bool isWebAddress(const QUrl &url) {
        if (!url.isValid() || url.host().isEmpty())
            return false;
        const QString scheme = url.scheme();
        return scheme == QLatin1String("http") || scheme == QLatin1String("https");
    }
};
