#pragma once

#include "model/WebAddress.h"

#include <QUrl>

// Opens web pages from the settings sheet (the download page, the privacy page). Tests stand in
// here so that no real browser starts.
class SettingsURLOpening {
public:
    virtual ~SettingsURLOpening() = default;

    // True when the page was handed to a browser. Anything but a web address is refused.
    virtual bool openURL(const QUrl &url) = 0;

    static bool isWebAddress(const QUrl &url) { return WebAddress::isOpenable(url); }
};
