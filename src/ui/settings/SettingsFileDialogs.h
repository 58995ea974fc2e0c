#pragma once

#include "SettingsFilePicking.h"

// The toolkit's own file dialogs: saving offers comma-separated text, opening offers it first
// and plain text second.
class SettingsFileDialogs : public SettingsFilePicking {
public:
    std::optional<QString> saveFileName(QWidget *parent, const QString &suggestedName) override;
    std::optional<QString> openFileName(QWidget *parent) override;
    std::optional<QString> saveCalendarFileName(QWidget *parent,
                                                const QString &suggestedName) override;
};
