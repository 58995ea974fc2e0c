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

    // Content types the dialogs offer, most preferred first: comma-separated, then plain text.
    static QStringList contentTypes();

    // The file must be non-empty UTF-8; a leading byte-order mark is dropped.
    static Expected<UserIPOBackupDocument, UserIPOBackupCSVError> read(const QByteArray &contents);
    // UTF-8 without a byte-order mark.
    QByteArray write() const;

    friend bool operator==(const UserIPOBackupDocument &, const UserIPOBackupDocument &) = default;
};
