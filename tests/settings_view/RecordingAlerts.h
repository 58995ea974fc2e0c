#pragma once

#include "ui/settings/SettingsAlertPresenting.h"

#include <QList>

#include <functional>

// Keeps every alert the sheet shows instead of showing it; the test dismisses them.
class RecordingAlerts : public SettingsAlertPresenting {
public:
    QList<SettingsAlertMessage> shown;
    QList<std::function<void()>> dismissers;

    void presentAlert(QWidget *, const SettingsAlertMessage &alert,
                      std::function<void()> dismissed) override {
        shown.append(alert);
        dismissers.append(std::move(dismissed));
    }

    void dismissLast() {
        if (!dismissers.isEmpty())
            dismissers.takeLast()();
    }
};
