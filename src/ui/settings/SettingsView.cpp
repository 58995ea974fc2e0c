#include "SettingsView.h"

#include "SettingsAlertPresenting.h"
#include "SettingsBackup.h"
#include "SettingsBar.h"
#include "SettingsButton.h"
#include "SettingsCalendarExport.h"
#include "SettingsCapital.h"
#include "SettingsCard.h"
#include "SettingsDesktopServices.h"
#include "SettingsFileDialogs.h"
#include "SettingsLabel.h"
#include "SettingsMessageBox.h"
#include "SettingsReminders.h"
#include "SettingsSwitch.h"
#include "SettingsUpdateCheck.h"
#include "reminders/NotificationManager.h"
#include "repository/CalendarExport.h"
#include "repository/IPORepository.h"
#include "settings/AppSettings.h"
#include "store/UserIPOStore.h"
#include "ui/look/AppearanceMonitor.h"
#include "ui/look/ViewStyle.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QScrollArea>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

constexpr int bodyPadding = 20;
constexpr int sectionSpacing = 18;
constexpr int headingSpacing = 6;
constexpr int buttonRowSpacing = 10;
constexpr int capitalFieldWidth = 100;

template <typename Seam, typename Default> std::unique_ptr<Seam> ownDefault(Seam *given) {
    if (given)
        return nullptr;
    return std::make_unique<Default>();
}

SettingsLabel *label(const QString &text) {
    return new SettingsLabel(text, ViewStyle::font(12), PaletteColor::textPrimary);
}

SettingsLabel *hint(const QString &text) {
    auto *wrapped = new SettingsLabel(text, ViewStyle::font(10), PaletteColor::textSecondary, 0.6);
    wrapped->setWordWrap(true);
    return wrapped;
}

SettingsLabel *note(const QString &text) {
    auto *wrapped = new SettingsLabel(text, ViewStyle::font(11), PaletteColor::textSecondary);
    wrapped->setWordWrap(true);
    return wrapped;
}

QHBoxLayout *buttonRow() {
    auto *row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(buttonRowSpacing);
    return row;
}

} // namespace

SettingsView::SettingsView(IPORepository &repository, AppSettings &settings,
                           NotificationManager &notifications, UserIPOStore &userStore,
                           std::optional<ApplicationInformationTable> information,
                           SettingsFilePicking *filePicking, SettingsAlertPresenting *alerts,
                           SettingsURLOpening *urlOpening, QWidget *parent)
    : QWidget(parent)
    , m_repository(repository)
    , m_settings(settings)
    , m_notifications(notifications)
    , m_userStore(userStore)
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
    layout->addWidget(makeBody(), 1);
    layout->addWidget(makeFooter());

    // The taskbar switch is bound to the setting both ways; the setting applies itself.
    connect(&m_settings, &AppSettings::hideDockIconChanged, this, [this](bool hide) {
        const QSignalBlocker blocker(m_taskbarSwitch);
        m_taskbarSwitch->setChecked(hide);
    });
    connect(&AppearanceMonitor::shared(), &AppearanceMonitor::appearanceChanged, this,
            &SettingsView::applyAppearance);
    applyAppearance();
    reloadFromSettings();
}

SettingsView::~SettingsView() = default;

QString SettingsView::capitalText() const {
    return m_capitalField->text();
}

// --- layout ---------------------------------------------------------------------------------

QWidget *SettingsView::makeTitleBar() {
    auto *bar = new SettingsBar(titleBarHeight, SettingsBar::LineEdge::bottom);
    bar->setObjectName(QStringLiteral("SettingsTitleBar"));
    auto *title = new SettingsLabel(QStringLiteral("设置"), ViewStyle::font(14, QFont::DemiBold),
                                    PaletteColor::textPrimary);
    title->setObjectName(QStringLiteral("SettingsTitle"));
    auto *close = new SettingsButton(QStringLiteral("xmark"), QStringLiteral("关闭"),
                                     SettingsButton::Look::plain);
    close->setObjectName(QStringLiteral("CloseButton"));
    connect(close, &QAbstractButton::clicked, this, &SettingsView::dismissRequested);
    bar->content()->addWidget(title);
    bar->content()->addStretch(1);
    bar->content()->addWidget(close);
    return bar;
}

