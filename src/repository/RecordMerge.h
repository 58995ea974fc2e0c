#pragma once

#include "model/IPORecord.h"
#include "service/RemoteIPO.h"
#include "store/UserIPOEntry.h"

#include <QHash>

// One service item with the user's stored figures for the same code (exact match). Dates that
// are missing or not "yyyy-MM-dd" stay absent, an empty prospectus link is no link, and without
// an entry the figures are 0, 0, cash.
IPORecord makeRecord(const RemoteIPO &remote, const QHash<QString, UserIPOEntry> &entriesByCode);
