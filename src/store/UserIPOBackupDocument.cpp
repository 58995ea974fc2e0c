#include "UserIPOBackupDocument.h"

#include "UserIPOBackupCSV.h"

#include <QStringDecoder>

UserIPOBackupDocument::UserIPOBackupDocument()
    : csvText(backupCSVHeader.toString()) {}

UserIPOBackupDocument UserIPOBackupDocument::fromRows(const QList<UserIPOBackupRow> &rows) {
    return UserIPOBackupDocument(makeBackupCSV(rows));
}

QStringList UserIPOBackupDocument::contentTypes() {
    return {writtenContentType(), QStringLiteral("text/plain")};
}

QString UserIPOBackupDocument::writtenContentType() {
    return QStringLiteral("text/csv");
}

Expected<UserIPOBackupDocument, UserIPOBackupCSVError>
UserIPOBackupDocument::read(const QByteArray &contents) {
    // An empty file reads as empty text, which the CSV reader then refuses for its missing
    // header. The decoder rejects overlong forms and surrogates; being stateless it also rejects a
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
