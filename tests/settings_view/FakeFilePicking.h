#pragma once

#include "ui/settings/SettingsFilePicking.h"

#include <QStringList>

// Answers the backup dialogs with the paths the test chose (nothing: the user cancelled) and
// keeps what the sheet suggested.
class FakeFilePicking : public SettingsFilePicking {
public:
    std::optional<QString> savePath;
    std::optional<QString> openPath;
    QStringList suggestedNames;
    int openDialogs = 0;

    std::optional<QString> saveFileName(QWidget *, const QString &suggestedName) override {
        suggestedNames.append(suggestedName);
        return savePath;
    }

    std::optional<QString> openFileName(QWidget *) override {
        ++openDialogs;
        return openPath;
    }

    std::optional<QString> saveCalendarFileName(QWidget *, const QString &suggestedName) override {
        suggestedNames.append(suggestedName);
        return savePath;
    }
};
