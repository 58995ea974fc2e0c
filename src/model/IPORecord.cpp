#include "IPORecord.h"

#include "ServiceDateFormatter.h"
#include "service/RemoteIPO.h"
#include "store/UserIPOEntry.h"

namespace {

qint64 lotsOf(qint64 quantity, qint64 sharesPerLot) {
    return sharesPerLot == 0 ? 0 : quantity / sharesPerLot;
}

std::optional<QDateTime> parsedDay(const std::optional<QString> &text) {
    return text ? serviceDateFormatter().date(*text) : std::nullopt;
}

} // namespace

qint64 IPORecord::subscribedLots() const {
    return lotsOf(subQuantity, ipo.sharesPerLot());
}

qint64 IPORecord::winningLots() const {
    return lotsOf(winQuantity, ipo.sharesPerLot());
}

double IPORecord::marginLoanAmount() const {
    if (subMethod != SubMethod::margin || subQuantity < 1)
        return 0;
    return ipo.maxOfferPrice() * static_cast<double>(subQuantity) * 0.9;
}

double IPORecord::marginFee() const {
    if (subMethod != SubMethod::margin)
        return 0;
    return marginFeeForLoan(marginLoanAmount());
}

double marginFeeForLoan(double loan) {
    if (loan <= 10000)
        return 0;
    if (loan <= 50000)
        return 28;
    if (loan <= 100000)
        return 68;
    return 88;
}

size_t qHash(const IPORecord &record, size_t seed) {
    return qHashMulti(seed, record.ipo, record.subQuantity, record.winQuantity,
                      static_cast<int>(record.subMethod));
}

IPORecord makeRecord(const RemoteIPO &remote, const QHash<QString, UserIPOEntry> &entriesByCode) {
    IPORecord record;
    record.ipo.code = remote.code;
    record.ipo.name = remote.name;
    record.ipo.status = remote.status;
    record.ipo.subStart = parsedDay(remote.subStart);
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
