#pragma once

#include "UserIPOBackupCSVError.h"
#include "UserIPOBackupRow.h"
#include "model/Expected.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// The whole backup file as text, between the file dialogs and the CSV reader and writer. It does
// no file I/O itself: the settings window reads the picked file and writes through QSaveFile.
struct UserIPOBackupDocument {
    // A document nobody has filled holds the header line alone.
    QString csvText;

    UserIPOBackupDocument();
    explicit UserIPOBackupDocument(QString text)
        : csvText(std::move(text)) {}
    // The backup of these rows, in file order.
    static UserIPOBackupDocument fromRows(const QList<UserIPOBackupRow> &rows);

    // Content types the open dialog offers, most preferred first: comma-separated, then plain
    // text.
    static QStringList contentTypes();
    // The one type a backup is saved as: comma-separated text.
    static QString writtenContentType();

    // The regular contents of a file, which must be UTF-8 (an empty file is empty text); a
    // leading byte-order mark is dropped. What has no regular contents (a folder, a device) is
    // refused before this with unreadableEncoding.
    static Expected<UserIPOBackupDocument, UserIPOBackupCSVError> read(const QByteArray &contents);
    // UTF-8 without a byte-order mark.
    QByteArray write() const;

    friend bool operator==(const UserIPOBackupDocument &, const UserIPOBackupDocument &) = default;
};
