#include "UserIPOBackupRow.h"

UserIPOBackupRow UserIPOBackupRow::fromEntry(const UserIPOEntry &entry) {
    return {entry.code,        entry.subQuantity,
            entry.winQuantity, subMethodFromStoredValue(entry.subMethodRawValue),
            entry.updatedAt,   entry.sale,
            entry.ipo};
}

UserIPOEntry UserIPOBackupRow::toEntry() const {
    return {code, subQuantity, winQuantity, rawValue(subMethod), updatedAt, sale, ipo};
}

bool UserIPOBackupRow::precedesInBackup(const UserIPOBackupRow &lhs, const UserIPOBackupRow &rhs) {
    if (lhs.code != rhs.code)
        return lhs.code < rhs.code;
    return lhs.updatedAt > rhs.updatedAt;
}
