#include "SettingsBackup.h"

#include "store/UserIPOBackupCSV.h"
#include "store/UserIPOBackupCSVError.h"
#include "store/UserIPOStore.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace SettingsBackup {

namespace {

QString shownName(const QString &path) {
    const QString name = QFileInfo(path).fileName();
    return name.isEmpty() ? path : name;
}

} // namespace

QString suggestedFileName(const Clock &clock) {
    return backupFileName(clock) + QStringLiteral(".csv");
}

WriteResult writeDocument(const UserIPOBackupDocument &document, const QString &path) {
    return writeFile(document.write(), path);
}

WriteResult writeFile(const QByteArray &bytes, const QString &path) {
    const auto failure = [&path](const QString &reason) {
        return WriteResult(QStringLiteral("无法写入文件 ") + shownName(path) +
                           QStringLiteral("：") + reason);
    };
    if (path.isEmpty())
        return failure(QStringLiteral("未选择文件"));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return failure(file.errorString());
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return failure(reason);
    }
    if (!file.commit())
        return failure(file.errorString());
    return WriteResult(std::monostate{});
}

ImportResult importContents(const QByteArray &contents, UserIPOStore &store) {
    const auto document = UserIPOBackupDocument::read(contents);
    if (!document)
        return ImportResult(document.error().description());
    const auto parsed = parseBackupCSV(document->csvText);
    if (!parsed)
        return ImportResult(parsed.error().description());
    const auto counts = store.restoreMissing(parsed->rows);
    if (!counts)
        return ImportResult(counts.error());
    return ImportSummary{counts->inserted, counts->skipped, parsed->rejectedLineCount};
}

ImportResult importFile(const QString &path, UserIPOStore &store) {
    const QFileInfo info(path);
    // Only a regular file has contents to restore from; a folder, a device or a pipe has none.
    if (info.exists() && !info.isFile())
        return ImportResult(UserIPOBackupCSVError::unreadableEncoding().description());
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return ImportResult(QStringLiteral("无法读取文件 ") + shownName(path) +
                            QStringLiteral("：") + file.errorString());
    // One byte past the limit tells a file that is too big from one that just fits, also when
    // the file grows while it is read.
    const QByteArray contents = file.read(maximumImportBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return ImportResult(QStringLiteral("无法读取文件 ") + shownName(path) +
                            QStringLiteral("：") + file.errorString());
    if (contents.size() > maximumImportBytes)
        return ImportResult(QStringLiteral("文件过大，不是 CSV 备份文件"));
    return importContents(contents, store);
}

QString importSummaryText(const ImportSummary &summary) {
    return QStringLiteral("已导入 ") + QString::number(summary.inserted) +
           QStringLiteral(" 条，跳过 ") + QString::number(summary.skipped + summary.rejected) +
           QStringLiteral(" 条。");
}

SettingsAlertMessage exportAlert(const WriteResult &result) {
    if (!result)
        return SettingsAlertMessage::make(QStringLiteral("导出失败"), result.error());
    return SettingsAlertMessage::make(QStringLiteral("导出成功"),
                                      QStringLiteral("用户申购与中签数据已导出为 CSV 文件。"));
}

SettingsAlertMessage importAlert(const ImportResult &result) {
    if (!result)
        return SettingsAlertMessage::make(QStringLiteral("导入失败"), result.error());
    return SettingsAlertMessage::make(QStringLiteral("导入完成"), importSummaryText(*result));
}

} // namespace SettingsBackup
