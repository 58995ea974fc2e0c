#include "UserIPOBackupDocument.h"

#include "UserIPOBackupCSV.h"

#include <QStringDecoder>

UserIPOBackupDocument::UserIPOBackupDocument()
    : csvText(backupCSVHeader.toString()) {}

UserIPOBackupDocument UserIPOBackupDocument::fromRows(const QList<UserIPOBackupRow> &rows) {
    return UserIPOBackupDocument(makeBackupCSV(rows));
}

QStringList UserIPOBackupDocument::contentTypes() {
    return {QStringLiteral("text/csv"), QStringLiteral("text/plain")};
}

Expected<UserIPOBackupDocument, UserIPOBackupCSVError>
UserIPOBackupDocument::read(const QByteArray &contents) {
    if (contents.isEmpty())
        return UserIPOBackupCSVError::unreadableEncoding();
    // The decoder rejects overlong forms and surrogates; being stateless it also rejects a
    // sequence cut off at the end instead of waiting for more. It skips a leading byte-order
    // mark (spreadsheets like to write one), which would otherwise spoil the header line.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(contents);
    if (decoder.hasError())
        return UserIPOBackupCSVError::unreadableEncoding();
    return UserIPOBackupDocument(std::move(text));
}

QByteArray UserIPOBackupDocument::write() const {
    return csvText.toUtf8();
}
