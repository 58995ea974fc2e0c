#pragma once

#include "model/IPORecord.h"
#include "service/RemoteIPO.h"
#include "store/UserIPOEntry.h"

#include <QHash>

// One service item with the user's stored figures for the same code (exact match). Dates that
// are missing or not "yyyy-MM-dd" stay absent, an empty prospectus link is no link, and without
// an entry the figures are 0, 0, cash.
IPORecord makeRecord(const RemoteIPO &remote, const QHash<QString, UserIPOEntry> &entriesByCode);
// The same in two steps: the item's listing data (its dates parsed in the market's zone, the
// costly part), then the figures of its entry. A list kept as listing data is merged again
// after every save without parsing a date.
IPOData listingData(const RemoteIPO &remote);
IPORecord makeRecord(const IPOData &listing, const QHash<QString, UserIPOEntry> &entriesByCode);

// An entry whose IPO is no longer in the service's list, as a record made from the copy of the
// IPO taken at its last save (status listed: an IPO leaves the list after it listed).
IPORecord recordFromEntry(const UserIPOEntry &entry);

// The user's book: one record per stored entry, made from the service's item where the list
// still has it and from the entry's copy where not; in list order, then the rest by code.
QList<IPORecord> makeLedgerRecords(const QList<RemoteIPO> &remoteItems,
                                   const QHash<QString, UserIPOEntry> &entriesByCode);

// The entry a save of `record` stores: its figures, its sale and a fresh copy of its IPO.
UserIPOEntry entryFromRecord(const IPORecord &record);
