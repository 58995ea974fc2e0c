#pragma once

#include "ui/settings/SettingsURLOpening.h"

#include <QList>

// A browser that keeps the addresses it was given, and accepts them unless told to refuse.
class RecordingURLOpener : public SettingsURLOpening {
public:
    QList<QUrl> opened;
    bool refuses = false;

    bool openURL(const QUrl &url) override {
        if (refuses || !isWebAddress(url))
            return false;
        opened.append(url);
        return true;
    }
};