QWidget *SettingsView::makeBody() {
    auto *body = new QWidget;
    body->setObjectName(QStringLiteral("SettingsBody"));
    auto *sections = new QVBoxLayout(body);
    sections->setContentsMargins(bodyPadding, 16, bodyPadding, bodyPadding);
    sections->setSpacing(sectionSpacing);
    sections->addWidget(makeCapitalSection());
    sections->addWidget(makeTaskbarSection());
    sections->addWidget(makeReminderSection());
    if (SettingsUpdateCheck::showsUpdateSection(m_information))
        sections->addWidget(makeUpdateSection());
    sections->addWidget(makeBackupSection());
    sections->addStretch(1);

    m_scroll = new QScrollArea;
    auto *scroll = m_scroll;
    scroll->setObjectName(QStringLiteral("SettingsScroll"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setWidgetResizable(true);
    scroll->setWidget(body);
    // The sheet paints the canvas; the scroll area and its content stay see-through.
    scroll->setAutoFillBackground(false);
    scroll->viewport()->setAutoFillBackground(false);
    body->setAutoFillBackground(false);
    return scroll;
}

QWidget *SettingsView::makeFooter() {
    auto *bar = new SettingsBar(footerHeight, SettingsBar::LineEdge::top);
    bar->setObjectName(QStringLiteral("SettingsFooter"));
    const QString version = QStringLiteral("Version ") + appVersionString(m_information) +
                            QStringLiteral(" (") + appBuildString(m_information) +
                            QStringLiteral(")");
    auto *line = new SettingsLabel(version, ViewStyle::monospacedFont(10, QFont::Medium),
                                   PaletteColor::textSecondary, 0.75);
    line->setObjectName(QStringLiteral("VersionLabel"));
    bar->content()->addWidget(line);
    bar->content()->addStretch(1);
    return bar;
}

QWidget *SettingsView::makeSection(const QString &title, SettingsCard *&card) {
    auto *section = new QWidget;
    section->setObjectName(QStringLiteral("SettingsSection"));
    auto *layout = new QVBoxLayout(section);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(headingSpacing);
    auto *heading = new SettingsLabel(title.toUpper(), ViewStyle::font(9, QFont::Normal, 1.2),
                                      PaletteColor::textSecondary, 0.6);
    heading->setObjectName(QStringLiteral("SectionHeading"));
    heading->setContentsMargins(4, 0, 0, heading->contentsMargins().bottom());
    card = new SettingsCard;
    layout->addWidget(heading);
    layout->addWidget(card);
    return section;
}

QWidget *SettingsView::labelledRow(const QString &labelText, const QString &hintText,
                                   QWidget *trailing) {
    auto *row = new QWidget;
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(12);
    auto *texts = new QVBoxLayout;
    texts->setContentsMargins(0, 0, 0, 0);
    texts->setSpacing(3);
    texts->addWidget(label(labelText));
    texts->addWidget(hint(hintText));
    layout->addLayout(texts, 1);
    layout->addWidget(trailing, 0, Qt::AlignVCenter);
    return row;
}

QWidget *SettingsView::makeCapitalSection() {
    SettingsCard *card = nullptr;
    QWidget *section = makeSection(QStringLiteral("用户打新资金"), card);

    auto *trailing = new QWidget;
    auto *fieldRow = new QHBoxLayout(trailing);
    fieldRow->setContentsMargins(0, 0, 0, 0);
    fieldRow->setSpacing(6);
    m_capitalField = new QLineEdit;
    m_capitalField->setObjectName(QStringLiteral("CapitalField"));
    m_capitalField->setPlaceholderText(QStringLiteral("0"));
    m_capitalField->setFont(ViewStyle::monospacedFont(13));
    m_capitalField->setFixedWidth(capitalFieldWidth);
    m_capitalField->setAccessibleName(QStringLiteral("港元资金量"));
    // Only Return commits: leaving the field or closing the sheet keeps the stored amount.
    connect(m_capitalField, &QLineEdit::returnPressed, this, &SettingsView::commitCapital);
    auto *unit =
        new SettingsLabel(QStringLiteral("HK$"), ViewStyle::font(11), PaletteColor::textSecondary);
    unit->setObjectName(QStringLiteral("CapitalUnit"));
    fieldRow->addWidget(m_capitalField);
    fieldRow->addWidget(unit);

    card->rows()->addWidget(labelledRow(QStringLiteral("港元资金量"),
                                        QStringLiteral("用于计算申购资金利用率"), trailing));
    return section;
}

QWidget *SettingsView::makeTaskbarSection() {
    SettingsCard *card = nullptr;
    QWidget *section = makeSection(QStringLiteral("界面设置"), card);
    m_taskbarSwitch = new SettingsSwitch(QStringLiteral("隐藏 Dock 图标"));
    m_taskbarSwitch->setObjectName(QStringLiteral("TaskbarSwitch"));
    m_taskbarSwitch->setChecked(m_settings.hideDockIcon());
    connect(m_taskbarSwitch, &QAbstractButton::clicked, this,
            [this](bool hide) { m_settings.setHideDockIcon(hide); });
    card->rows()->addWidget(labelledRow(QStringLiteral("隐藏 Dock 图标"),
                                        QStringLiteral("隐藏后 App 仅在菜单栏显示"),
                                        m_taskbarSwitch));
    return section;
}

QWidget *SettingsView::makeReminderSection() {
    SettingsCard *card = nullptr;
    QWidget *section = makeSection(QStringLiteral("提醒设置"), card);
    m_reminderSwitch = new SettingsSwitch(QStringLiteral("暗盘提醒"));
    m_reminderSwitch->setObjectName(QStringLiteral("ReminderSwitch"));
    connect(m_reminderSwitch, &QAbstractButton::clicked, this, &SettingsView::changeReminders);
    card->rows()->addWidget(labelledRow(
        QStringLiteral("暗盘提醒"),
        QStringLiteral("仅在你主动开启后请求通知权限，并在上市前一个工作日 16:15 提醒。"),
        m_reminderSwitch));
    m_closingDaySwitch = new SettingsSwitch(QStringLiteral("截止提醒"));
    m_closingDaySwitch->setObjectName(QStringLiteral("ClosingDaySwitch"));
    connect(m_closingDaySwitch, &QAbstractButton::clicked, this,
            &SettingsView::changeClosingDayReminders);
    card->rows()->addWidget(labelledRow(QStringLiteral("截止提醒"),
                                        QStringLiteral("申购截止当天 09:00 提醒尚未申购的新股。"),
                                        m_closingDaySwitch));
    return section;
}

QWidget *SettingsView::makeUpdateSection() {
    SettingsCard *card = nullptr;
    m_updateSection = makeSection(QStringLiteral("应用更新"), card);
    card->rows()->addWidget(
        note(QStringLiteral("官网直装版可在这里手动检查更新；App Store 版本不会显示这个入口。")));

    auto *buttons = buttonRow();
    m_checkButton = new SettingsButton(QStringLiteral("arrow.triangle.2.circlepath"),
                                       QStringLiteral("检查更新"), SettingsButton::Look::bordered);
    m_checkButton->setObjectName(QStringLiteral("CheckForUpdatesButton"));
    connect(m_checkButton, &QAbstractButton::clicked, this, &SettingsView::checkForUpdates);
    auto *privacy = new SettingsButton(QStringLiteral("hand.raised"), QStringLiteral("隐私政策"),
                                       SettingsButton::Look::bordered);
    privacy->setObjectName(QStringLiteral("PrivacyButton"));
    connect(privacy, &QAbstractButton::clicked, this, &SettingsView::openPrivacyPolicy);
    buttons->addWidget(m_checkButton);
    buttons->addWidget(privacy);
    buttons->addStretch(1);
    card->rows()->addLayout(buttons);

    m_updateStatusLabel =
        new SettingsLabel(QString(), ViewStyle::font(10), PaletteColor::textSecondary, 0.8);
    m_updateStatusLabel->setObjectName(QStringLiteral("UpdateStatus"));
    m_updateStatusLabel->setWordWrap(true);
    m_updateStatusLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_updateStatusLabel->hide();
    card->rows()->addWidget(m_updateStatusLabel);
    return m_updateSection;
}

QWidget *SettingsView::makeBackupSection() {
    SettingsCard *card = nullptr;
    QWidget *section = makeSection(QStringLiteral("数据备份与恢复"), card);
    card->rows()->addWidget(
        note(QStringLiteral("导出当前本地的申购与中签记录，或从同格式 CSV 文件恢复缺失记录。")));

    auto *buttons = buttonRow();
    m_exportButton = new SettingsButton(QStringLiteral("square.and.arrow.up"),
                                        QStringLiteral("导出 CSV"), SettingsButton::Look::bordered);
    m_exportButton->setObjectName(QStringLiteral("ExportButton"));
    connect(m_exportButton, &QAbstractButton::clicked, this, &SettingsView::exportBackup);
    m_importButton = new SettingsButton(QStringLiteral("square.and.arrow.down"),
                                        QStringLiteral("导入 CSV"), SettingsButton::Look::bordered);
    m_importButton->setObjectName(QStringLiteral("ImportButton"));
    connect(m_importButton, &QAbstractButton::clicked, this, &SettingsView::importBackup);
    m_calendarButton = new SettingsButton(QStringLiteral("calendar"), QStringLiteral("导出日历"),
                                          SettingsButton::Look::bordered);
    m_calendarButton->setObjectName(QStringLiteral("ExportCalendarButton"));
    connect(m_calendarButton, &QAbstractButton::clicked, this, &SettingsView::exportCalendar);
    buttons->addWidget(m_exportButton);
    buttons->addWidget(m_importButton);
    buttons->addWidget(m_calendarButton);
    buttons->addStretch(1);
    card->rows()->addLayout(buttons);

    auto *format = new SettingsLabel(
        QStringLiteral("CSV 格式：code,sub_quantity,win_quantity,sub_method,updated_at"),
        ViewStyle::font(10), PaletteColor::textSecondary, 0.7);
    format->setObjectName(QStringLiteral("CSVFormat"));
    format->setWordWrap(true);
    card->rows()->addWidget(format);
    return section;
}

void SettingsView::applyAppearance() {
    const QColor text = ViewStyle::color(PaletteColor::textPrimary);
    m_capitalField->setStyleSheet(
        QStringLiteral("QLineEdit { background: transparent; color: %1; border: 1px solid %2; "
                       "border-radius: 6px; padding: 6px 8px; selection-background-color: %3; }"
                       "QLineEdit:focus { border-color: %4; }")
            .arg(ViewStyle::css(text), ViewStyle::css(ViewStyle::color(PaletteColor::borderColor)),
                 ViewStyle::css(ViewStyle::color(PaletteColor::accentGreen, 0.35)),
                 ViewStyle::css(ViewStyle::color(PaletteColor::accentGreen, 0.8))));
    QPalette colors = m_capitalField->palette();
    colors.setColor(QPalette::PlaceholderText, ViewStyle::color(PaletteColor::textSecondary, 0.6));
    m_capitalField->setPalette(colors);
    // A slim bar in the palette's colours; the toolkit's own would be a light slab in dark.
    m_scroll->setStyleSheet(
        QStringLiteral("QScrollBar:vertical { background: transparent; width: 8px; "
                       "margin: 3px 2px 3px 0; }"
                       "QScrollBar::handle:vertical { background: %1; border-radius: 3px; "
                       "min-height: 24px; }"
                       "QScrollBar::handle:vertical:hover { background: %2; }"
                       "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical "
                       "{ height: 0; border: none; background: none; }"
                       "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical "
                       "{ background: none; }")
            .arg(ViewStyle::css(ViewStyle::color(PaletteColor::textSecondary, 0.35)),
                 ViewStyle::css(ViewStyle::color(PaletteColor::textSecondary, 0.55))));
    update();
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

// --- behaviour ------------------------------------------------------------------------------

void SettingsView::reloadFromSettings() {
    m_capitalField->setText(SettingsCapital::textForAmount(m_settings.capitalAmount()));
    {
        const QSignalBlocker blocker(m_taskbarSwitch);
        m_taskbarSwitch->setChecked(m_settings.hideDockIcon());
    }
    // A change in flight decides the switch when it finishes.
    if (!m_isUpdatingNotifications) {
        m_darkMarketNotificationsEnabled = m_settings.darkMarketNotificationsEnabled();
        m_reminderSwitch->setChecked(m_darkMarketNotificationsEnabled);
    }
    if (!m_isUpdatingClosingDayNotifications) {
        m_closingDayNotificationsEnabled = m_settings.closingDayNotificationsEnabled();
        m_closingDaySwitch->setChecked(m_closingDayNotificationsEnabled);
    }
}

void SettingsView::commitCapital() {
    m_settings.setCapitalAmount(SettingsCapital::amountFromText(m_capitalField->text()));
}

void SettingsView::changeReminders(bool enabled) {
    if (m_isUpdatingNotifications)
        return;
    m_darkMarketNotificationsEnabled = enabled;
    m_isUpdatingNotifications = true;
    m_reminderSwitch->setChecked(enabled);
    m_reminderSwitch->setEnabled(false);
    runReminderChange(enabled);
}

QCoro::Task<> SettingsView::runReminderChange(bool enabled) {
    const QPointer<SettingsView> self(this);
    const RemindersToggleResult result =
        co_await m_notifications.setRemindersEnabled(enabled, m_repository.records());
    if (!self)
        co_return;
    m_isUpdatingNotifications = false;
    m_darkMarketNotificationsEnabled = result.remindersActive;
    m_reminderSwitch->setChecked(result.remindersActive);
    m_reminderSwitch->setEnabled(true);
    m_settings.setDarkMarketNotificationsEnabled(result.remindersActive);
    emit remindersChanged();
    if (const auto alert = SettingsReminders::alertFor(result))
        presentAlert(*alert);
}

void SettingsView::changeClosingDayReminders(bool enabled) {
    if (m_isUpdatingClosingDayNotifications)
        return;
    m_closingDayNotificationsEnabled = enabled;
    m_isUpdatingClosingDayNotifications = true;
    m_closingDaySwitch->setChecked(enabled);
    m_closingDaySwitch->setEnabled(false);
    runClosingDayReminderChange(enabled);
}

QCoro::Task<> SettingsView::runClosingDayReminderChange(bool enabled) {
    const QPointer<SettingsView> self(this);
    const RemindersToggleResult result =
        co_await m_notifications.setClosingDayRemindersEnabled(enabled, m_repository.records());
    if (!self)
        co_return;
    m_isUpdatingClosingDayNotifications = false;
    m_closingDayNotificationsEnabled = result.remindersActive;
    m_closingDaySwitch->setChecked(result.remindersActive);
    m_closingDaySwitch->setEnabled(true);
    m_settings.setClosingDayNotificationsEnabled(result.remindersActive);
    emit remindersChanged();
    if (const auto alert = SettingsReminders::alertFor(result))
        presentAlert(*alert);
}

void SettingsView::checkForUpdates() {
    if (m_isCheckingForUpdates)
        return;
    const SettingsUpdateCheck::Status checking = SettingsUpdateCheck::checking();
    setUpdateStatus(checking.message, checking.isError);
    setCheckingForUpdates(true);
    runUpdateCheck();
}

QCoro::Task<> SettingsView::runUpdateCheck() {
    const QPointer<SettingsView> self(this);
    const std::optional<ServiceResult<AppUpdateResponse>> result =
        co_await m_repository.checkForUpdate(m_information);
    if (!self)
        co_return;
    setCheckingForUpdates(false);
    const SettingsUpdateCheck::Status status =
        SettingsUpdateCheck::finished(result, websiteURL(m_information), [this](const QUrl &page) {
            return m_urlOpening.openURL(page);
        });
    setUpdateStatus(status.message, status.isError);
}

void SettingsView::setCheckingForUpdates(bool checking) {
    m_isCheckingForUpdates = checking;
    if (!m_checkButton)
        return;
    m_checkButton->setTitle(checking ? QStringLiteral("检查中...") : QStringLiteral("检查更新"));
    m_checkButton->setEnabled(!checking);
}

void SettingsView::setUpdateStatus(const QString &message, bool isError) {
    m_updateStatusMessage = message;
    m_updateStatusIsError = isError;
    if (m_updateStatusLabel) {
        m_updateStatusLabel->setText(message);
        if (isError)
            m_updateStatusLabel->setFailureTone();
        else
            m_updateStatusLabel->setTone(PaletteColor::textSecondary, 0.8);
        m_updateStatusLabel->show();
    }
    emit updateStatusChanged();
}

void SettingsView::openPrivacyPolicy() {
    const auto alert = SettingsUpdateCheck::openPrivacyPage(
        m_information, [this](const QUrl &page) { return m_urlOpening.openURL(page); });
    if (alert)
        presentAlert(*alert);
}

void SettingsView::exportBackup() {
    if (m_isExportingBackup || m_isImportingBackup)
        return;
    m_exportDocument = UserIPOBackupDocument::fromRows(m_userStore.exportRows());
    m_isExportingBackup = true;
    const QPointer<SettingsView> self(this);
    const std::optional<QString> path =
        m_filePicking.saveFileName(this, SettingsBackup::suggestedFileName());
    if (!self)
        return;
    m_isExportingBackup = false;
    // Cancelling the dialog is no failure and says nothing.
    if (!path)
        return;
    presentAlert(
        SettingsBackup::exportAlert(SettingsBackup::writeDocument(m_exportDocument, *path)));
}

void SettingsView::importBackup() {
    if (m_isExportingBackup || m_isImportingBackup)
        return;
    m_isImportingBackup = true;
    const QPointer<SettingsView> self(this);
    const std::optional<QString> path = m_filePicking.openFileName(this);
    if (!self)
        return;
    m_isImportingBackup = false;
    if (!path)
        return;
    const SettingsBackup::ImportResult result = SettingsBackup::importFile(*path, m_userStore);
    // Every successful restore rebuilds, also one that added nothing: the rebuild is also what
    // brings the reminders in line, and it costs nothing when the records stay the same.
    if (result)
        m_repository.rebuildRecords();
    presentAlert(SettingsBackup::importAlert(result));
}

void SettingsView::exportCalendar() {
    if (m_isExportingBackup || m_isImportingBackup)
        return;
    // The list as the user sees it now; a refresh while the dialog is open does not change it.
    const QList<IPORecord> records = m_repository.records();
    if (const auto nothing = SettingsCalendarExport::nothingToExportAlert(records)) {
        presentAlert(*nothing);
        return;
    }
    const QDateTime now = QDateTime::currentDateTimeUtc();
    m_isExportingBackup = true;
    const QPointer<SettingsView> self(this);
    const std::optional<QString> path =
        m_filePicking.saveCalendarFileName(this, CalendarExport::suggestedFileName(now));
    if (!self)
        return;
    m_isExportingBackup = false;
    if (!path)
        return;
    presentAlert(
        SettingsCalendarExport::exportAlert(SettingsCalendarExport::write(records, now, *path)));
}

void SettingsView::presentAlert(const SettingsAlertMessage &alert) {
    m_alertMessage = alert;
    emit alertPresented(alert);
    const QPointer<SettingsView> self(this);
    const QUuid id = alert.id;
    m_alerts.presentAlert(this, alert, [self, id] {
        // Only the alert that was closed goes; a newer one stays.
        if (self && self->m_alertMessage && self->m_alertMessage->id == id)
            self->m_alertMessage.reset();
    });
}
