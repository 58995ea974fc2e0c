#pragma once

#include "SettingsSection.h"

class IPORepository;
class SettingsAlertPresenting;
class SettingsFilePicking;
class UserIPOStore;

// CSV backup and restore of the user's entries, and the calendar export of the IPO dates. While
// one of their file dialogs is open the other buttons do nothing.
class SettingsBackupCard : public SettingsSection {
    Q_OBJECT
public:
    SettingsBackupCard(IPORepository &repository, UserIPOStore &userStore,
                       SettingsFilePicking &filePicking, SettingsAlertPresenting &alerts,
                       QWidget *parent = nullptr);

    void exportBackup();
    void importBackup();
    void exportCalendar();

private:
    IPORepository &m_repository;
    UserIPOStore &m_userStore;
    SettingsFilePicking &m_filePicking;
    SettingsAlertPresenting &m_alerts;
    bool m_dialogOpen = false;
};
