#include "SettingsView.h"

#include "SettingsBackupCard.h"
#include "SettingsBar.h"
#include "SettingsButton.h"
#include "SettingsCapitalCard.h"
#include "SettingsDesktopServices.h"
#include "SettingsFeesCard.h"
#include "SettingsFileDialogs.h"
#include "SettingsLabel.h"
#include "SettingsLanguageCard.h"
#include "SettingsMessageBox.h"
#include "SettingsRemindersCard.h"
#include "SettingsTaskbarCard.h"
#include "SettingsUpdateCard.h"
#include "SettingsUpdateCheck.h"
#include "ui/look/AppLook.h"
#include "ui/look/ViewStyle.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QScrollArea>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {

constexpr int bodyPadding = 20;
constexpr int sectionSpacing = 18;

template <typename Seam, typename Default> std::unique_ptr<Seam> ownDefault(Seam *given) {
    if (given)
        return nullptr;
    return std::make_unique<Default>();
}

} // namespace

SettingsView::SettingsView(IPORepository &repository, AppSettings &settings,
                           NotificationManager &notifications, UserIPOStore &userStore,
                           std::optional<ApplicationInformationTable> information,
                           SettingsFilePicking *filePicking, SettingsAlertPresenting *alerts,
                           SettingsURLOpening *urlOpening, QWidget *parent)
    : QWidget(parent)
    , m_information(std::move(information))
    , m_ownFilePicking(ownDefault<SettingsFilePicking, SettingsFileDialogs>(filePicking))
    , m_ownAlerts(ownDefault<SettingsAlertPresenting, SettingsMessageBox>(alerts))
    , m_ownURLOpening(ownDefault<SettingsURLOpening, SettingsDesktopServices>(urlOpening))
    , m_filePicking(filePicking ? *filePicking : *m_ownFilePicking)
    , m_alerts(alerts ? *alerts : *m_ownAlerts)
    , m_urlOpening(urlOpening ? *urlOpening : *m_ownURLOpening) {
    setObjectName(QStringLiteral("SettingsView"));
    setFixedSize(sheetWidth, sheetHeight);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(makeTitleBar());
    layout->addWidget(makeBody(repository, settings, notifications, userStore), 1);
    layout->addWidget(makeFooter());

    reloadFromSettings();
}

SettingsView::~SettingsView() = default;

QString SettingsView::capitalText() const {
    return m_capital->text();
}

std::optional<QString> SettingsView::updateStatusMessage() const {
    return m_update ? m_update->statusMessage() : std::nullopt;
}

void SettingsView::reloadFromSettings() {
    m_capital->reload();
    m_taskbar->reload();
    m_language->reload();
    m_reminders->reload();
    m_fees->reload();
}

void SettingsView::checkForUpdates() {
    if (m_update)
        m_update->checkForUpdates();
}

void SettingsView::exportBackup() {
    m_backup->exportBackup();
}

QWidget *SettingsView::makeTitleBar() {
    auto *bar = new SettingsBar(titleBarHeight, SettingsBar::LineEdge::bottom);
    bar->setObjectName(QStringLiteral("SettingsTitleBar"));
    auto *title = new SettingsLabel(tr("设置"), ViewStyle::font(14, QFont::DemiBold),
                                    PaletteColor::textPrimary);
    title->setObjectName(QStringLiteral("SettingsTitle"));
    auto *close =
        new SettingsButton(QStringLiteral("xmark"), tr("关闭"), SettingsButton::Look::plain);
    close->setObjectName(QStringLiteral("CloseButton"));
    connect(close, &QAbstractButton::clicked, this, &SettingsView::dismissRequested);
    bar->content()->addWidget(title);
    bar->content()->addStretch(1);
    bar->content()->addWidget(close);
    return bar;
}

QWidget *SettingsView::makeBody(IPORepository &repository, AppSettings &settings,
                                NotificationManager &notifications, UserIPOStore &userStore) {
    auto *body = new QWidget;
    body->setObjectName(QStringLiteral("SettingsBody"));
    auto *sections = new QVBoxLayout(body);
    sections->setContentsMargins(bodyPadding, 16, bodyPadding, bodyPadding);
    sections->setSpacing(sectionSpacing);
    m_capital = new SettingsCapitalCard(settings);
    m_taskbar = new SettingsTaskbarCard(settings);
    m_language = new SettingsLanguageCard(settings);
    m_reminders = new SettingsRemindersCard(settings, notifications, repository, m_alerts);
    connect(m_reminders, &SettingsRemindersCard::changed, this, &SettingsView::remindersChanged);
    sections->addWidget(m_capital);
    sections->addWidget(m_taskbar);
    sections->addWidget(m_language);
    sections->addWidget(m_reminders);
    m_fees = new SettingsFeesCard(settings);
    sections->addWidget(m_fees);
    if (SettingsUpdateCheck::showsUpdateSection(m_information)) {
        m_update = new SettingsUpdateCard(repository, m_information, m_urlOpening, m_alerts);
        sections->addWidget(m_update);
    }
    m_backup = new SettingsBackupCard(repository, userStore, m_filePicking, m_alerts);
    sections->addWidget(m_backup);
    sections->addStretch(1);

    m_scroll = new QScrollArea;
    m_scroll->setObjectName(QStringLiteral("SettingsScroll"));
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scroll->setWidgetResizable(true);
    m_scroll->setWidget(body);
    AppLook::setScrollAreaFill(m_scroll, std::nullopt);
    // The sheet paints the canvas; the scroll area and its content stay see-through.
    m_scroll->setAutoFillBackground(false);
    m_scroll->viewport()->setAutoFillBackground(false);
    body->setAutoFillBackground(false);
    return m_scroll;
}

QWidget *SettingsView::makeFooter() {
    auto *bar = new SettingsBar(footerHeight, SettingsBar::LineEdge::top);
    bar->setObjectName(QStringLiteral("SettingsFooter"));
    //: the footer: %1 the version, %2 the build number
    const QString version =
        tr("Version %1 (%2)").arg(appVersionString(m_information), appBuildString(m_information));
    auto *line = new SettingsLabel(version, ViewStyle::monospacedFont(10, QFont::Medium),
                                   PaletteColor::textSecondary, 0.75);
    line->setObjectName(QStringLiteral("VersionLabel"));
    bar->content()->addWidget(line);
    bar->content()->addStretch(1);
    return bar;
}

void SettingsView::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.fillRect(rect(), ViewStyle::color(PaletteColor::canvasBackground));
}

void SettingsView::showEvent(QShowEvent *event) {
    QWidget::showEvent(event);
    // Un-minimising the window behind the sheet is not the sheet appearing again.
    if (!event->spontaneous())
        reloadFromSettings();
}
