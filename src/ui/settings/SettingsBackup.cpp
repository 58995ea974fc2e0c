#include "SettingsBackup.h"

#include "store/UserIPOBackupCSV.h"
#include "store/UserIPOBackupCSVError.h"
#include "store/UserIPOStore.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace SettingsBackup {

namespace {

QString shownName(const QString &path) {
    const QString name = QFileInfo(path).fileName();
    return name.isEmpty() ? path : name;
}

QString unreadable(const QString &path, const QString &reason) {
    //: %1 the file's name, %2 the system's reason
    return QCoreApplication::translate("SettingsBackup", "无法读取文件 %1：%2")
        .arg(shownName(path), reason);
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
        //: %1 the file's name, %2 the system's reason
        return WriteResult(QCoreApplication::translate("SettingsBackup", "无法写入文件 %1：%2")
                               .arg(shownName(path), reason));
    };
    if (path.isEmpty())
        return failure(QCoreApplication::translate("SettingsBackup", "未选择文件"));
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
        return ImportResult(unreadable(path, file.errorString()));
    // One byte past the limit tells a file that is too big from one that just fits, also when
    // the file grows while it is read.
    const QByteArray contents = file.read(maximumImportBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return ImportResult(unreadable(path, file.errorString()));
    if (contents.size() > maximumImportBytes)
        return ImportResult(
            QCoreApplication::translate("SettingsBackup", "文件过大，不是 CSV 备份文件"));
    return importContents(contents, store);
}

QString importSummaryText(const ImportSummary &summary) {
    //: a number of backup entries, e.g. "3 entries"
    const QString inserted =
        QCoreApplication::translate("SettingsBackup", "%n 条", nullptr, int(summary.inserted));
    //: a number of backup entries, e.g. "3 entries"
    const QString skipped = QCoreApplication::translate("SettingsBackup", "%n 条", nullptr,
                                                        int(summary.skipped + summary.rejected));
    //: after a restore: %1 the entries added, %2 the entries left out (each with its unit)
    return QCoreApplication::translate("SettingsBackup", "已导入 %1，跳过 %2。")
        .arg(inserted, skipped);
}

SettingsAlertMessage exportAlert(const WriteResult &result) {
    if (!result)
        return SettingsAlertMessage::make(QCoreApplication::translate("SettingsBackup", "导出失败"),
                                          result.error());
    return SettingsAlertMessage::make(
        QCoreApplication::translate("SettingsBackup", "导出成功"),
        QCoreApplication::translate("SettingsBackup", "用户申购与中签数据已导出为 CSV 文件。"));
}

SettingsAlertMessage importAlert(const ImportResult &result) {
    if (!result)
        return SettingsAlertMessage::make(QCoreApplication::translate("SettingsBackup", "导入失败"),
                                          result.error());
    return SettingsAlertMessage::make(QCoreApplication::translate("SettingsBackup", "导入完成"),
                                      importSummaryText(*result));
}

} // namespace SettingsBackup
