#include "RecordMerge.h"

#include "model/MarketCalendar.h"
#include "model/ServiceDateFormatter.h"

#include <QSet>

#include <algorithm>
#include <string_view>
#include <vector>

namespace {

std::optional<QDateTime> parsedDay(const std::optional<QString> &text) {
    return text ? serviceDateFormatter().date(*text) : std::nullopt;
}

void takeUserFields(IPORecord &record, const UserIPOEntry &entry) {
    record.subQuantity = entry.subQuantity;
    record.winQuantity = entry.winQuantity;
    record.subMethod = subMethodFromStoredValue(entry.subMethodRawValue);
    record.sale = entry.sale;
    record.updatedAt = entry.updatedAt;
}

// The start of a market day, remembered: a ledger of thousands of entries has a few hundred
// distinct days, and each look-up in the time zone is slow.
class DayStarts {
public:
    std::optional<QDateTime> of(const std::optional<QDate> &day) {
        if (!day)
            return std::nullopt;
        auto found = m_starts.constFind(*day);
        if (found == m_starts.cend())
            found = m_starts.insert(*day, marketCalendar().startOfDay(*day));
        return *found;
    }

private:
    QHash<QDate, QDateTime> m_starts;
};

IPORecord recordFromEntry(const UserIPOEntry &entry, DayStarts &starts) {
    IPORecord record;
    record.ipo.code = entry.code;
    record.ipo.name = entry.ipo.name;
    record.ipo.status = IPOStatus::listed;
    record.ipo.subEnd = starts.of(entry.ipo.subEndDay);
    record.ipo.listingDate = starts.of(entry.ipo.listingDay);
    record.ipo.priceRange = entry.ipo.priceRange;
    takeUserFields(record, entry);
    return record;
}

std::optional<QDate> dayOf(const std::optional<QDateTime> &instant) {
    return instant ? std::optional<QDate>(marketCalendar().dayOf(*instant)) : std::nullopt;
}

} // namespace

IPOData listingData(const RemoteIPO &remote) {
    IPOData ipo;
    ipo.code = remote.code;
    ipo.name = remote.name;
    ipo.status = remote.status;
    ipo.subStart = parsedDay(remote.subStart);
    ipo.subEnd = parsedDay(remote.subEnd);
    ipo.listingDate = parsedDay(remote.listDate);
    ipo.lotAmount = remote.lotAmount;
    ipo.priceRange = remote.priceRange;
    if (!remote.prospectusUrl.isEmpty())
        ipo.prospectusURL = remote.prospectusUrl;
    ipo.board = remote.board;
    return ipo;
}

IPORecord makeRecord(const RemoteIPO &remote, const QHash<QString, UserIPOEntry> &entriesByCode) {
    return makeRecord(listingData(remote), entriesByCode);
}

IPORecord makeRecord(const IPOData &listing, const QHash<QString, UserIPOEntry> &entriesByCode) {
    IPORecord record;
    record.ipo = listing;
    if (!entriesByCode.isEmpty()) {
        const auto entry = entriesByCode.constFind(listing.code);
        if (entry != entriesByCode.cend())
            takeUserFields(record, *entry);
    }
    return record;
}

IPORecord recordFromEntry(const UserIPOEntry &entry) {
    DayStarts starts;
    return recordFromEntry(entry, starts);
}

QList<IPORecord> makeLedgerRecords(const QList<RemoteIPO> &remoteItems,
                                   const QHash<QString, UserIPOEntry> &entriesByCode) {
    QList<IPORecord> records;
    records.reserve(entriesByCode.size());
    QSet<QString> listed;
    for (const RemoteIPO &remote : remoteItems) {
        if (entriesByCode.contains(remote.code) && !listed.contains(remote.code)) {
            listed.insert(remote.code);
            records.append(makeRecord(remote, entriesByCode));
        }
    }
    // The rest by code: by UTF-16 code unit, as QString orders them, on keys that hold the
    // characters themselves, since a ledger has thousands of entries.
    std::vector<std::pair<std::u16string_view, const UserIPOEntry *>> rest;
    rest.reserve(size_t(entriesByCode.size()));
    for (const UserIPOEntry &entry : entriesByCode)
        if (!listed.contains(entry.code))
            rest.emplace_back(
                std::u16string_view(reinterpret_cast<const char16_t *>(entry.code.constData()),
                                    size_t(entry.code.size())),
                &entry);
    std::sort(rest.begin(), rest.end(),
              [](const auto &a, const auto &b) { return a.first < b.first; });
    DayStarts starts;
    for (const auto &[code, entry] : rest)
        records.append(recordFromEntry(*entry, starts));
    return records;
}

UserIPOEntry entryFromRecord(const IPORecord &record) {
    UserIPOEntry entry{record.ipo.code,
                       record.subQuantity,
                       record.winQuantity,
                       rawValue(record.subMethod),
                       {},
                       record.sale,
                       {}};
    entry.ipo.name = record.ipo.name;
    entry.ipo.listingDay = dayOf(record.ipo.listingDate);
    entry.ipo.subEndDay = dayOf(record.ipo.subEnd);
    entry.ipo.priceRange = record.ipo.priceRange;
    return entry;
}
