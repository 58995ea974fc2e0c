#pragma once

#include "SettingsSection.h"
#include "service/ApplicationInformation.h"

#include <QCoroTask>

#include <optional>

class IPORepository;
class SettingsAlertPresenting;
class SettingsButton;
class SettingsLabel;
class SettingsURLOpening;

// The update check and the privacy page, shown only in the directly downloaded edition. The
// status line under the buttons says what the last check found.
class SettingsUpdateCard : public SettingsSection {
    Q_OBJECT
public:
    SettingsUpdateCard(IPORepository &repository,
                       std::optional<ApplicationInformationTable> information,
                       SettingsURLOpening &urlOpening, SettingsAlertPresenting &alerts,
                       QWidget *parent = nullptr);

    const std::optional<QString> &statusMessage() const { return m_statusMessage; }

    void checkForUpdates();
    void openPrivacyPolicy();

private:
    QCoro::Task<> runCheck();
    void setChecking(bool checking);
    void setStatus(const QString &message, bool isError);

    IPORepository &m_repository;
    std::optional<ApplicationInformationTable> m_information;
    SettingsURLOpening &m_urlOpening;
    SettingsAlertPresenting &m_alerts;
    bool m_checking = false;
    std::optional<QString> m_statusMessage;
    SettingsButton *m_checkButton;
    SettingsLabel *m_statusLabel;
};
