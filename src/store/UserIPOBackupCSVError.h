#pragma once

#include <QString>

// Why a backup file could not be read at all. Bad data lines are not errors: the reader skips
// and counts them.
class UserIPOBackupCSVError {
public:
    enum class Kind { invalidHeader, unreadableEncoding };

    UserIPOBackupCSVError() = default;
    explicit UserIPOBackupCSVError(Kind kind)
        : m_kind(kind) {}
    static UserIPOBackupCSVError invalidHeader() {
        return UserIPOBackupCSVError(Kind::invalidHeader);
    }
    static UserIPOBackupCSVError unreadableEncoding() {
        return UserIPOBackupCSVError(Kind::unreadableEncoding);
    }

    Kind kind() const { return m_kind; }
    // The text the settings window shows unchanged.
    QString description() const;

    friend bool operator==(const UserIPOBackupCSVError &, const UserIPOBackupCSVError &) = default;

private:
    Kind m_kind = Kind::invalidHeader;
};
