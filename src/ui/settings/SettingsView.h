#pragma once

#include "service/ApplicationInformation.h"

#include <QWidget>

#include <memory>
#include <optional>

class AppSettings;
class IPORepository;
class NotificationManager;
class QScrollArea;
class SettingsAlertPresenting;
class SettingsBackupCard;
class SettingsCapitalCard;
class SettingsFeesCard;
class SettingsFilePicking;
class SettingsLanguageCard;
class SettingsRemindersCard;
class SettingsTaskbarCard;
class SettingsURLOpening;
class SettingsUpdateCard;
class UserIPOStore;

// The settings sheet's content, a fixed 440 × 500 points: a title bar, the sections (capital,
// taskbar, language, reminders, the update check and privacy page of the directly downloaded
// edition, backup and calendar export) in a scrolling body, and the version. Each section is a
// class of its own that owns its texts, rows and actions; the view only arranges them and hands
// them the seams. The shell wraps it in a window-modal sheet and closes that on dismissRequested().
class SettingsView : public QWidget {
    Q_OBJECT
public:
    static constexpr int sheetWidth = 440;
    static constexpr int sheetHeight = 500;
    static constexpr int titleBarHeight = 44;
    static constexpr int footerHeight = 28;

    // `information` stands in for the build's application-information table (tests set the
    // edition and the addresses). Null seams get the real ones: the toolkit's file dialogs, the
    // desktop's message boxes and browser. Everything referenced must outlive the view.
    SettingsView(IPORepository &repository, AppSettings &settings,
                 NotificationManager &notifications, UserIPOStore &userStore,
                 std::optional<ApplicationInformationTable> information = std::nullopt,
                 SettingsFilePicking *filePicking = nullptr,
                 SettingsAlertPresenting *alerts = nullptr,
                 SettingsURLOpening *urlOpening = nullptr, QWidget *parent = nullptr);
    ~SettingsView() override;

    QString capitalText() const;
    // The update section's status line; nothing before a check, or without that section.
    std::optional<QString> updateStatusMessage() const;

public slots:
    // Reads the values from the settings again; runs each time the sheet is shown.
    void reloadFromSettings();
    void checkForUpdates();
    void exportBackup();

signals:
    // The close button: the shell closes the sheet.
    void dismissRequested();
    // A reminder switch has finished its change and shows the outcome.
    void remindersChanged();

protected:
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QWidget *makeTitleBar();
    QWidget *makeBody(IPORepository &repository, AppSettings &settings,
                      NotificationManager &notifications, UserIPOStore &userStore);
    QWidget *makeFooter();

    std::optional<ApplicationInformationTable> m_information;
    std::unique_ptr<SettingsFilePicking> m_ownFilePicking;
    std::unique_ptr<SettingsAlertPresenting> m_ownAlerts;
    std::unique_ptr<SettingsURLOpening> m_ownURLOpening;
    SettingsFilePicking &m_filePicking;
    SettingsAlertPresenting &m_alerts;
    SettingsURLOpening &m_urlOpening;

    QScrollArea *m_scroll = nullptr;
    SettingsCapitalCard *m_capital = nullptr;
    SettingsTaskbarCard *m_taskbar = nullptr;
    SettingsLanguageCard *m_language = nullptr;
    SettingsRemindersCard *m_reminders = nullptr;
    SettingsFeesCard *m_fees = nullptr;
    SettingsUpdateCard *m_update = nullptr;
    SettingsBackupCard *m_backup = nullptr;
};
