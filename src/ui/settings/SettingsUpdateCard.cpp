#include "SettingsUpdateCard.h"

#include "SettingsAlertPresenting.h"
#include "SettingsButton.h"
#include "SettingsLabel.h"
#include "SettingsURLOpening.h"
#include "SettingsUpdateCheck.h"
#include "repository/IPORepository.h"
#include "ui/look/ViewStyle.h"

#include <QHBoxLayout>
#include <QPointer>
#include <QVBoxLayout>

SettingsUpdateCard::SettingsUpdateCard(IPORepository &repository,
                                       std::optional<ApplicationInformationTable> information,
                                       SettingsURLOpening &urlOpening,
                                       SettingsAlertPresenting &alerts, QWidget *parent)
    : SettingsSection(tr("应用更新"), parent)
    , m_repository(repository)
    , m_information(std::move(information))
    , m_urlOpening(urlOpening)
    , m_alerts(alerts) {
    rows()->addWidget(note(tr("官网下载的版本可在这里手动检查更新；从发行版软件源安装的版本"
                              "由系统的软件更新负责，不会显示这个入口。")));

    QHBoxLayout *buttons = buttonRow();
    m_checkButton = new SettingsButton(QStringLiteral("arrow.triangle.2.circlepath"),
                                       tr("检查更新"), SettingsButton::Look::bordered);
    m_checkButton->setObjectName(QStringLiteral("CheckForUpdatesButton"));
    connect(m_checkButton, &QAbstractButton::clicked, this, &SettingsUpdateCard::checkForUpdates);
    auto *privacy = new SettingsButton(QStringLiteral("hand.raised"), tr("隐私政策"),
                                       SettingsButton::Look::bordered);
    privacy->setObjectName(QStringLiteral("PrivacyButton"));
    connect(privacy, &QAbstractButton::clicked, this, &SettingsUpdateCard::openPrivacyPolicy);
    buttons->addWidget(m_checkButton);
    buttons->addWidget(privacy);
    buttons->addStretch(1);
    rows()->addLayout(buttons);

    m_statusLabel =
        new SettingsLabel(QString(), ViewStyle::font(10), PaletteColor::textSecondary, 0.8);
    m_statusLabel->setObjectName(QStringLiteral("UpdateStatus"));
    m_statusLabel->setWordWrap(true);
    m_statusLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_statusLabel->hide();
    rows()->addWidget(m_statusLabel);
}

void SettingsUpdateCard::checkForUpdates() {
    if (m_checking)
        return;
    const SettingsUpdateCheck::Status checking = SettingsUpdateCheck::checking();
    setStatus(checking.message, checking.isError);
    setChecking(true);
    runCheck();
}

QCoro::Task<> SettingsUpdateCard::runCheck() {
    const QPointer<SettingsUpdateCard> self(this);
    const std::optional<ServiceResult<AppUpdateResponse>> result =
        co_await m_repository.checkForUpdate(m_information);
    if (!self)
        co_return;
    setChecking(false);
    const SettingsUpdateCheck::Status status =
        SettingsUpdateCheck::finished(result, websiteURL(m_information), [this](const QUrl &page) {
            return m_urlOpening.openURL(page);
        });
    setStatus(status.message, status.isError);
}

void SettingsUpdateCard::setChecking(bool checking) {
    m_checking = checking;
    m_checkButton->setTitle(checking ? tr("检查中...") : tr("检查更新"));
    m_checkButton->setEnabled(!checking);
}

void SettingsUpdateCard::setStatus(const QString &message, bool isError) {
    m_statusMessage = message;
    m_statusLabel->setText(message);
    if (isError)
        m_statusLabel->setFailureTone();
    else
        m_statusLabel->setTone(PaletteColor::textSecondary, 0.8);
    m_statusLabel->show();
}

void SettingsUpdateCard::openPrivacyPolicy() {
    const auto alert = SettingsUpdateCheck::openPrivacyPage(
        m_information, [this](const QUrl &page) { return m_urlOpening.openURL(page); });
    if (alert)
        m_alerts.presentAlert(this, *alert);
}
