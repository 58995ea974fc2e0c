#include "SettingsBackupCard.h"

#include "SettingsAlertPresenting.h"
#include "SettingsBackup.h"
#include "SettingsButton.h"
#include "SettingsCalendarExport.h"
#include "SettingsFilePicking.h"
#include "SettingsLabel.h"
#include "repository/CalendarExport.h"
#include "repository/IPORepository.h"
#include "store/UserIPOBackupDocument.h"
#include "store/UserIPOStore.h"
#include "ui/look/ViewStyle.h"

#include <QHBoxLayout>
#include <QPointer>
#include <QVBoxLayout>

namespace {

SettingsButton *button(const QString &symbol, const QString &title, const QString &objectName) {
    auto *made = new SettingsButton(symbol, title, SettingsButton::Look::bordered);
    made->setObjectName(objectName);
    return made;
}

} // namespace

SettingsBackupCard::SettingsBackupCard(IPORepository &repository, UserIPOStore &userStore,
                                       SettingsFilePicking &filePicking,
                                       SettingsAlertPresenting &alerts, QWidget *parent)
    : SettingsSection(tr("数据备份与恢复"), parent)
    , m_repository(repository)
    , m_userStore(userStore)
    , m_filePicking(filePicking)
    , m_alerts(alerts) {
    rows()->addWidget(note(tr("导出当前本地的申购与中签记录，或从同格式 CSV 文件恢复缺失记录。")));

    QHBoxLayout *buttons = buttonRow();
    SettingsButton *exporting = button(QStringLiteral("square.and.arrow.up"), tr("导出 CSV"),
                                       QStringLiteral("ExportButton"));
    connect(exporting, &QAbstractButton::clicked, this, &SettingsBackupCard::exportBackup);
    SettingsButton *importing = button(QStringLiteral("square.and.arrow.down"), tr("导入 CSV"),
                                       QStringLiteral("ImportButton"));
    connect(importing, &QAbstractButton::clicked, this, &SettingsBackupCard::importBackup);
    SettingsButton *calendar =
        button(QStringLiteral("calendar"), tr("导出日历"), QStringLiteral("ExportCalendarButton"));
    connect(calendar, &QAbstractButton::clicked, this, &SettingsBackupCard::exportCalendar);
    buttons->addWidget(exporting);
    buttons->addWidget(importing);
    buttons->addWidget(calendar);
    buttons->addStretch(1);
    rows()->addLayout(buttons);

    auto *format = new SettingsLabel(
        //: the column names are the file's own and stay as they are
        tr("CSV 格式：code,sub_quantity,win_quantity,sub_method,updated_at"), ViewStyle::font(10),
        PaletteColor::textSecondary, 0.7);
    format->setObjectName(QStringLiteral("CSVFormat"));
    format->setWordWrap(true);
    rows()->addWidget(format);
}

void SettingsBackupCard::exportBackup() {
    if (m_dialogOpen)
        return;
    // The entries as they are when the user asks, whatever is saved while the dialog is open.
    const UserIPOBackupDocument document =
        UserIPOBackupDocument::fromRows(m_userStore.exportRows());
    m_dialogOpen = true;
    const QPointer<SettingsBackupCard> self(this);
    const std::optional<QString> path =
        m_filePicking.saveFileName(this, SettingsBackup::suggestedFileName());
    if (!self)
        return;
    m_dialogOpen = false;
    // Cancelling the dialog is no failure and says nothing.
    if (!path)
        return;
    m_alerts.presentAlert(
        this, SettingsBackup::exportAlert(SettingsBackup::writeDocument(document, *path)));
}

void SettingsBackupCard::importBackup() {
    if (m_dialogOpen)
        return;
    m_dialogOpen = true;
    const QPointer<SettingsBackupCard> self(this);
    const std::optional<QString> path = m_filePicking.openFileName(this);
    if (!self)
        return;
    m_dialogOpen = false;
    if (!path)
        return;
    const SettingsBackup::ImportResult result = SettingsBackup::importFile(*path, m_userStore);
    // Every successful restore rebuilds, also one that added nothing: the rebuild is also what
    // brings the reminders in line, and it costs nothing when the records stay the same.
    if (result)
        m_repository.rebuildRecords();
    m_alerts.presentAlert(this, SettingsBackup::importAlert(result));
}

void SettingsBackupCard::exportCalendar() {
    if (m_dialogOpen)
        return;
    // The list as the user sees it now; a refresh while the dialog is open does not change it.
    const QList<IPORecord> records = m_repository.records();
    if (const auto nothing = SettingsCalendarExport::nothingToExportAlert(records)) {
        m_alerts.presentAlert(this, *nothing);
        return;
    }
    const QDateTime now = QDateTime::currentDateTimeUtc();
    m_dialogOpen = true;
    const QPointer<SettingsBackupCard> self(this);
    const std::optional<QString> path =
        m_filePicking.saveCalendarFileName(this, CalendarExport::suggestedFileName(now));
    if (!self)
        return;
    m_dialogOpen = false;
    if (!path)
        return;
    m_alerts.presentAlert(this, SettingsCalendarExport::exportAlert(
                                    SettingsCalendarExport::write(records, now, *path)));
}
