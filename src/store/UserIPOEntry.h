#pragma once

#include "IPOSnapshot.h"
#include "model/IPOSale.h"

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
    // What became of the allotment; empty until the user records a sale.
    IPOSale sale;
    // Taken afresh at every save from the IPO the entry belongs to.
    IPOSnapshot ipo;

    friend bool operator==(const UserIPOEntry &, const UserIPOEntry &) = default;
};
