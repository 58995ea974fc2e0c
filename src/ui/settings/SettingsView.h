#pragma once

#include "SettingsAlertMessage.h"
#include "service/ApplicationInformation.h"
#include "store/UserIPOBackupDocument.h"

#include <QCoroTask>
#include <QWidget>

#include <memory>
#include <optional>

class AppSettings;
class IPORepository;
class NotificationManager;
class QLineEdit;
class QScrollArea;
class SettingsAlertPresenting;
class SettingsButton;
class SettingsCard;
class SettingsFilePicking;
class SettingsLabel;
class SettingsSwitch;
class SettingsURLOpening;
class UserIPOStore;

// The settings sheet's content, a fixed 440 × 500 points: the capital, the taskbar switch, the
// two reminder switches, the update check and privacy page (directly downloaded edition only),
// CSV backup and restore with the calendar export, and the version. The shell wraps it in a
// window-modal sheet over the main window and closes that sheet on dismissRequested(). The view
// holds only view state: the values live in the settings, the store and the repository, and every
// message it shows comes from the plain functions beside it.
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
    bool darkMarketNotificationsEnabled() const { return m_darkMarketNotificationsEnabled; }
    bool isUpdatingNotifications() const { return m_isUpdatingNotifications; }
    bool closingDayNotificationsEnabled() const { return m_closingDayNotificationsEnabled; }
    bool isUpdatingClosingDayNotifications() const { return m_isUpdatingClosingDayNotifications; }
    const std::optional<QString> &updateStatusMessage() const { return m_updateStatusMessage; }
    bool updateStatusIsError() const { return m_updateStatusIsError; }
    bool isCheckingForUpdates() const { return m_isCheckingForUpdates; }
    bool isExportingBackup() const { return m_isExportingBackup; }
    bool isImportingBackup() const { return m_isImportingBackup; }
    const UserIPOBackupDocument &exportDocument() const { return m_exportDocument; }
    // The alert on screen, until the user dismisses it.
    const std::optional<SettingsAlertMessage> &alertMessage() const { return m_alertMessage; }
    bool hasUpdateSection() const { return m_updateSection != nullptr; }

public slots:
    // Reads the capital and the reminder switches from the settings again; runs each time the
    // sheet is shown.
    void reloadFromSettings();
    // Return in the capital field: stores what the text stands for (0 when it is no number).
    void commitCapital();
    // The user turned the grey-market reminder switch to `enabled`.
    void changeReminders(bool enabled);
    // The user turned the closing-day reminder switch to `enabled`.
    void changeClosingDayReminders(bool enabled);
    void checkForUpdates();
    void openPrivacyPolicy();
    void exportBackup();
    void importBackup();
    void exportCalendar();

signals:
    // The close button: the shell closes the sheet.
    void dismissRequested();
    void updateStatusChanged();
    // A reminder change (either switch) has finished and the switch shows its outcome.
    void remindersChanged();
    void alertPresented(const SettingsAlertMessage &alert);

protected:
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QWidget *makeTitleBar();
    QWidget *makeBody();
    QWidget *makeFooter();
    QWidget *makeSection(const QString &title, SettingsCard *&card);
    QWidget *makeCapitalSection();
    QWidget *makeTaskbarSection();
    QWidget *makeReminderSection();
    QWidget *makeUpdateSection();
    QWidget *makeBackupSection();
    QWidget *labelledRow(const QString &label, const QString &hint, QWidget *trailing);

    QCoro::Task<> runReminderChange(bool enabled);
    QCoro::Task<> runClosingDayReminderChange(bool enabled);
    QCoro::Task<> runUpdateCheck();
    void setUpdateStatus(const QString &message, bool isError);
    void setCheckingForUpdates(bool checking);
    void presentAlert(const SettingsAlertMessage &alert);
    void applyAppearance();

    IPORepository &m_repository;
    AppSettings &m_settings;
    NotificationManager &m_notifications;
    UserIPOStore &m_userStore;
    std::optional<ApplicationInformationTable> m_information;
    std::unique_ptr<SettingsFilePicking> m_ownFilePicking;
    std::unique_ptr<SettingsAlertPresenting> m_ownAlerts;
    std::unique_ptr<SettingsURLOpening> m_ownURLOpening;
    SettingsFilePicking &m_filePicking;
    SettingsAlertPresenting &m_alerts;
    SettingsURLOpening &m_urlOpening;

    bool m_isExportingBackup = false;
    bool m_isImportingBackup = false;
    UserIPOBackupDocument m_exportDocument;
    std::optional<SettingsAlertMessage> m_alertMessage;
    bool m_darkMarketNotificationsEnabled = false;
    bool m_isUpdatingNotifications = false;
    bool m_closingDayNotificationsEnabled = false;
    bool m_isUpdatingClosingDayNotifications = false;
    std::optional<QString> m_updateStatusMessage;
    bool m_updateStatusIsError = false;
    bool m_isCheckingForUpdates = false;

    QScrollArea *m_scroll = nullptr;
    QLineEdit *m_capitalField = nullptr;
    SettingsSwitch *m_taskbarSwitch = nullptr;
    SettingsSwitch *m_reminderSwitch = nullptr;
    SettingsSwitch *m_closingDaySwitch = nullptr;
    QWidget *m_updateSection = nullptr;
    SettingsButton *m_checkButton = nullptr;
    SettingsLabel *m_updateStatusLabel = nullptr;
    SettingsButton *m_exportButton = nullptr;
    SettingsButton *m_importButton = nullptr;
    SettingsButton *m_calendarButton = nullptr;
};
