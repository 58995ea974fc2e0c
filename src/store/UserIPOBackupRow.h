#pragma once

#include "UserIPOEntry.h"
#include "model/SubMethod.h"

#include <QDateTime>
#include <QString>

// One line of a backup file: an entry as it travels through CSV, with the method already read
// as cash or margin.
struct UserIPOBackupRow {
    QString code;
    qint64 subQuantity = 0;
    qint64 winQuantity = 0;
    SubMethod subMethod = SubMethod::cash;
    QDateTime updatedAt;
    IPOSale sale;
    IPOSnapshot ipo;

    // Stored method values other than 1 become cash, as everywhere else they are read.
    static UserIPOBackupRow fromEntry(const UserIPOEntry &entry);
    UserIPOEntry toEntry() const;

    // The order of a backup file: code ascending, then the newest first among equal codes.
    static bool precedesInBackup(const UserIPOBackupRow &lhs, const UserIPOBackupRow &rhs);

    friend bool operator==(const UserIPOBackupRow &, const UserIPOBackupRow &) = default;
};
