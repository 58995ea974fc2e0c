#pragma once

#include "NotificationRequest.h"
#include "model/IPORecord.h"
#include "model/MarketCalendar.h"

#include <QDateTime>
#include <QList>
#include <QString>

// One request a kind wants pending, with what the log says it is for.
struct PlannedReminder {
    NotificationRequest request;
    QString loggedAs;
};

// A kind of reminder, described once: the switch that keeps it (a key of the settings file), the
// identifiers its requests carry at the notification centre, its texts, and which requests it
// wants for the records at a given moment. The manager and the settings sheet run the same path
// for every kind, so a further kind is one more entry in all().
struct ReminderKind {
    QString settingsKey;
    QString identifierPrefix;
    // The switch's label, also named in the messages that send the user to the system settings.
    QString switchName;
    // The switch's explanation in the settings sheet.
    QString hint;
    // The switch's object name, for tests and the accessibility tree.
    QString switchObjectName;
    // Every request of this kind that should be pending at `now`, in the order they are added.
    QList<PlannedReminder> (*plan)(const QList<IPORecord> &records, const QDateTime &now,
                                   const MarketCalendar &calendar);

    bool owns(const QString &identifier) const { return identifier.startsWith(identifierPrefix); }

    // The grey-market opening at 16:15 on the business day before a listing.
    static const ReminderKind &darkMarket();
    // The last subscription day at 09:00, for IPOs not applied for yet.
    static const ReminderKind &closingDay();
    // Every kind, in the order the settings sheet lists their switches.
    static const QList<ReminderKind> &all();
};
