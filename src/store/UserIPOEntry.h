#pragma once

#include <QDateTime>
#include <QString>

// The user's own figures for one stock code: the one kind of data that cannot be fetched again.
struct UserIPOEntry {
    QString code;
    qint64 subQuantity = 0;
    qint64 winQuantity = 0;
    // SubMethod's raw value as stored; readers take 1 as margin and anything else as cash.
    qint64 subMethodRawValue = 0;
    QDateTime updatedAt;

    friend bool operator==(const UserIPOEntry &, const UserIPOEntry &) = default;
};
