#pragma once

#include "SettingsAlertMessage.h"
#include "model/Clock.h"
#include "model/Expected.h"
#include "store/UserIPOBackupDocument.h"

#include <QByteArray>
#include <QString>

#include <variant>

class UserIPOStore;

// The backup buttons of the settings sheet: writing the picked file, reading and restoring one,
// and the alerts that report either.
namespace SettingsBackup {

// A backup is a few dozen bytes per entry; anything past this is not one, and reading it whole
// (or reading a device that never ends) would only exhaust memory.
inline constexpr qint64 maximumImportBytes = 32 * 1024 * 1024;

// What a restore did: rows inserted, rows skipped because their code was stored already (or
// came earlier in the file), and lines the reader rejected.
struct ImportSummary {
    qsizetype inserted = 0;
    qsizetype skipped = 0;
    qsizetype rejected = 0;

    friend bool operator==(const ImportSummary &, const ImportSummary &) = default;
};

using WriteResult = Expected<std::monostate, QString>;
using ImportResult = Expected<ImportSummary, QString>;

// The save dialog's starting name: the dated backup name with ".csv".
QString suggestedFileName(const Clock &clock = systemClock());

// Writes `bytes` to `path` through QSaveFile, so a failed or interrupted write never leaves a
// half-written file in place of what was there. The error is the user's text.
WriteResult writeFile(const QByteArray &bytes, const QString &path);
// The same with the document's bytes.
WriteResult writeDocument(const UserIPOBackupDocument &document, const QString &path);

// Restores the missing entries from file contents: the document read, the CSV parse, then
// restoreMissing on `store`. The first step that fails gives its description; nothing has been
// stored then.
ImportResult importContents(const QByteArray &contents, UserIPOStore &store);
// The same for the file at `path`, read whole (up to maximumImportBytes).
ImportResult importFile(const QString &path, UserIPOStore &store);

// "已导入 N 条，跳过 M 条。", where M counts both skipped rows and rejected lines.
QString importSummaryText(const ImportSummary &summary);

// The alerts after an export or an import. The failure titles are "导出失败" and "导入失败".
SettingsAlertMessage exportAlert(const WriteResult &result);
SettingsAlertMessage importAlert(const ImportResult &result);

} // namespace SettingsBackup
