#include "FuzzInput.h"

#include "store/UserIPOBackupCSV.h"

#include <algorithm>
#include <tuple>

// parseBackupCSV on arbitrary text. Besides not crashing, what it reads must survive a round trip
// through the writer unchanged: every accepted row, written by makeBackupCSV and read again,
// comes back equal, with nothing rejected.

namespace {

auto key(const UserIPOBackupRow &r) {
    return std::make_tuple(r.code, r.updatedAt.toMSecsSinceEpoch(), r.subQuantity, r.winQuantity,
                           static_cast<int>(r.subMethod), r.sale.finalPriceMills,
                           r.sale.soldQuantity, r.sale.sellPriceMills, r.sale.sellDate,
                           r.sale.feeTotalCents, r.ipo.name, r.ipo.listingDay, r.ipo.subEndDay,
                           r.ipo.priceRange);
}

bool totalOrder(const UserIPOBackupRow &a, const UserIPOBackupRow &b) {
    return key(a) < key(b);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QString input = fuzzinput::text(data, size);
    const auto parsed = parseBackupCSV(input);
    if (!parsed)
        return 0;
    for (const UserIPOBackupRow &row : parsed->rows) {
        FUZZ_CHECK(!row.code.trimmed().isEmpty(), input);
        FUZZ_CHECK(row.updatedAt.isValid(), input);
        FUZZ_CHECK(row.updatedAt.timeSpec() == Qt::UTC, input);
    }

    const QString written = makeBackupCSV(parsed->rows);
    FUZZ_CHECK(written.startsWith(backupCSVHeader), input);
    FUZZ_CHECK(!written.endsWith(u'\n'), input);
    const auto reread = parseBackupCSV(written);
    FUZZ_CHECK(reread.hasValue(), input);
    FUZZ_CHECK(reread->rejectedLineCount == 0, input);
    QList<UserIPOBackupRow> before = parsed->rows;
    QList<UserIPOBackupRow> after = reread->rows;
    std::sort(before.begin(), before.end(), totalOrder);
    std::sort(after.begin(), after.end(), totalOrder);
    FUZZ_CHECK(before == after, input);
    return 0;
}
