#pragma once

#include <QString>

#include <optional>

class QWidget;

// The file dialogs of the backup card's buttons. Tests stand in here so that no real dialog opens.
class SettingsFilePicking {
public:
    virtual ~SettingsFilePicking() = default;

    // The path the user chose to save the backup to, starting from `suggestedName` (with its
    // ".csv"); nothing when the user cancelled.
    virtual std::optional<QString> saveFileName(QWidget *parent, const QString &suggestedName) = 0;
    // The one comma-separated or plain-text file the user picked; nothing when cancelled.
    virtual std::optional<QString> openFileName(QWidget *parent) = 0;
    // Where to save the calendar file, starting from `suggestedName` (with its ".ics"); nothing
    // when the user cancelled.
    virtual std::optional<QString> saveCalendarFileName(QWidget *parent,
                                                        const QString &suggestedName) = 0;
};
