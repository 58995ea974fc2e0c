#include "RecordMerge.h"

#include "model/ServiceDateFormatter.h"

namespace {

std::optional<QDateTime> parsedDay(const std::optional<QString> &text) {
    return text ? serviceDateFormatter().date(*text) : std::nullopt;
}

} // namespace

IPORecord makeRecord(const RemoteIPO &remote, const QHash<QString, UserIPOEntry> &entriesByCode) {
    IPORecord record;
    record.ipo.code = remote.code;
    record.ipo.name = remote.name;
    record.ipo.status = remote.status;
    record.ipo.subStart = parsedDay(remote.subStart);
    record.ipo.subEnd = parsedDay(remote.subEnd);
    record.ipo.listingDate = parsedDay(remote.listDate);
    record.ipo.lotAmount = remote.lotAmount;
    record.ipo.priceRange = remote.priceRange;
    if (!remote.prospectusUrl.isEmpty())
        record.ipo.prospectusURL = remote.prospectusUrl;
    record.ipo.board = remote.board;

    if (!entriesByCode.isEmpty()) {
        const auto entry = entriesByCode.constFind(remote.code);
        if (entry != entriesByCode.cend()) {
            record.subQuantity = entry->subQuantity;
            record.winQuantity = entry->winQuantity;
            record.subMethod = subMethodFromStoredValue(entry->subMethodRawValue);
        }
    }
    return record;
}
